import QtQuick

// The bar over a screen: its title, a back button with the previous
// screen's title (or a button of the screen's own on the left), and an
// optional button on the right.
Rectangle {
    id: bar
    property string title
    property string backTitle
    property string leftTitle
    property string rightTitle
    property bool rightEnabled: true
    signal backClicked()
    signal leftClicked()
    signal rightClicked()

    height: 44
    color: "#1b1e21"
    Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: 1; color: "#2c3034" }

    Text {
        objectName: "navigationTitle"
        anchors.centerIn: parent
        width: parent.width - 150
        text: bar.title
        color: "white"
        font.pixelSize: 17
        font.bold: true
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
    }

    Text {
        objectName: "backButton"
        visible: bar.backTitle.length > 0
        x: 8
        anchors.verticalCenter: parent.verticalCenter
        width: 80
        text: "‹ " + bar.backTitle
        color: "#4aa3ff"
        font.pixelSize: 16
        elide: Text.ElideRight
        MouseArea { anchors.fill: parent; anchors.margins: -8; onClicked: bar.backClicked() }
    }

    Text {
        objectName: "leftButton"
        visible: bar.backTitle.length === 0 && bar.leftTitle.length > 0
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 80
        text: bar.leftTitle
        color: "#4aa3ff"
        font.pixelSize: 16
        elide: Text.ElideRight
        MouseArea { anchors.fill: parent; anchors.margins: -8; onClicked: bar.leftClicked() }
    }

    Text {
        objectName: "rightButton"
        visible: bar.rightTitle.length > 0
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 80
        text: bar.rightTitle
        color: bar.rightEnabled ? "#4aa3ff" : "#4a5158"
        font.pixelSize: 16
        horizontalAlignment: Text.AlignRight
        elide: Text.ElideRight
        MouseArea {
            anchors.fill: parent; anchors.margins: -8
            enabled: bar.rightEnabled
            onClicked: bar.rightClicked()
        }
    }
}
