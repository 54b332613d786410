import QtQuick

// A table row with its text on the left and a switch on the right.
Item {
    id: row
    property string text
    property bool checked: false
    property alias switchObjectName: toggle.objectName
    signal toggled(bool on)

    width: parent ? parent.width : 300
    height: 50

    Text {
        x: 12
        anchors.verticalCenter: parent.verticalCenter
        width: toggle.x - 20
        text: row.text
        color: "white"
        font.pixelSize: 17
        elide: Text.ElideRight
    }
    Switch {
        id: toggle
        x: parent.width - width - 12
        anchors.verticalCenter: parent.verticalCenter
        checked: row.checked
        onToggled: (on) => row.toggled(on)
    }
    Rectangle { anchors.bottom: parent.bottom; x: 12; width: parent.width - 12; height: 1; color: "#2c3034" }
}
