pragma ComponentBehavior: Bound
import QtQuick
import Zarneth

// The five tabs: each tab's screens above, the tab bar below. Every tab
// keeps its own screens while another is selected. Tab moves through the
// selected tab's controls and then the tab bar; Escape goes back on a
// screen pushed onto the selected tab's screens.
FocusScope {
    id: tabs
    objectName: "tabBarView"
    required property TabBarController controller
    focus: true

    Keys.onEscapePressed: (event) => {
        const page = pages.itemAt(tabs.controller.selectedIndex) as Loader
        const view = page ? page.item as NavigationView : null
        event.accepted = view !== null && view.goBack()
    }

    Rectangle { anchors.fill: parent; color: Theme.background }

    Repeater {
        id: pages
        model: tabs.controller.viewControllers
        Loader {
            id: tab
            required property int index
            required property ViewController modelData
            x: 0; y: 0; width: tabs.width; height: tabs.height - tabBar.height
            visible: index === tabs.controller.selectedIndex
            // The first tab has no screen: selecting it flips back. Every
            // other tab is a navigation controller's screens.
            Component.onCompleted: {
                if (index > 0)
                    tab.setSource("NavigationView.qml", { navigation: modelData })
            }
        }
    }

    TabBar {
        id: tabBar
        objectName: "tabBar"
        anchors.bottom: parent.bottom
        width: parent.width
        focus: true
        controller: tabs.controller
    }
}
