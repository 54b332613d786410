pragma ComponentBehavior: Bound
import QtQuick
import Zarneth

// The bar of tabs at the bottom: an image and a title each, the selected
// one in the accent colour. A tap selects the tab.
Rectangle {
    id: bar
    required property TabBarController controller

    height: Theme.tabBarHeight
    color: Theme.tabBarBackground
    Rectangle { width: parent.width; height: Theme.hairline; color: Theme.separator }

    Row {
        anchors.fill: parent
        Repeater {
            model: bar.controller.viewControllers
            Item {
                id: tab
                required property int index
                required property ViewController modelData
                objectName: "tab" + index
                width: bar.width / bar.controller.viewControllers.length
                height: bar.height
                readonly property bool selected: index === bar.controller.selectedIndex

                Image {
                    id: icon
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 5
                    width: 30; height: 30
                    sourceSize.width: 90; sourceSize.height: 90
                    source: BundleImages.url(tab.modelData.tabBarImage)
                    opacity: tab.selected ? 1 : 0.5
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 38
                    width: parent.width - 4
                    text: tab.modelData.title
                    color: tab.selected ? Theme.accent : Theme.tabText
                    font.pixelSize: Theme.fontSizeTab
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: bar.controller.selectTab(tab.index)
                }
            }
        }
    }
}
