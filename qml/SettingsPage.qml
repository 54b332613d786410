import QtQuick
import Zarneth

// The settings: confirmations and the voice guide.
GroupedTable {
    id: page
    required property DefaultsViewController controller

    SwitchRow {
        text: page.controller.confirmationsText
        switchObjectName: "confirmationsSwitch"
        checked: page.controller.confirmationsSwitchOn
        onToggled: (on) => page.controller.confirmationSwitchAction(on)
    }
    SwitchRow {
        text: page.controller.voiceGuideText
        switchObjectName: "voiceGuideSwitch"
        checked: page.controller.voiceGuideSwitchOn
        onToggled: (on) => page.controller.voiceGuideSwitchAction(on)
    }
}
