import QtQuick

// The settings: confirmations and the voice guide.
GroupedTable {
    property var controller

    SwitchRow {
        text: controller.confirmationsText
        switchObjectName: "confirmationsSwitch"
        checked: controller.confirmationsSwitchOn
        onToggled: (on) => controller.confirmationSwitchAction(on)
    }
    SwitchRow {
        text: controller.voiceGuideText
        switchObjectName: "voiceGuideSwitch"
        checked: controller.voiceGuideSwitchOn
        onToggled: (on) => controller.voiceGuideSwitchAction(on)
    }
}
