import QtQuick

// A table row with its text on the left and a switch on the right.
Item {
    id: row
    property string text
    property bool checked: false
    property alias switchObjectName: toggle.objectName
    signal toggled(bool on)

    width: parent ? parent.width : 300
    height: Theme.switchRowHeight

    Text {
        x: Theme.padding
        anchors.verticalCenter: parent.verticalCenter
        width: toggle.x - 20
        text: row.text
        color: Theme.text
        font.pixelSize: Theme.fontSizeBody
        elide: Text.ElideRight
    }
    Switch {
        id: toggle
        x: parent.width - width - Theme.padding
        anchors.verticalCenter: parent.verticalCenter
        checked: row.checked
        onToggled: (on) => row.toggled(on)
    }
    Rectangle { anchors.bottom: parent.bottom; x: Theme.padding; width: parent.width - Theme.padding; height: Theme.hairline; color: Theme.separator }
}
