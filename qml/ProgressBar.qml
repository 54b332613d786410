import QtQuick

// A thin bar filling from the left, 0 to 1. A screen reader hears it as a
// progress indicator with its value: in percent as its description (Qt 6.4
// gives a QML item's value to readers only for some roles), and between the
// two bounds below where Qt does.
Rectangle {
    id: bar
    property real value: 0
    property color trackColor: Theme.progressTrack
    // Read by Qt's accessibility for the indicator's range.
    readonly property real minimumValue: 0
    readonly property real maximumValue: 1
    height: Theme.progressBarHeight
    radius: 3
    color: trackColor
    Accessible.role: Accessible.ProgressBar
    Accessible.name: qsTrId("accessibleProgressName")
    Accessible.description: qsTrId("accessibleProgressValue").arg(Math.round(100 * Math.max(0, Math.min(1, bar.value))))
    Rectangle {
        width: bar.width * Math.max(0, Math.min(1, bar.value))
        height: bar.height
        radius: bar.radius
        color: Theme.accent
    }
}
