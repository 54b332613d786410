import QtQuick

// The light info button: a small "i" in a ring, with a generous touch area.
Item {
    id: button
    signal clicked()

    Rectangle {
        anchors.centerIn: parent
        width: 24; height: 24; radius: 12
        color: "transparent"
        border.color: Theme.text
        border.width: 2
        opacity: area.pressed ? 0.5 : 1
        Text {
            anchors.centerIn: parent
            text: "i"
            color: Theme.text
            font.pixelSize: Theme.fontSizeCallout
            font.bold: true
            font.italic: true
        }
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
