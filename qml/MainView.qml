import QtQuick

// The dial screen: a tap anywhere starts a recognition.
Item {
    id: mainView
    objectName: "mainView"
    property var controller

    Rectangle { anchors.fill: parent; color: "black" }
    Image {
        anchors.fill: parent
        source: bundleUrl + "background.png"
        fillMode: Image.PreserveAspectCrop
    }

    Text {
        objectName: "tapInfoLabel"
        x: 0; y: 20; width: 320; height: 40
        visible: !controller.tapInfoLabelHidden
        text: controller.tapLabelText
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
        visible: controller.deviceProblemText.length > 0
        text: controller.deviceProblemText
        color: "#ffcc66"
        font.pixelSize: 18
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
    }

    MouseArea {
        objectName: "screenButton"
        anchors.fill: parent
        visible: !controller.screenButtonHidden
        onClicked: controller.clickedScreenButton()
    }

    Text {
        objectName: "configureInfoLabel"
        x: 0; y: 430; width: 274; height: 20
        visible: !controller.configureInfoLabelHidden
        text: controller.configureLabelText
        color: "#ff3b30"
        font.pixelSize: 15
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 10
    }
}
