import QtQuick
import Zarneth

// A screen that is a grouped table, with a search field over it when its
// controller filters its rows.
Rectangle {
    id: page
    required property TableViewController controller
    color: "black"

    Rectangle {
        id: search
        visible: page.controller.searchable
        x: 10; y: visible ? 8 : 0
        width: parent.width - 20
        height: visible ? 32 : 0
        radius: 8
        color: "#1f2327"
        TextInput {
            id: searchInput
            objectName: "searchField"
            anchors.fill: parent
            anchors.leftMargin: 12; anchors.rightMargin: 12
            verticalAlignment: TextInput.AlignVCenter
            color: "white"
            font.pixelSize: 15
            clip: true
            text: page.controller.searchText
            onTextEdited: page.controller.searchText = searchInput.text
        }
        Text {
            anchors.fill: searchInput
            verticalAlignment: Text.AlignVCenter
            visible: searchInput.text.length === 0
            text: qsTrId("searchPlaceholder")
            color: "#6b737b"
            font.pixelSize: 15
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
        bottomMargin: 10
        model: page.controller.rows
        delegate: TableCell {
            required property tableViewEntry modelData
            width: table.width
            entryData: modelData
            onClicked: page.controller.selectRow(modelData.section, modelData.row)
        }
    }
}
