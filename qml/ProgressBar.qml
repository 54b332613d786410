import QtQuick

// A thin bar filling from the left, 0 to 1.
Rectangle {
    id: bar
    property real value: 0
    property color trackColor: "#4a545e"
    height: 6
    radius: 3
    color: trackColor
    Rectangle {
        width: bar.width * Math.max(0, Math.min(1, bar.value))
        height: bar.height
        radius: bar.radius
        color: "#4aa3ff"
    }
}
