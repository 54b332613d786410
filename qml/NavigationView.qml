import QtQuick

// A navigation controller's screens: the navigation bar and the screen on top.
Item {
    id: navigationView
    property var navigation
    readonly property var topController: navigation ? navigation.topViewController : null
    readonly property var controllerStack: navigation ? navigation.viewControllers : []

    NavigationBar {
        id: bar
        width: parent.width
        title: topController ? topController.title : ""
        backTitle: controllerStack.length > 1 ? backTitleOf(controllerStack[controllerStack.length - 2]) : ""
        leftTitle: topController ? topController.leftBarButtonTitle : ""
        rightTitle: topController ? topController.rightBarButtonTitle : ""
        rightEnabled: topController ? topController.rightBarButtonEnabled : false
        onBackClicked: navigation.popViewControllerAnimated(true)
        onLeftClicked: topController.clickedLeftBarButton()
        onRightClicked: topController.clickedRightBarButton()

        function backTitleOf(previous) {
            return previous.backBarButtonTitle || previous.title || qsTrId("navigationBackTitle")
        }
    }

    Loader {
        id: page
        objectName: "page"
        anchors.top: bar.bottom
        width: parent.width
        height: parent.height - bar.height
        clip: true
        function show() {
            if (topController && topController.page.length > 0)
                setSource(topController.page, { controller: topController })
            else
                source = ""
        }
        Component.onCompleted: show()
        Connections {
            target: navigationView
            function onTopControllerChanged() { page.show() }
        }
    }
}
