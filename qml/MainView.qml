import QtQuick
import Zarneth

// The dial screen: a tap anywhere starts a recognition, and so do Space and
// Enter, the screen's button having the focus from the start.
FocusScope {
    id: mainView
    objectName: "mainView"
    required property MainViewController controller

    Rectangle { anchors.fill: parent; color: Theme.background }
    Image {
        anchors.fill: parent
        source: BundleImages.url("background.png")
        fillMode: Image.PreserveAspectCrop
        Accessible.ignored: true
    }

    Text {
        objectName: "tapInfoLabel"
        x: 0; y: Theme.wideMargin; width: Theme.screenWidth; height: 40
        visible: !mainView.controller.tapInfoLabelHidden
        text: mainView.controller.tapLabelText
        color: Theme.text
        font.family: Theme.fontFamily
        font.pixelSize: Theme.fontSizeHuge
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontSizeSubhead
    }

    Text {
        objectName: "deviceProblemLabel"
        x: Theme.wideMargin; y: 180; width: Theme.screenWidth - 2 * Theme.wideMargin
        visible: mainView.controller.deviceProblemText.length > 0
        text: mainView.controller.deviceProblemText
        color: Theme.warningText
        font.pixelSize: Theme.fontSizeLarge
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
    }

    MouseArea {
        id: screenButton
        objectName: "screenButton"
        anchors.fill: parent
        visible: !mainView.controller.screenButtonHidden
        onClicked: mainView.controller.clickedScreenButton()

        focus: true
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: mainView.controller.tapLabelText
        Accessible.description: qsTrId("accessibleScreenButtonDescription")
        Accessible.onPressAction: mainView.controller.clickedScreenButton()
        Keys.onPressed: (event) => {
            Theme.keyboardInUse = true
            if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
                event.accepted = true
                if (!event.isAutoRepeat)
                    mainView.controller.clickedScreenButton()
            }
        }
        Rectangle {
            anchors.fill: parent
            anchors.margins: Theme.focusRingWidth
            visible: screenButton.activeFocus && Theme.keyboardInUse
            color: "transparent"
            radius: Theme.cornerRadius
            border.color: Theme.focusRing
            border.width: Theme.focusRingWidth
        }
    }

    Text {
        objectName: "configureInfoLabel"
        x: 0; y: 430; width: 274; height: 20
        visible: !mainView.controller.configureInfoLabelHidden
        text: mainView.controller.configureLabelText
        color: Theme.alarmText
        font.pixelSize: Theme.fontSizeCallout
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontSizeSmallest
    }
}
