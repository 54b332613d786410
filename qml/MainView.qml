import QtQuick
import Zarneth

// The dial screen: a tap anywhere starts a recognition.
Item {
    id: mainView
    objectName: "mainView"
    required property MainViewController controller

    Rectangle { anchors.fill: parent; color: "black" }
    Image {
        anchors.fill: parent
        source: BundleImages.url("background.png")
        fillMode: Image.PreserveAspectCrop
    }

    Text {
        objectName: "tapInfoLabel"
        x: 0; y: 20; width: 320; height: 40
        visible: !mainView.controller.tapInfoLabelHidden
        text: mainView.controller.tapLabelText
        color: "white"
        font.family: "Helvetica"
        font.pixelSize: 24
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 14
    }

    Text {
        objectName: "deviceProblemLabel"
        x: 20; y: 180; width: 280
        visible: mainView.controller.deviceProblemText.length > 0
        text: mainView.controller.deviceProblemText
        color: "#ffcc66"
        font.pixelSize: 18
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
        color: "#ff3b30"
        font.pixelSize: 15
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 10
    }
}
