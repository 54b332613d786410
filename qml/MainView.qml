import QtQuick

// The dial screen: a tap anywhere starts a recognition.
Item {
    id: mainView
    objectName: "mainView"

    Rectangle {
        anchors.fill: parent
        gradient: Gradient {
            GradientStop { position: 0.0; color: "#1c2b3a" }
            GradientStop { position: 1.0; color: "#05080c" }
        }
    }

    Text {
        objectName: "tapInfoLabel"
        x: 0; y: 20; width: 320; height: 40
        visible: !mainViewController.tapInfoLabelHidden
        text: mainViewController.tapLabelText
        color: "white"
        font.family: "Helvetica"
        font.pixelSize: 24
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    MouseArea {
        objectName: "screenButton"
        anchors.fill: parent
        visible: !mainViewController.screenButtonHidden
        onClicked: mainViewController.clickedScreenButton()
    }

    Text {
        objectName: "configureInfoLabel"
        x: 0; y: 430; width: 274; height: 20
        visible: !mainViewController.configureInfoLabelHidden
        text: mainViewController.configureLabelText
        color: "red"
        font.pixelSize: 14
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
    }
}
