import QtQuick

// A box in the middle of the screen: a title, a message, an optional
// progress bar, and its buttons.
Rectangle {
    id: alert
    objectName: "alertView"
    width: 284
    height: content.height + 32
    x: (parent.width - width) / 2
    y: (parent.height - height) / 2
    radius: 12
    color: "#eef2f6"

    Column {
        id: content
        x: 16; y: 16
        width: alert.width - 32
        spacing: 10

        Text {
            objectName: "alertTitle"
            width: parent.width
            text: popupHost.title
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: 18
            font.bold: true
            color: "#101214"
        }
        Text {
            objectName: "alertMessage"
            width: parent.width
            text: popupHost.message
            visible: text.length > 0
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: 14
            color: "#2a2e33"
        }
        ProgressBar {
            objectName: "alertProgress"
            x: 20; width: parent.width - 40
            visible: popupHost.hasProgress
            value: popupHost.progress
            trackColor: "#c8d0d8"
        }
        Repeater {
            model: popupHost.buttons
            PopupButton {
                objectName: "alertButton" + index
                width: content.width
                text: modelData
                light: true
                cancel: index === popupHost.cancelButtonIndex
                onClicked: popupHost.press(index)
            }
        }
    }
}
