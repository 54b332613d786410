import QtQuick
import Zarneth

// A navigation controller's screens: the navigation bar and the screen on top.
Item {
    id: navigationView
    required property NavigationController navigation
    readonly property ViewController topController: navigation.topViewController
    // The screen below the top one, whose title the back button shows.
    readonly property ViewController previousController: navigation.viewControllers.length > 1
        ? navigation.viewControllers[navigation.viewControllers.length - 2] : null

    NavigationBar {
        id: bar
        width: parent.width
        title: navigationView.topController ? navigationView.topController.title : ""
        backTitle: navigationView.previousController ? backTitleOf(navigationView.previousController) : ""
        leftTitle: navigationView.topController ? navigationView.topController.leftBarButtonTitle : ""
        rightTitle: navigationView.topController ? navigationView.topController.rightBarButtonTitle : ""
        rightEnabled: navigationView.topController ? navigationView.topController.rightBarButtonEnabled : false
        onBackClicked: navigationView.navigation.popViewControllerAnimated(true)
        onLeftClicked: navigationView.topController.clickedLeftBarButton()
        onRightClicked: navigationView.topController.clickedRightBarButton()

        function backTitleOf(previous: ViewController): string {
            return previous.backBarButtonTitle || previous.title || qsTrId("navigationBackTitle")
        }
    }

    Loader {
        id: page
        objectName: "page"
        anchors.top: bar.bottom
        width: parent.width
        height: parent.height - Theme.navigationBarHeight
        clip: true
        // A screen's page is a file of this module, named relative to it.
        function show() {
            const top = navigationView.topController
            if (top && top.page.length > 0)
                page.setSource(top.page, { controller: top })
            else
                page.source = ""
        }
        Component.onCompleted: show()
        Connections {
            target: navigationView
            function onTopControllerChanged() { page.show() }
        }
    }
}
