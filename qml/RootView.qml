import QtQuick
import Zarneth

// The two faces: the dial screen with its info button, and the tabs, with
// a one-second flip between them.
Flipable {
    id: root
    objectName: "rootView"
    required property RootViewController controller
    readonly property bool showingTabs: !controller.mainViewInWindow

    // Keys go to the face in view: the dial screen's button, or the tabs.
    front: FocusScope {
        anchors.fill: parent
        enabled: !root.showingTabs
        focus: !root.showingTabs
        MainView {
            anchors.fill: parent
            focus: true
            controller: root.controller.mainViewController
        }
        InfoButton {
            objectName: "infoButton"
            x: Theme.screenWidth - width; y: 402; width: Theme.infoButtonSize; height: Theme.infoButtonSize
            visible: root.controller.infoButtonInWindow
            onClicked: root.controller.flipViews()
        }
    }

    back: FocusScope {
        anchors.fill: parent
        enabled: root.showingTabs
        focus: root.showingTabs
        // The tabs come with their controller, on the first flip.
        Loader {
            id: tabs
            anchors.fill: parent
            focus: true
            function show() {
                if (root.controller.tabBarController)
                    tabs.setSource("TabBarView.qml", { controller: root.controller.tabBarController })
            }
            Component.onCompleted: show()
            Connections {
                target: root.controller
                function onTabBarControllerChanged() { tabs.show() }
            }
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
