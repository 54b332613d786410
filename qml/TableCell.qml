import QtQuick

// One entry of a grouped table: a section header, a row, or a section
// footer. A row has its text on the left, up to two small texts on the
// right and an accessory mark; the first and last rows of a section round
// the group's corners.
Item {
    id: entry
    property var entryData
    signal clicked()

    readonly property bool isCell: entryData.kind === "cell"
    width: parent ? parent.width : 320
    height: isCell ? 44 : (label.paintedHeight + (entryData.kind === "header" ? 22 : 14))

    Text {
        id: label
        visible: !entry.isCell
        x: 20
        y: entryData.kind === "header" ? 14 : 6
        width: entry.width - 40
        text: entry.isCell ? "" : entryData.text
        color: "#8d969e"
        font.pixelSize: entryData.kind === "header" ? 13 : 12
        font.capitalization: entryData.kind === "header" ? Font.AllUppercase : Font.MixedCase
        wrapMode: Text.WordWrap
        horizontalAlignment: entryData.kind === "footer" ? Text.AlignHCenter : Text.AlignLeft
    }

    Item {
        visible: entry.isCell
        objectName: entry.isCell ? "cell_" + entryData.section + "_" + entryData.row : ""
        x: 10
        width: entry.width - 20
        height: entry.height

        // The group's background: rounded at the section's ends only.
        Rectangle {
            anchors.fill: parent
            radius: 10
            color: tap.pressed && entryData.enabled ? "#2c3338" : "#1f2327"
            Rectangle {
                visible: !entryData.first
                width: parent.width; height: parent.height / 2
                color: parent.color
            }
            Rectangle {
                visible: !entryData.last
                y: parent.height / 2
                width: parent.width; height: parent.height / 2
                color: parent.color
            }
        }

        Text {
            x: 12
            anchors.verticalCenter: parent.verticalCenter
            width: (entryData.detailText || entryData.secondDetailText) ? details.x - 18 : parent.width - 44
            text: entry.isCell ? entryData.text : ""
            color: entryData.enabled ? "white" : "#6b737b"
            font.pixelSize: 17
            font.bold: true
            elide: Text.ElideRight
        }
        Column {
            id: details
            x: parent.width - 140
            width: 112
            anchors.verticalCenter: parent.verticalCenter
            Repeater {
                model: entry.isCell ? [entryData.detailText, entryData.secondDetailText] : []
                Text {
                    visible: modelData.length > 0
                    width: parent.width
                    text: modelData
                    color: "#aab3bb"
                    font.pixelSize: 12
                    elide: Text.ElideRight
                }
            }
        }
        Text {
            objectName: "accessory"
            anchors.right: parent.right
            anchors.rightMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            text: entryData.accessory === "checkmark" ? "✓" : entryData.accessory === "disclosure" ? "›" : ""
            color: entryData.accessory === "checkmark" ? "#4aa3ff" : "#6b737b"
            font.pixelSize: entryData.accessory === "checkmark" ? 18 : 24
        }
        Rectangle {
            visible: !entryData.last
            anchors.bottom: parent.bottom
            x: 12; width: parent.width - 12; height: 1
            color: "#2c3034"
        }
        MouseArea {
            id: tap
            anchors.fill: parent
            enabled: entry.isCell
            onClicked: entry.clicked()
        }
    }
}
