import QtQuick
import Zarneth

// About Zarneth: the logo and two paragraphs; the logo and a band of the
// first paragraph open the maker's site. The logo is also a link for keys
// and screen readers (the band is only a larger target for a tap).
Rectangle {
    id: page
    required property AboutViewController controller
    color: Theme.background

    Column {
        x: Theme.margin; y: Theme.margin
        width: parent.width - 2 * Theme.margin
        spacing: Theme.margin

        Rectangle {
            // Large text makes the panels taller rather than spill out.
            width: parent.width; height: Math.max(240, about1.y + about1.paintedHeight + 20); radius: Theme.cornerRadius
            color: Theme.aboutPanel
            Image {
                objectName: "logo"
                x: 11; y: 5
                width: 298 * 0.95; height: 70 * 0.95
                sourceSize.width: 894; sourceSize.height: 210
                source: BundleImages.url("logo.png")
                fillMode: Image.PreserveAspectFit
                Accessible.ignored: true
            }
            Text {
                id: about1
                x: 20; y: 80; width: parent.width - 40
                text: page.controller.about1Text
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSizeButton
                color: Theme.aboutText
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
            }
            MouseArea {
                objectName: "siteBand"
                x: 70; y: 130; width: 180; height: 40
                onClicked: page.controller.clickedNestrivoURL()
            }
            MouseArea {
                id: logoArea
                objectName: "logoArea"
                x: 10; y: 0; width: parent.width - 20; height: 80
                onClicked: page.controller.clickedNestrivoURL()
                activeFocusOnTab: true
                Accessible.role: Accessible.Link
                Accessible.name: qsTrId("accessibleMakersSiteName")
                Accessible.onPressAction: page.controller.clickedNestrivoURL()
                Keys.onPressed: (event) => {
                    Theme.keyboardInUse = true
                    if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
                        event.accepted = true
                        if (!event.isAutoRepeat)
                            page.controller.clickedNestrivoURL()
                    }
                }
                Rectangle {
                    anchors.fill: parent
                    visible: logoArea.activeFocus && Theme.keyboardInUse
                    color: "transparent"
                    radius: Theme.cornerRadius
                    border.color: Theme.focusRing
                    border.width: Theme.focusRingWidth
                }
            }
        }
        Rectangle {
            width: parent.width; height: Math.max(100, about2.y + about2.paintedHeight + 20); radius: Theme.cornerRadius
            color: Theme.aboutPanel
            Text {
                id: about2
                x: 20; y: 20; width: parent.width - 40
                text: page.controller.about2Text
                font.family: Theme.fontFamily
                font.pixelSize: Theme.fontSizeCaption
                color: Theme.aboutText
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
            }
        }
    }
}
