import QtQuick
import Zarneth

// A navigation controller's screens: the navigation bar and the screen on top.
// When a screen comes or goes and the control that had the focus went with
// it, the focus moves to the first control of the screen now on top.
Item {
    id: navigationView
    // Whether `item` is inside this (Qt 6.4 offers no isAncestorOf to QML;
    // left to the interpreter, as its compiler miscompiles the walk).
    function holds(item) {
        for (let up = item; up; up = up.parent) {
            if (up === navigationView)
                return true
        }
        return false
    }
    required property NavigationController navigation
    readonly property ViewController topController: navigation.topViewController
    // The screen below the top one, whose title the back button shows.
    readonly property ViewController previousController: navigation.viewControllers.length > 1
        ? navigation.viewControllers[navigation.viewControllers.length - 2] : null

    // Escape: back to the screen below, if there is one.
    function goBack(): bool {
        if (!navigationView.previousController)
            return false
        navigationView.navigation.popViewControllerAnimated(true)
        return true
    }
    function focusFirstControl() {
        const focused = navigationView.Window.activeFocusItem
        if (!navigationView.visible || (focused && focused.activeFocusOnTab))
            return
        const first = navigationView.nextItemInFocusChain(true)
        if (first && navigationView.holds(first))
            first.forceActiveFocus(Qt.TabFocusReason)
    }

    NavigationBar {
        id: bar
        width: parent.width
        title: navigationView.topController ? navigationView.topController.title : ""
        backTitle: navigationView.previousController ? backTitleOf(navigationView.previousController) : ""
        backScreenTitle: navigationView.previousController ? navigationView.previousController.title : ""
        leftTitle: navigationView.topController ? navigationView.topController.leftBarButtonTitle : ""
        rightTitle: navigationView.topController ? navigationView.topController.rightBarButtonTitle : ""
        rightEnabled: navigationView.topController ? navigationView.topController.rightBarButtonEnabled : false
        onBackClicked: navigationView.goBack()
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
            // The page's rows are made when it is next laid out.
            Qt.callLater(navigationView.focusFirstControl) // qmllint disable type
        }
        Component.onCompleted: show()
        Connections {
            target: navigationView
            function onTopControllerChanged() { page.show() }
        }
    }
}
