import QtQuick
import QtQuick.Window

// The application's window: the phone face of 320 × 480 points, scaled to
// fit whatever window it is given. Portrait only.
Window {
    id: window
    width: 360
    height: 640
    visible: true
    color: "black"
    title: "Zarneth"

    Item {
        id: screen
        objectName: "screen"
        width: 320
        height: 480
        anchors.centerIn: parent
        scale: Math.min(window.width / width, window.height / height)

        RootView {
            anchors.fill: parent
        }

        PopupLayer {
            anchors.fill: parent
        }
    }
}
