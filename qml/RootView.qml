import QtQuick

// The two faces: the dial screen with its info button, and the tabs, with
// a one-second flip between them.
Flipable {
    id: root
    objectName: "rootView"
    readonly property bool showingTabs: !rootViewController.mainViewInWindow

    front: Item {
        anchors.fill: parent
        enabled: !root.showingTabs
        MainView {
            anchors.fill: parent
            controller: rootViewController.mainViewController
        }
        InfoButton {
            objectName: "infoButton"
            x: 240; y: 402; width: 80; height: 80
            visible: rootViewController.infoButtonInWindow
            onClicked: rootViewController.flipViews()
        }
    }

    back: Item {
        anchors.fill: parent
        enabled: root.showingTabs
        Loader {
            anchors.fill: parent
            active: rootViewController.tabBarController !== null
            sourceComponent: TabBarView { controller: rootViewController.tabBarController }
        }
    }

    transform: Rotation {
        id: rotation
        origin.x: root.width / 2
        origin.y: root.height / 2
        axis { x: 0; y: 1; z: 0 }
        angle: root.showingTabs ? (rootViewController.flipFromRight ? 180 : -180) : 0
        Behavior on angle {
            NumberAnimation { duration: 1000; easing.type: Easing.InOutQuad }
        }
    }
}
