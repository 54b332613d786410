import QtQuick

// The bar of tabs at the bottom: an image and a title each, the selected
// one in the accent colour.
Rectangle {
    id: bar
    property var tabs: []
    property int selectedIndex: -1
    signal tabClicked(int index)

    height: 49
    color: "#151719"
    Rectangle { width: parent.width; height: 1; color: "#2c3034" }

    Row {
        anchors.fill: parent
        Repeater {
            model: bar.tabs
            Item {
                objectName: "tab" + index
                width: bar.width / bar.tabs.length
                height: bar.height
                readonly property bool selected: index === bar.selectedIndex

                Image {
                    id: icon
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 5
                    width: 30; height: 30
                    sourceSize: Qt.size(90, 90)
                    source: bundleUrl + modelData.tabBarImage
                    opacity: selected ? 1 : 0.5
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 38
                    width: parent.width - 4
                    text: modelData.title
                    color: selected ? "#4aa3ff" : "#9aa0a6"
                    font.pixelSize: 9
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: bar.tabClicked(index)
                }
            }
        }
    }
}
