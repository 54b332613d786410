import QtQuick

// An on/off switch. It shows `checked`; a tap asks to change it through
// toggled(), and whoever owns the value sets it (or puts it back). Enter or
// Space asks the same; a screen reader hears a check box with its state.
Rectangle {
    id: toggle
    property bool checked: false
    property string name
    signal toggled(bool on)

    activeFocusOnTab: true
    Accessible.role: Accessible.CheckBox
    Accessible.name: name
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.onPressAction: toggle.toggled(!toggle.checked)
    Accessible.onToggleAction: toggle.toggled(!toggle.checked)
    Keys.onPressed: (event) => {
        Theme.keyboardInUse = true
        if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
            event.accepted = true
            if (!event.isAutoRepeat)
                toggle.toggled(!toggle.checked)
        }
    }
    border.color: Theme.focusRing
    border.width: activeFocus && Theme.keyboardInUse ? Theme.focusRingWidth : 0

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
