import QtQuick

// A button of a sheet or an alert. Enter or Space presses it like a tap;
// Up and Down go to the buttons around it (the screens below take no keys
// while a popup is up, so only its buttons are on the way).
Rectangle {
    id: button
    property string text
    property bool cancel: false
    property bool destructive: false
    property bool light: false
    signal clicked()

    // Large text wraps onto a second line and the button grows with it.
    height: Math.max(Theme.buttonHeight, label.paintedHeight + 2 * Theme.smallMargin)
    radius: Theme.cornerRadius
    color: destructive ? Theme.destructiveButton
         : cancel ? (light ? Theme.lightCancelButton : Theme.cancelButton)
         : (light ? Theme.lightButton : Theme.button)
    opacity: area.pressed ? 0.7 : 1
    border.color: Theme.focusRing
    border.width: activeFocus && Theme.keyboardInUse ? Theme.focusRingWidth : 0

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: button.clicked()
    Keys.onPressed: (event) => {
        Theme.keyboardInUse = true
        if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
            event.accepted = true
            if (!event.isAutoRepeat)
                button.clicked()
        } else if (event.key === Qt.Key_Up || event.key === Qt.Key_Down) {
            event.accepted = true
            const next = button.nextItemInFocusChain(event.key === Qt.Key_Down)
            if (next)
                next.forceActiveFocus(event.key === Qt.Key_Down ? Qt.TabFocusReason : Qt.BacktabFocusReason)
        }
    }

    Text {
        id: label
        anchors.centerIn: parent
        width: parent.width - 2 * Theme.smallMargin
        text: button.text
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        maximumLineCount: 2
        elide: Text.ElideRight
        font.pixelSize: Theme.fontSizeBody
        font.bold: button.cancel
        color: button.destructive ? Theme.text
             : button.cancel ? (button.light ? Theme.buttonText : Theme.text)
             : Theme.buttonText
        Accessible.ignored: true
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
