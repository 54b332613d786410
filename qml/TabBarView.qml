import QtQuick

// The five tabs: each tab's screens above, the tab bar below. Every tab
// keeps its own screens while another is selected.
Item {
    id: tabs
    objectName: "tabBarView"
    property var controller

    Rectangle { anchors.fill: parent; color: "black" }

    Repeater {
        model: controller.viewControllers
        Loader {
            x: 0; y: 0; width: tabs.width; height: tabs.height - tabBar.height
            visible: index === controller.selectedIndex
            // The first tab has no screen: selecting it flips back.
            active: index > 0
            sourceComponent: NavigationView { navigation: modelData }
        }
    }

    TabBar {
        id: tabBar
        objectName: "tabBar"
        anchors.bottom: parent.bottom
        width: parent.width
        tabs: controller.viewControllers
        selectedIndex: controller.selectedIndex
        onTabClicked: (index) => controller.selectTab(index)
    }
}
