import QtQuick
import Zarneth

// The dial screen: a tap anywhere starts a recognition.
Item {
    id: mainView
    objectName: "mainView"
    required property MainViewController controller

    Rectangle { anchors.fill: parent; color: Theme.background }
    Image {
        anchors.fill: parent
        source: BundleImages.url("background.png")
        fillMode: Image.PreserveAspectCrop
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
        objectName: "screenButton"
        anchors.fill: parent
        visible: !mainView.controller.screenButtonHidden
        onClicked: mainView.controller.clickedScreenButton()
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
