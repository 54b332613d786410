import QtQuick

// A button of a sheet or an alert.
Rectangle {
    id: button
    property string text
    property bool cancel: false
    property bool destructive: false
    property bool light: false
    signal clicked()

    height: 44
    radius: 10
    color: destructive ? "#d93b30"
         : cancel ? (light ? "#d6dde4" : "#3a3f45")
         : (light ? "#ffffff" : "#e9edf1")
    opacity: area.pressed ? 0.7 : 1

    Text {
        anchors.centerIn: parent
        width: parent.width - 16
        text: button.text
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        font.pixelSize: 17
        font.bold: button.cancel
        color: button.destructive ? "white"
             : button.cancel ? (button.light ? "#1a73d9" : "white")
             : "#1a73d9"
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
