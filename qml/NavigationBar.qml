import QtQuick

// The bar over a screen: its title, a back button with the previous
// screen's title (or a button of the screen's own on the left), and an
// optional button on the right. Its buttons take the focus in that order
// and are pressed with Enter or Space as with a tap.
Rectangle {
    id: bar
    property string title
    property string backTitle
    // The title of the screen the back button goes to, for a screen reader
    // (the button itself may only say "Back").
    property string backScreenTitle
    property string leftTitle
    property string rightTitle
    property bool rightEnabled: true
    signal backClicked()
    signal leftClicked()
    signal rightClicked()

    // Enter or Space on a button of the bar.
    function press(event: KeyEvent, action: var) {
        Theme.keyboardInUse = true
        if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
            event.accepted = true
            if (!event.isAutoRepeat)
                action()
        }
    }

    height: Theme.navigationBarHeight
    color: Theme.navigationBarBackground
    Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: Theme.hairline; color: Theme.separator }

    Text {
        objectName: "navigationTitle"
        anchors.centerIn: parent
        // Between the buttons, whatever the text size: a long title
        // shrinks, and only then is cut short.
        width: parent.width - 2 * (80 + Theme.margin)
        text: bar.title
        color: Theme.text
        font.pixelSize: Theme.fontSizeBody
        font.bold: true
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontSizeFootnote
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        Accessible.role: Accessible.Heading
    }

    Text {
        objectName: "backButton"
        visible: bar.backTitle.length > 0
        x: Theme.smallMargin
        anchors.verticalCenter: parent.verticalCenter
        width: 80
        text: "‹ " + bar.backTitle
        color: Theme.accent
        font.pixelSize: Theme.fontSizeButton
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontSizeCaption
        elide: Text.ElideRight
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: qsTrId("accessibleBackName").arg(bar.backScreenTitle || bar.backTitle)
        Accessible.onPressAction: bar.backClicked()
        Keys.onPressed: (event) => bar.press(event, bar.backClicked)
        Rectangle {
            anchors.fill: parent; anchors.margins: -4
            visible: parent.activeFocus && Theme.keyboardInUse
            color: "transparent"; radius: 4
            border.color: Theme.focusRing; border.width: Theme.focusRingWidth
        }
        MouseArea { anchors.fill: parent; anchors.margins: -Theme.smallMargin; onClicked: bar.backClicked() }
    }

    Text {
        objectName: "leftButton"
        visible: bar.backTitle.length === 0 && bar.leftTitle.length > 0
        x: Theme.margin
        anchors.verticalCenter: parent.verticalCenter
        width: 80
        text: bar.leftTitle
        color: Theme.accent
        font.pixelSize: Theme.fontSizeButton
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontSizeCaption
        elide: Text.ElideRight
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: bar.leftTitle
        Accessible.onPressAction: bar.leftClicked()
        Keys.onPressed: (event) => bar.press(event, bar.leftClicked)
        Rectangle {
            anchors.fill: parent; anchors.margins: -4
            visible: parent.activeFocus && Theme.keyboardInUse
            color: "transparent"; radius: 4
            border.color: Theme.focusRing; border.width: Theme.focusRingWidth
        }
        MouseArea { anchors.fill: parent; anchors.margins: -Theme.smallMargin; onClicked: bar.leftClicked() }
    }

    Text {
        objectName: "rightButton"
        visible: bar.rightTitle.length > 0
        anchors.right: parent.right
        anchors.rightMargin: Theme.margin
        anchors.verticalCenter: parent.verticalCenter
        width: 80
        text: bar.rightTitle
        color: bar.rightEnabled ? Theme.accent : Theme.disabledAccent
        font.pixelSize: Theme.fontSizeButton
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: Theme.fontSizeCaption
        horizontalAlignment: Text.AlignRight
        elide: Text.ElideRight
        enabled: bar.rightEnabled
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: bar.rightTitle
        Accessible.onPressAction: bar.rightClicked()
        Keys.onPressed: (event) => bar.press(event, bar.rightClicked)
        Rectangle {
            anchors.fill: parent; anchors.margins: -4
            visible: parent.activeFocus && Theme.keyboardInUse
            color: "transparent"; radius: 4
            border.color: Theme.focusRing; border.width: Theme.focusRingWidth
        }
        MouseArea {
            anchors.fill: parent; anchors.margins: -Theme.smallMargin
            enabled: bar.rightEnabled
            onClicked: bar.rightClicked()
        }
    }
}
