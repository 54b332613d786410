import QtQuick
import Zarneth

// The dialogues' sheets and alerts, over everything: the popup on top of
// the host's stack, on a dimmed screen. While a dialogue runs, also when it
// only plays or records with no popup shown, taps outside a popup go
// nowhere, so that no second dialogue starts beside it.
Item {
    id: layer
    objectName: "popupLayer"
    required property QuickPopupHost host
    visible: host.visible || host.dialogueRunning

    // A dialogue goes on once its popup is on screen, so the host hears of
    // every popup that comes to the top: one shown before this layer was
    // made (the dial screen listens at launch), one shown while it was
    // hidden, one uncovered when the popup above it went.
    function announce() {
        // The linter of Qt 6.4 takes Qt.callLater for a property of unknown
        // type; it is the engine's method.
        if (layer.host.visible)
            Qt.callLater(layer.host.presented) // qmllint disable type
    }
    Component.onCompleted: announce()
    Connections {
        target: layer.host
        function onTopPopupChanged() { layer.announce() }
    }

    MouseArea { anchors.fill: parent }
    Item {
        anchors.fill: parent
        visible: layer.host.visible
        Rectangle { anchors.fill: parent; color: Theme.dimming }
        ActionSheet { host: layer.host; visible: !layer.host.isAlert }
        AlertView { host: layer.host; visible: layer.host.isAlert }
    }
}
