import QtQuick

// The light info button: a small "i" in a ring, with a generous touch area.
// It leads to the tabs; Enter or Space presses it like a tap.
Item {
    id: button
    signal clicked()

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: qsTrId("accessibleInfoButtonName")
    Accessible.description: qsTrId("accessibleInfoButtonDescription")
    Accessible.onPressAction: button.clicked()
    Keys.onPressed: (event) => {
        Theme.keyboardInUse = true
        if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
            event.accepted = true
            if (!event.isAutoRepeat)
                button.clicked()
        }
    }

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
            Accessible.ignored: true
        }
    }
    Rectangle {
        anchors.centerIn: parent
        width: 36; height: 36; radius: 18
        color: "transparent"
        visible: button.activeFocus && Theme.keyboardInUse
        border.color: Theme.focusRing
        border.width: Theme.focusRingWidth
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
