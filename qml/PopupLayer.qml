import QtQuick

// The dialogues' sheets (from the bottom) and alerts (in the middle), with
// their buttons and progress bar; shown while the popup host holds one.
Item {
    id: layer
    objectName: "popupLayer"
    visible: popupHost.visible

    onVisibleChanged: if (visible) Qt.callLater(popupHost.presented)
    Connections {
        target: popupHost
        function onChanged() { if (popupHost.visible) Qt.callLater(popupHost.presented) }
    }

    // Taps outside the popup go nowhere.
    MouseArea { anchors.fill: parent }
    Rectangle { anchors.fill: parent; color: "#80000000" }

    Rectangle {
        id: panel
        objectName: popupHost.isAlert ? "alert" : "actionSheet"
        width: popupHost.isAlert ? 284 : parent.width
        height: content.height + 24
        x: (parent.width - width) / 2
        y: popupHost.isAlert ? (parent.height - height) / 2 : parent.height - height
        radius: popupHost.isAlert ? 10 : 0
        color: popupHost.isAlert ? "#e8eef4" : "#202428"

        Column {
            id: content
            x: 12; y: 12
            width: panel.width - 24
            spacing: 10

            Text {
                objectName: "popupTitle"
                width: parent.width
                text: popupHost.title
                visible: text.length > 0
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                font.pixelSize: popupHost.isAlert ? 18 : 15
                font.bold: popupHost.isAlert
                color: popupHost.isAlert ? "black" : "#d0d4d8"
            }
            Text {
                objectName: "popupMessage"
                width: parent.width
                text: popupHost.message
                visible: text.length > 0
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                font.pixelSize: 14
                color: "black"
            }
            Rectangle {
                objectName: "progressBar"
                width: parent.width - 40
                x: 20
                height: 8
                radius: 4
                visible: popupHost.hasProgress
                color: "#50606c"
                Rectangle {
                    width: parent.width * Math.max(0, Math.min(1, popupHost.progress))
                    height: parent.height
                    radius: 4
                    color: "#4aa3ff"
                }
            }
            Repeater {
                model: popupHost.buttons
                Rectangle {
                    objectName: "popupButton" + index
                    width: content.width
                    height: 44
                    radius: 8
                    color: index === popupHost.cancelButtonIndex ? "#3a3f44"
                         : index === popupHost.destructiveButtonIndex ? "#c0392b" : "#e0e4e8"
                    Text {
                        anchors.centerIn: parent
                        text: modelData
                        font.pixelSize: 18
                        font.bold: index === popupHost.cancelButtonIndex
                        color: index === popupHost.cancelButtonIndex || index === popupHost.destructiveButtonIndex
                               ? "white" : "black"
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: popupHost.press(index)
                    }
                }
            }
        }
    }
}
