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
    // A screen reader hears it as a dialogue named by its title.
    Accessible.role: Accessible.Dialog
    Accessible.name: host.title
    Accessible.description: host.message

    // Where keys go when it appears: its first button.
    function focusFirstButton() {
        const first = buttons.itemAt(0)
        if (first)
            first.forceActiveFocus(Qt.OtherFocusReason)
    }
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
            Accessible.ignored: true
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
            id: buttons
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
