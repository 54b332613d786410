pragma ComponentBehavior: Bound
import QtQuick
import Zarneth

// One entry of a grouped table: a section header, a row, or a section
// footer. A row has its text on the left, up to two small texts on the
// right and an accessory mark; the first and last rows of a section round
// the group's corners. Large text wraps and the row grows with it.
//
// A row takes the focus (Enter or Space select it, Up and Down go to the
// rows around it through moved()) and tells a screen reader its text, its
// small texts, whether it is enabled and whether it bears a checkmark.
Item {
    id: entry
    required property tableViewEntry entryData
    signal clicked()
    signal moved(int step)
    signal focused()

    function focusRow() {
        cell.forceActiveFocus(Qt.TabFocusReason)
    }

    readonly property bool isCell: entryData.kind === "cell"
    readonly property bool isHeader: entryData.kind === "header"
    width: parent ? parent.width : Theme.screenWidth
    height: isCell ? Math.max(Theme.rowHeight, title.paintedHeight + 12, details.height + 12)
                   : (label.paintedHeight + (isHeader ? 22 : 14))

    Text {
        id: label
        visible: !entry.isCell
        x: Theme.wideMargin
        y: entry.isHeader ? 14 : 6
        width: entry.width - 2 * Theme.wideMargin
        text: entry.isCell ? "" : entry.entryData.text
        color: Theme.sectionText
        font.pixelSize: entry.isHeader ? Theme.fontSizeFootnote : Theme.fontSizeCaption
        font.capitalization: entry.isHeader ? Font.AllUppercase : Font.MixedCase
        wrapMode: Text.WordWrap
        horizontalAlignment: entry.entryData.kind === "footer" ? Text.AlignHCenter : Text.AlignLeft
    }

    Item {
        id: cell
        visible: entry.isCell
        enabled: entry.isCell && entry.entryData.enabled
        activeFocusOnTab: entry.isCell
        Accessible.role: Accessible.ListItem
        Accessible.name: entry.isCell ? entry.entryData.text : ""
        Accessible.description: {
            const detail = entry.entryData.detailText
            const second = entry.entryData.secondDetailText
            return detail.length > 0 && second.length > 0 ? detail + ", " + second : detail + second
        }
        Accessible.selectable: entry.entryData.accessory === "checkmark"
        Accessible.selected: entry.entryData.accessory === "checkmark"
        Accessible.onPressAction: entry.clicked()
        onActiveFocusChanged: {
            if (activeFocus)
                entry.focused()
        }
        Keys.onPressed: (event) => {
            Theme.keyboardInUse = true
            if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
                event.accepted = true
                if (!event.isAutoRepeat)
                    entry.clicked()
            } else if (event.key === Qt.Key_Up || event.key === Qt.Key_Down) {
                event.accepted = true
                entry.moved(event.key === Qt.Key_Up ? -1 : 1)
            }
        }
        objectName: entry.isCell ? "cell_" + entry.entryData.section + "_" + entry.entryData.row : ""
        x: Theme.margin
        width: entry.width - 2 * Theme.margin
        height: entry.height

        // The group's background: rounded at the section's ends only.
        Rectangle {
            id: background
            anchors.fill: parent
            radius: Theme.cornerRadius
            color: tap.pressed && entry.entryData.enabled ? Theme.groupPressed : Theme.groupBackground
            Rectangle {
                visible: !entry.entryData.first
                width: parent.width; height: parent.height / 2
                color: background.color
            }
            Rectangle {
                visible: !entry.entryData.last
                y: parent.height / 2
                width: parent.width; height: parent.height / 2
                color: background.color
            }
        }

        Text {
            id: title
            x: Theme.padding
            anchors.verticalCenter: parent.verticalCenter
            width: (entry.entryData.detailText || entry.entryData.secondDetailText) ? details.x - 18 : parent.width - 44
            text: entry.isCell ? entry.entryData.text : ""
            color: entry.entryData.enabled ? Theme.text : Theme.disabledText
            font.pixelSize: Theme.fontSizeBody
            font.bold: true
            wrapMode: Text.Wrap
            Accessible.ignored: true
        }
        Column {
            id: details
            x: parent.width - 140
            width: 112
            anchors.verticalCenter: parent.verticalCenter
            Repeater {
                model: entry.isCell ? [entry.entryData.detailText, entry.entryData.secondDetailText] : []
                Text {
                    required property string modelData
                    visible: modelData.length > 0
                    width: details.width
                    text: modelData
                    color: Theme.detailText
                    font.pixelSize: Theme.fontSizeCaption
                    wrapMode: Text.Wrap
                    Accessible.ignored: true
                }
            }
        }
        Text {
            objectName: "accessory"
            readonly property bool checkmark: entry.entryData.accessory === "checkmark"
            anchors.right: parent.right
            anchors.rightMargin: Theme.padding
            anchors.verticalCenter: parent.verticalCenter
            text: checkmark ? "✓" : entry.entryData.accessory === "disclosure" ? "›" : ""
            color: checkmark ? Theme.accent : Theme.disabledText
            font.pixelSize: checkmark ? Theme.fontSizeLarge : Theme.fontSizeHuge
            Accessible.ignored: true
        }
        Rectangle {
            anchors.fill: parent
            anchors.margins: 1
            visible: cell.activeFocus && Theme.keyboardInUse
            color: "transparent"
            radius: Theme.cornerRadius
            border.color: Theme.focusRing
            border.width: Theme.focusRingWidth
        }
        Rectangle {
            visible: !entry.entryData.last
            anchors.bottom: parent.bottom
            x: Theme.padding; width: parent.width - Theme.padding; height: Theme.hairline
            color: Theme.separator
        }
        MouseArea {
            id: tap
            anchors.fill: parent
            onClicked: entry.clicked()
        }
    }
}
