import QtQuick
import Zarneth

// The two faces: the dial screen with its info button, and the tabs, with
// a one-second flip between them.
Flipable {
    id: root
    objectName: "rootView"
    required property RootViewController controller
    readonly property bool showingTabs: !controller.mainViewInWindow

    front: Item {
        anchors.fill: parent
        enabled: !root.showingTabs
        MainView {
            anchors.fill: parent
            controller: root.controller.mainViewController
        }
        InfoButton {
            objectName: "infoButton"
            x: Theme.screenWidth - width; y: 402; width: Theme.infoButtonSize; height: Theme.infoButtonSize
            visible: root.controller.infoButtonInWindow
            onClicked: root.controller.flipViews()
        }
    }

    back: Item {
        anchors.fill: parent
        enabled: root.showingTabs
        Loader {
            anchors.fill: parent
            active: root.controller.tabBarController !== null
            sourceComponent: TabBarView { controller: root.controller.tabBarController }
        }
    }

    transform: Rotation {
        id: rotation
        origin.x: root.width / 2
        origin.y: root.height / 2
        axis { x: 0; y: 1; z: 0 }
        angle: root.showingTabs ? (root.controller.flipFromRight ? 180 : -180) : 0
        Behavior on angle {
            NumberAnimation { duration: 1000; easing.type: Easing.InOutQuad }
        }
    }
}
