import QtQuick

// A grouped table: its rows in one rounded section on a dark ground. It
// does not scroll.
Rectangle {
    id: table
    default property alias rows: section.children
    color: Theme.background

    Rectangle {
        x: Theme.margin; y: Theme.margin
        width: table.width - 2 * Theme.margin
        height: section.height
        radius: Theme.cornerRadius
        color: Theme.groupBackground
        clip: true
        Column {
            id: section
            width: parent.width
        }
    }
}
