import QtQuick
import Zarneth

// The bar of tabs at the bottom: an image and a title each, the selected
// one in the accent colour. A tap selects the tab.
Rectangle {
    id: bar
    required property TabBarController controller

    height: 49
    color: "#151719"
    Rectangle { width: parent.width; height: 1; color: "#2c3034" }

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
                    sourceSize: Qt.size(90, 90)
                    source: BundleImages.url(tab.modelData.tabBarImage)
                    opacity: tab.selected ? 1 : 0.5
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 38
                    width: parent.width - 4
                    text: tab.modelData.title
                    color: tab.selected ? "#4aa3ff" : "#9aa0a6"
                    font.pixelSize: 9
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
