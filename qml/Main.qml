import QtQuick
import QtQuick.Window
import Zarneth

// The application's window: the phone face of 320 × 480 points, scaled to
// fit whatever window it is given. Portrait only. The application hands it
// the root of the screens and the host of the dialogues' popups.
Window {
    id: window
    required property RootViewController rootViewController
    required property QuickPopupHost popupHost

    width: 360
    height: 640
    visible: true
    color: Theme.background
    title: "Zarneth"

    Item {
        id: screen
        objectName: "screen"
        width: Theme.screenWidth
        height: Theme.screenHeight
        anchors.centerIn: parent
        scale: Math.min(window.width / width, window.height / height)

        // While a dialogue runs the screens take neither taps nor keys.
        FocusScope {
            id: screenScope
            anchors.fill: parent
            focus: true
            enabled: !window.popupHost.visible && !window.popupHost.dialogueRunning
            RootView {
                anchors.fill: parent
                focus: true
                controller: window.rootViewController
            }
        }

        PopupLayer {
            anchors.fill: parent
            host: window.popupHost
            screens: screenScope
        }
    }
}
