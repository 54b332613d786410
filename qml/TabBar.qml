pragma ComponentBehavior: Bound
import QtQuick
import Zarneth

// The bar of tabs at the bottom: an image and a title each, the selected
// one in the accent colour. A tap selects the tab, and so do Enter and
// Space on the tab with the focus; Left and Right move between the tabs.
FocusScope {
    id: bar
    required property TabBarController controller
    Accessible.role: Accessible.PageTabList
    Accessible.name: qsTrId("accessibleTabBarName")

    function focusTab(index: int) {
        const tab = tabItems.itemAt(index)
        if (tab)
            tab.forceActiveFocus(Qt.TabFocusReason)
    }

    height: Theme.tabBarHeight
    Rectangle { anchors.fill: parent; color: Theme.tabBarBackground }
    Rectangle { width: parent.width; height: Theme.hairline; color: Theme.separator }

    Row {
        anchors.fill: parent
        Repeater {
            id: tabItems
            model: bar.controller.viewControllers
            Item {
                id: tab
                required property int index
                required property ViewController modelData
                objectName: "tab" + index
                width: bar.width / bar.controller.viewControllers.length
                height: bar.height
                readonly property bool selected: index === bar.controller.selectedIndex

                focus: selected
                activeFocusOnTab: true
                Accessible.role: Accessible.PageTab
                Accessible.name: tab.modelData.title
                Accessible.selectable: true
                Accessible.selected: tab.selected
                Accessible.onPressAction: bar.controller.selectTab(tab.index)
                Keys.onPressed: (event) => {
                    Theme.keyboardInUse = true
                    if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
                        event.accepted = true
                        if (!event.isAutoRepeat)
                            bar.controller.selectTab(tab.index)
                    } else if (event.key === Qt.Key_Left || event.key === Qt.Key_Right) {
                        event.accepted = true
                        const count = bar.controller.viewControllers.length
                        bar.focusTab((tab.index + (event.key === Qt.Key_Left ? count - 1 : 1)) % count)
                    }
                }
                Rectangle {
                    anchors.fill: parent
                    anchors.margins: 1
                    visible: tab.activeFocus && Theme.keyboardInUse
                    color: "transparent"
                    radius: 4
                    border.color: Theme.focusRing
                    border.width: Theme.focusRingWidth
                }

                Image {
                    id: icon
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 5
                    width: 30; height: 30
                    sourceSize.width: 90; sourceSize.height: 90
                    source: BundleImages.url(tab.modelData.tabBarImage)
                    opacity: tab.selected ? 1 : 0.5
                    Accessible.ignored: true
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 38
                    width: parent.width - 4
                    height: parent.height - y
                    text: tab.modelData.title
                    color: tab.selected ? Theme.accent : Theme.tabText
                    font.pixelSize: Theme.fontSizeTab
                    // Large system text shrinks back to fit the bar rather
                    // than be cut off at its bottom.
                    fontSizeMode: Text.Fit
                    minimumPixelSize: 6
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    Accessible.ignored: true
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: bar.controller.selectTab(tab.index)
                }
            }
        }
    }
}
