pragma ComponentBehavior: Bound
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
    height: content.height + 2 * Theme.padding
    y: parent.height - height
    color: Theme.groupBackground

    Column {
        id: content
        x: Theme.margin; y: Theme.padding
        width: sheet.width - 2 * Theme.margin
        spacing: Theme.smallMargin

        Text {
            objectName: "sheetTitle"
            width: parent.width
            text: sheet.host.title
            visible: text.length > 0
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            color: Theme.sheetTitle
            font.pixelSize: Theme.fontSizeCallout
            bottomPadding: 4
        }
        ProgressBar {
            objectName: "sheetProgress"
            x: Theme.wideMargin; width: parent.width - 2 * Theme.wideMargin
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
