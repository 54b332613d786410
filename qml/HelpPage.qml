import QtQuick
import Zarneth

// The help page, as rich text.
Rectangle {
    id: page
    required property HelpViewController controller
    color: Theme.helpBackground

    Flickable {
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
        }
    }
}
