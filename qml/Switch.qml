import QtQuick

// An on/off switch. It shows `checked`; a tap asks to change it through
// toggled(), and whoever owns the value sets it (or puts it back).
Rectangle {
    id: toggle
    property bool checked: false
    signal toggled(bool on)

    width: 52; height: 32; radius: 16
    color: checked ? Theme.switchOn : Theme.switchOff
    Behavior on color { ColorAnimation { duration: 150 } }

    Rectangle {
        width: 28; height: 28; radius: 14
        y: 2
        x: toggle.checked ? toggle.width - width - 2 : 2
        color: Theme.text
        Behavior on x { NumberAnimation { duration: 150 } }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: toggle.toggled(!toggle.checked)
    }
}
