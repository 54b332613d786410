import QtQuick
import Zarneth

// The help page, as rich text.
Rectangle {
    id: page
    required property HelpViewController controller
    color: "#f4f6f8"

    Flickable {
        anchors.fill: parent
        contentHeight: helpText.height + 24
        clip: true
        Text {
            id: helpText
            objectName: "helpText"
            x: 12; y: 12
            width: parent.width - 24
            text: page.controller.html
            textFormat: Text.RichText
            wrapMode: Text.WordWrap
            font.pixelSize: 14
            color: "#1d2125"
            onLinkActivated: (link) => page.controller.openLink(link)
        }
    }
}
