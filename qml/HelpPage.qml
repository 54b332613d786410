import QtQuick
import Zarneth

// The help page, as rich text. It takes the focus, and Up, Down, Page Up
// and Page Down scroll it.
Rectangle {
    id: page
    required property HelpViewController controller
    color: Theme.helpBackground

    Flickable {
        id: flickable
        anchors.fill: parent
        contentHeight: helpText.height + 2 * Theme.padding
        clip: true
        Text {
            id: helpText
            objectName: "helpText"
            x: Theme.padding; y: Theme.padding
            width: parent.width - 2 * Theme.padding
            text: page.controller.html
            textFormat: Text.RichText
            wrapMode: Text.WordWrap
            font.pixelSize: Theme.fontSizeSubhead
            color: Theme.helpText
            onLinkActivated: (link) => page.controller.openLink(link)
            activeFocusOnTab: true
            Keys.onPressed: (event) => {
                Theme.keyboardInUse = true
                const steps = { [Qt.Key_Up]: -40, [Qt.Key_Down]: 40,
                                [Qt.Key_PageUp]: -flickable.height, [Qt.Key_PageDown]: flickable.height }
                if (steps[event.key] === undefined)
                    return
                event.accepted = true
                const end = Math.max(0, flickable.contentHeight - flickable.height)
                flickable.contentY = Math.max(0, Math.min(end, flickable.contentY + steps[event.key]))
            }
            Rectangle {
                x: -4; y: flickable.contentY - helpText.y + 2
                width: helpText.width + 8; height: flickable.height - 4
                visible: helpText.activeFocus && Theme.keyboardInUse
                color: "transparent"
                border.color: Theme.focusRing
                border.width: Theme.focusRingWidth
            }
        }
    }
}
