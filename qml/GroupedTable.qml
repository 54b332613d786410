import QtQuick

// A grouped table: its rows in one rounded section on a dark ground. It
// does not scroll.
Rectangle {
    id: table
    default property alias rows: section.children
    color: "black"

    Rectangle {
        x: 10; y: 10
        width: table.width - 20
        height: section.height
        radius: 10
        color: "#1f2327"
        clip: true
        Column {
            id: section
            width: parent.width
        }
    }
}
