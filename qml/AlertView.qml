import QtQuick
import Zarneth

// A box in the middle of the screen: a title, a message, an optional
// progress bar, and its buttons.
Rectangle {
    id: alert
    objectName: "alertView"
    required property QuickPopupHost host
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
            text: alert.host.title
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: 18
            font.bold: true
            color: "#101214"
        }
        Text {
            objectName: "alertMessage"
            width: parent.width
            text: alert.host.message
            visible: text.length > 0
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: 14
            color: "#2a2e33"
        }
        ProgressBar {
            objectName: "alertProgress"
            x: 20; width: parent.width - 40
            visible: alert.host.hasProgress
            value: alert.host.progress
            trackColor: "#c8d0d8"
        }
        Repeater {
            model: alert.host.buttons
            PopupButton {
                required property int index
                required property string modelData
                objectName: "alertButton" + index
                width: content.width
                text: modelData
                light: true
                cancel: index === alert.host.cancelButtonIndex
                onClicked: alert.host.press(index)
            }
        }
    }
}
