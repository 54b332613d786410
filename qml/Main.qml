import QtQuick
import QtQuick.Window

// The application's window: the 320 × 480 point screen of the phone face,
// scaled to fit whatever window it is given. Portrait only.
Window {
    id: window
    width: 360
    height: 640
    visible: true
    color: "black"
    title: qsTrId("tabBarMainTitle") + " – Zarneth"

    Item {
        id: screen
        objectName: "screen"
        width: 320
        height: 480
        anchors.centerIn: parent
        scale: Math.min(window.width / width, window.height / height)

        MainView {
            anchors.fill: parent
        }

        PopupLayer {
            anchors.fill: parent
        }
    }
}
