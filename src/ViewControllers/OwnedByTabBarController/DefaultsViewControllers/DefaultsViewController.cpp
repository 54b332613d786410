#include "ViewControllers/OwnedByTabBarController/DefaultsViewControllers/DefaultsViewController.h"

#include "DataModel/ZRCommandList.h"
#include "Platform/System/SettingsKey.h"
#include "Platform/System/UserDefaults.h"

DefaultsViewController::DefaultsViewController(const ScreenServices& services, QObject* parent)
    : ViewController(parent)
    , m_services(services)
{
    setTitle(qtTrId("tabBarPreferencesTitle"));
    setPage(QStringLiteral("SettingsPage.qml"));
}

void DefaultsViewController::loadView()
{
    showStoredValues();
}

void DefaultsViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    showStoredValues();
}

void DefaultsViewController::showStoredValues()
{
    const UserDefaults defaults = UserDefaults::standardUserDefaults();
    setSwitches(defaults.boolForKey(SettingsKey::Confirmations), defaults.boolForKey(SettingsKey::VoiceGuide));
}

QString DefaultsViewController::confirmationsText() const
{
    return qtTrId("prefsConfSwitch");
}

QString DefaultsViewController::voiceGuideText() const
{
    return qtTrId("prefsVoiceGuideSwitch");
}

void DefaultsViewController::confirmationSwitchAction(bool on)
{
    if (m_services.commandList.hasAllSystemCommands()) {
        UserDefaults defaults = UserDefaults::standardUserDefaults();
        defaults.setBool(on, SettingsKey::Confirmations);
        defaults.synchronize();
        setSwitches(on, m_voiceGuideSwitchOn);
        return;
    }
    // Whichever way it was moved, it goes back off, and the stored value
    // stays as it was.
    setSwitches(false, m_voiceGuideSwitchOn);
    const auto alert = AlertView::create(
        qtTrId("switchLockInfoTitle"), qtTrId("switchLockInfoText"), this, qtTrId("actionsheetOK"), {});
    alert->show(m_services.popupHost);
}

void DefaultsViewController::voiceGuideSwitchAction(bool on)
{
    UserDefaults defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(on, SettingsKey::VoiceGuide);
    defaults.synchronize();
    setSwitches(m_confirmationsSwitchOn, on);
}

void DefaultsViewController::setSwitches(bool confirmations, bool voiceGuide)
{
    // A switch on the page shows only this value and never moves by itself,
    // so one that is refused has nothing to snap back from.
    if (m_confirmationsSwitchOn != confirmations) {
        m_confirmationsSwitchOn = confirmations;
        emit confirmationsSwitchOnChanged();
    }
    if (m_voiceGuideSwitchOn != voiceGuide) {
        m_voiceGuideSwitchOn = voiceGuide;
        emit voiceGuideSwitchOnChanged();
    }
}
