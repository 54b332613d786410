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

        RootView {
            anchors.fill: parent
            controller: window.rootViewController
        }

        PopupLayer {
            anchors.fill: parent
            host: window.popupHost
        }
    }
}
