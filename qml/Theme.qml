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

    // Type.
    readonly property string fontFamily: "Helvetica"
    readonly property int fontSizeHuge: 24
    readonly property int fontSizeLarge: 18
    readonly property int fontSizeBody: 17
    readonly property int fontSizeButton: 16
    readonly property int fontSizeCallout: 15
    readonly property int fontSizeSubhead: 14
    readonly property int fontSizeFootnote: 13
    readonly property int fontSizeCaption: 12
    readonly property int fontSizeSmallest: 10
    readonly property int fontSizeTab: 9

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
