pragma ComponentBehavior: Bound
import QtQuick
import Zarneth

// A box in the middle of the screen: a title, a message, an optional
// progress bar, and its buttons.
Rectangle {
    id: alert
    objectName: "alertView"
    required property QuickPopupHost host
    // A screen reader hears it as a dialogue named by its title.
    Accessible.role: Accessible.AlertMessage
    Accessible.name: host.title
    Accessible.description: host.message

    // Where keys go when it appears: its first button.
    function focusFirstButton() {
        const first = buttons.itemAt(0)
        if (first)
            first.forceActiveFocus(Qt.OtherFocusReason)
    }
    width: 284
    height: content.height + 2 * Theme.alertPadding
    x: (parent.width - width) / 2
    y: (parent.height - height) / 2
    radius: 12
    color: Theme.alertBackground

    Column {
        id: content
        x: Theme.alertPadding; y: Theme.alertPadding
        width: alert.width - 2 * Theme.alertPadding
        spacing: Theme.margin

        Text {
            objectName: "alertTitle"
            width: parent.width
            text: alert.host.title
            wrapMode: Text.WordWrap
            Accessible.ignored: true
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: Theme.fontSizeLarge
            font.bold: true
            color: Theme.alertTitle
        }
        Text {
            objectName: "alertMessage"
            width: parent.width
            text: alert.host.message
            visible: text.length > 0
            wrapMode: Text.WordWrap
            Accessible.ignored: true
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: Theme.fontSizeSubhead
            color: Theme.alertMessage
        }
        ProgressBar {
            objectName: "alertProgress"
            x: Theme.wideMargin; width: parent.width - 2 * Theme.wideMargin
            visible: alert.host.hasProgress
            value: alert.host.progress
            trackColor: Theme.lightProgressTrack
        }
        Repeater {
            id: buttons
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
