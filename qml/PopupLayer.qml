import QtQuick
import Zarneth

// The dialogues' sheets and alerts, over everything: the popup on top of
// the host's stack, on a dimmed screen. While a dialogue runs, also when it
// only plays or records with no popup shown, taps outside a popup go
// nowhere, so that no second dialogue starts beside it (the screens below
// are disabled then, which keeps keys from them too).
//
// Keys follow the popups: a popup that comes up takes the focus onto its
// first button, Escape presses its cancel button, and when the dialogue is
// over the focus goes back to the control that had it before.
FocusScope {
    id: layer
    // Whether `item` is inside this (Qt 6.4 offers no isAncestorOf to QML;
    // left to the interpreter, as its compiler miscompiles the walk).
    function holds(item) {
        for (let up = item; up; up = up.parent) {
            if (up === layer)
                return true
        }
        return false
    }
    objectName: "popupLayer"
    required property QuickPopupHost host
    visible: host.visible || host.dialogueRunning

    // The control below that had the focus last, to go back to; when it is
    // gone, the screens below take the focus as their scopes kept it.
    property Item focusBelow: null
    property Item screens: null

    // A dialogue goes on once its popup is on screen, so the host hears of
    // every popup that comes to the top: one shown before this layer was
    // made (the dial screen listens at launch), one shown while it was
    // hidden, one uncovered when the popup above it went.
    function announce() {
        // The linter of Qt 6.4 takes Qt.callLater for a property of unknown
        // type; it is the engine's method.
        if (layer.host.visible) {
            Qt.callLater(layer.host.presented) // qmllint disable type
            Qt.callLater(layer.focusPopup) // qmllint disable type
        }
    }
    function focusPopup() {
        if (!layer.host.visible)
            return
        if (layer.host.isAlert)
            alert.focusFirstButton()
        else
            sheet.focusFirstButton()
    }
    function restoreFocus() {
        if (layer.host.visible || layer.host.dialogueRunning)
            return
        const target = layer.focusBelow
        if (target && target.visible && target.enabled)
            target.forceActiveFocus(Qt.OtherFocusReason)
        else if (layer.screens)
            layer.screens.forceActiveFocus(Qt.OtherFocusReason)
    }
    Component.onCompleted: announce()
    Connections {
        target: layer.host
        function onTopPopupChanged() { layer.announce() }
        function onVisibleChanged() { Qt.callLater(layer.restoreFocus) } // qmllint disable type
        function onDialogueChanged() { Qt.callLater(layer.restoreFocus) } // qmllint disable type
    }
    Connections {
        target: layer.Window.window
        function onActiveFocusItemChanged() {
            const focused = layer.Window.activeFocusItem
            if (focused && focused.activeFocusOnTab && !layer.holds(focused))
                layer.focusBelow = focused
        }
    }

    Keys.onEscapePressed: (event) => {
        event.accepted = true
        if (layer.host.visible && layer.host.cancelButtonIndex >= 0)
            layer.host.press(layer.host.cancelButtonIndex)
    }

    MouseArea { anchors.fill: parent }
    Item {
        anchors.fill: parent
        visible: layer.host.visible
        Rectangle { anchors.fill: parent; color: Theme.dimming }
        ActionSheet { id: sheet; host: layer.host; visible: !layer.host.isAlert }
        AlertView { id: alert; host: layer.host; visible: layer.host.isAlert }
    }
}
