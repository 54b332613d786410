import QtQuick

// A table row with its text on the left and a switch on the right.
Item {
    id: row
    property string text
    property bool checked: false
    property alias switchObjectName: toggle.objectName
    signal toggled(bool on)

    width: parent ? parent.width : 300
    // Large text wraps and the row grows with it.
    height: Math.max(Theme.switchRowHeight, label.paintedHeight + 12)

    Text {
        id: label
        x: Theme.padding
        anchors.verticalCenter: parent.verticalCenter
        width: toggle.x - 20
        text: row.text
        color: Theme.text
        font.pixelSize: Theme.fontSizeBody
        wrapMode: Text.Wrap
        // The switch says it, with its state.
        Accessible.ignored: true
    }
    Switch {
        id: toggle
        x: parent.width - width - Theme.padding
        anchors.verticalCenter: parent.verticalCenter
        checked: row.checked
        name: row.text
        onToggled: (on) => row.toggled(on)
    }
    Rectangle { anchors.bottom: parent.bottom; x: Theme.padding; width: parent.width - Theme.padding; height: Theme.hairline; color: Theme.separator }
}
