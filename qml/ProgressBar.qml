import QtQuick

// A thin bar filling from the left, 0 to 1.
Rectangle {
    id: bar
    property real value: 0
    property color trackColor: Theme.progressTrack
    height: Theme.progressBarHeight
    radius: 3
    color: trackColor
    Rectangle {
        width: bar.width * Math.max(0, Math.min(1, bar.value))
        height: bar.height
        radius: bar.radius
        color: Theme.accent
    }
}
