pragma ComponentBehavior: Bound
import QtQuick
import Zarneth

// A screen that is a grouped table, with a search field over it when its
// controller filters its rows.
Rectangle {
    id: page
    required property TableViewController controller
    color: Theme.background

    Rectangle {
        id: search
        visible: page.controller.searchable
        x: Theme.margin; y: visible ? Theme.smallMargin : 0
        width: parent.width - 2 * Theme.margin
        height: visible ? Theme.searchFieldHeight : 0
        radius: Theme.smallMargin
        color: Theme.groupBackground
        TextInput {
            id: searchInput
            objectName: "searchField"
            anchors.fill: parent
            anchors.leftMargin: Theme.padding; anchors.rightMargin: Theme.padding
            verticalAlignment: TextInput.AlignVCenter
            color: Theme.text
            font.pixelSize: Theme.fontSizeCallout
            clip: true
            text: page.controller.searchText
            onTextEdited: page.controller.searchText = searchInput.text
        }
        Text {
            anchors.fill: searchInput
            verticalAlignment: Text.AlignVCenter
            visible: searchInput.text.length === 0
            text: qsTrId("searchPlaceholder")
            color: Theme.disabledText
            font.pixelSize: Theme.fontSizeCallout
        }
    }

    ListView {
        id: table
        objectName: "table"
        anchors.top: search.bottom
        anchors.topMargin: search.visible ? 4 : 0
        width: parent.width
        height: parent.height - y
        clip: true
        bottomMargin: Theme.margin
        model: page.controller.rows
        delegate: TableCell {
            required property tableViewEntry modelData
            width: table.width
            entryData: modelData
            onClicked: page.controller.selectRow(modelData.section, modelData.row)
        }
    }
}
