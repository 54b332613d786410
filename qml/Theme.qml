pragma Singleton
import QtQuick

// The look of every screen in one place: colours, type sizes, margins and
// heights, in the 320 × 480 point space of the phone face.
QtObject {
    readonly property int screenWidth: 320
    readonly property int screenHeight: 480

    // Grounds.
    readonly property color background: "black"
    readonly property color groupBackground: "#1f2327"
    readonly property color groupPressed: "#2c3338"
    readonly property color navigationBarBackground: "#1b1e21"
    readonly property color tabBarBackground: "#151719"
    readonly property color separator: "#2c3034"
    readonly property color dimming: "#99000000"
    readonly property color alertBackground: "#eef2f6"
    readonly property color helpBackground: "#f4f6f8"
    readonly property color aboutPanel: "#e8eef4"

    // Texts.
    readonly property color text: "white"
    readonly property color sectionText: "#8d969e"
    readonly property color detailText: "#aab3bb"
    readonly property color disabledText: "#6b737b"
    readonly property color tabText: "#9aa0a6"
    readonly property color sheetTitle: "#c8cdd2"
    readonly property color alertTitle: "#101214"
    readonly property color alertMessage: "#2a2e33"
    readonly property color helpText: "#1d2125"
    readonly property color aboutText: "#5b6670"
    readonly property color warningText: "#ffcc66"
    readonly property color alarmText: "#ff3b30"

    // Buttons, switches and bars.
    readonly property color accent: "#4aa3ff"
    readonly property color disabledAccent: "#4a5158"
    readonly property color buttonText: "#1a73d9"
    readonly property color button: "#e9edf1"
    readonly property color lightButton: "#ffffff"
    readonly property color cancelButton: "#3a3f45"
    readonly property color lightCancelButton: "#d6dde4"
    readonly property color destructiveButton: "#d93b30"
    readonly property color switchOn: "#34c759"
    readonly property color switchOff: "#3a3f45"
    readonly property color progressTrack: "#4a545e"
    readonly property color lightProgressTrack: "#c8d0d8"
    // The ring around the control that keys act on, seen on dark and on
    // light grounds alike.
    readonly property color focusRing: "#ffb020"
    readonly property int focusRingWidth: 2
    // Rings are drawn once a key was pressed: a tap moves no focus, so
    // someone who only taps would see a ring that means nothing to them.
    property bool keyboardInUse: false

    // Type. The sizes grow with the system's text size: the application's
    // default font against the 10 point face these sizes were drawn for
    // (never smaller than drawn). Rows, buttons and sheet texts wrap and
    // grow with them.
    // The linter of Qt 6.4 knows Qt.application without its font.
    readonly property real fontScale: Math.max(1, Qt.application.font.pointSize / 10) // qmllint disable type
    readonly property string fontFamily: "Helvetica"
    readonly property int fontSizeHuge: Math.round(24 * fontScale)
    readonly property int fontSizeLarge: Math.round(18 * fontScale)
    readonly property int fontSizeBody: Math.round(17 * fontScale)
    readonly property int fontSizeButton: Math.round(16 * fontScale)
    readonly property int fontSizeCallout: Math.round(15 * fontScale)
    readonly property int fontSizeSubhead: Math.round(14 * fontScale)
    readonly property int fontSizeFootnote: Math.round(13 * fontScale)
    readonly property int fontSizeCaption: Math.round(12 * fontScale)
    readonly property int fontSizeSmallest: Math.round(10 * fontScale)
    readonly property int fontSizeTab: Math.round(9 * fontScale)

    // Margins and corners.
    readonly property int margin: 10
    readonly property int padding: 12
    readonly property int wideMargin: 20
    readonly property int smallMargin: 8
    readonly property int alertPadding: 16
    readonly property int cornerRadius: 10

    // Heights.
    readonly property int navigationBarHeight: 44
    readonly property int tabBarHeight: 49
    readonly property int rowHeight: 44
    readonly property int switchRowHeight: 50
    readonly property int buttonHeight: 44
    readonly property int searchFieldHeight: 32
    readonly property int progressBarHeight: 6
    readonly property int hairline: 1
    // The info button's touch area, in the dial screen's corner.
    readonly property int infoButtonSize: 80
}
