import QtQuick

// A button of a sheet or an alert.
Rectangle {
    id: button
    property string text
    property bool cancel: false
    property bool destructive: false
    property bool light: false
    signal clicked()

    height: Theme.buttonHeight
    radius: Theme.cornerRadius
    color: destructive ? Theme.destructiveButton
         : cancel ? (light ? Theme.lightCancelButton : Theme.cancelButton)
         : (light ? Theme.lightButton : Theme.button)
    opacity: area.pressed ? 0.7 : 1

    Text {
        anchors.centerIn: parent
        width: parent.width - 2 * Theme.smallMargin
        text: button.text
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        font.pixelSize: Theme.fontSizeBody
        font.bold: button.cancel
        color: button.destructive ? Theme.text
             : button.cancel ? (button.light ? Theme.buttonText : Theme.text)
             : Theme.buttonText
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
