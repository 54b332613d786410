pragma ComponentBehavior: Bound
import QtQuick
import Zarneth

// One entry of a grouped table: a section header, a row, or a section
// footer. A row has its text on the left, up to two small texts on the
// right and an accessory mark; the first and last rows of a section round
// the group's corners.
Item {
    id: entry
    required property tableViewEntry entryData
    signal clicked()

    readonly property bool isCell: entryData.kind === "cell"
    readonly property bool isHeader: entryData.kind === "header"
    width: parent ? parent.width : Theme.screenWidth
    height: isCell ? Theme.rowHeight : (label.paintedHeight + (isHeader ? 22 : 14))

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
        visible: entry.isCell
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
            x: Theme.padding
            anchors.verticalCenter: parent.verticalCenter
            width: (entry.entryData.detailText || entry.entryData.secondDetailText) ? details.x - 18 : parent.width - 44
            text: entry.isCell ? entry.entryData.text : ""
            color: entry.entryData.enabled ? Theme.text : Theme.disabledText
            font.pixelSize: Theme.fontSizeBody
            font.bold: true
            elide: Text.ElideRight
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
                    elide: Text.ElideRight
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
            enabled: entry.isCell
            onClicked: entry.clicked()
        }
    }
}
