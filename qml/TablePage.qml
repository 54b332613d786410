pragma ComponentBehavior: Bound
import QtQuick
import Zarneth

// A screen that is a grouped table, with a search field over it when its
// controller filters its rows. Down in the search field goes to the first
// row; Up and Down on a row go to the enabled row above or below it.
Rectangle {
    id: page
    required property TableViewController controller
    color: Theme.background

    // The focus to the enabled row `step` rows away from the entry at `from`.
    function moveFocus(from: int, step: int) {
        const rows = page.controller.rows
        for (let index = from + step; index >= 0 && index < rows.length; index += step) {
            if (rows[index].kind === "cell" && rows[index].enabled) {
                table.positionViewAtIndex(index, ListView.Contain)
                const target = table.itemAtIndex(index) as TableCell
                if (target)
                    target.focusRow()
                return
            }
        }
        if (step < 0 && search.visible)
            searchInput.forceActiveFocus(Qt.TabFocusReason)
    }

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
            activeFocusOnTab: true
            Accessible.role: Accessible.EditableText
            Accessible.name: qsTrId("searchPlaceholder")
            Accessible.searchEdit: true
            Keys.onPressed: (event) => {
                Theme.keyboardInUse = true
                if (event.key === Qt.Key_Down) {
                    event.accepted = true
                    page.moveFocus(-1, 1)
                }
            }
        }
        Rectangle {
            anchors.fill: parent
            visible: searchInput.activeFocus && Theme.keyboardInUse
            color: "transparent"
            radius: parent.radius
            border.color: Theme.focusRing
            border.width: Theme.focusRingWidth
        }
        Text {
            anchors.fill: searchInput
            verticalAlignment: Text.AlignVCenter
            visible: searchInput.text.length === 0
            text: qsTrId("searchPlaceholder")
            Accessible.ignored: true
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
        // Rows beyond the edge are made too, so that Tab reaches them.
        cacheBuffer: 2000
        model: page.controller.rows
        delegate: TableCell {
            required property int index
            required property tableViewEntry modelData
            width: table.width
            entryData: modelData
            onClicked: page.controller.selectRow(modelData.section, modelData.row)
            onMoved: (step) => page.moveFocus(index, step)
            onFocused: table.positionViewAtIndex(index, ListView.Contain)
        }
    }
}
