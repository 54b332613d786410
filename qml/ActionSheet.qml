import QtQuick
import Zarneth

// A sheet of buttons rising from the bottom: a title, an optional progress
// bar, the buttons in order with the cancel button last and set apart, a
// destructive one in red.
Rectangle {
    id: sheet
    objectName: "actionSheet"
    required property QuickPopupHost host
    width: parent.width
    height: content.height + 24
    y: parent.height - height
    color: "#1f2327"

    Column {
        id: content
        x: 10; y: 12
        width: sheet.width - 20
        spacing: 8

        Text {
            objectName: "sheetTitle"
            width: parent.width
            text: sheet.host.title
            visible: text.length > 0
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            color: "#c8cdd2"
            font.pixelSize: 15
            bottomPadding: 4
        }
        ProgressBar {
            objectName: "sheetProgress"
            x: 20; width: parent.width - 40
            visible: sheet.host.hasProgress
            value: sheet.host.progress
        }
        Repeater {
            model: sheet.host.buttons
            PopupButton {
                required property int index
                required property string modelData
                objectName: "sheetButton" + index
                width: content.width
                text: modelData
                cancel: index === sheet.host.cancelButtonIndex
                destructive: index === sheet.host.destructiveButtonIndex
                onClicked: sheet.host.press(index)
            }
        }
    }
}
