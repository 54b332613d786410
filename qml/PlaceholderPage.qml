import QtQuick

// A screen still to come.
Rectangle {
    property var controller
    color: "black"
    Text {
        anchors.centerIn: parent
        width: parent.width - 40
        text: controller.title
        color: "#6b737b"
        font.pixelSize: 17
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
    }
}
