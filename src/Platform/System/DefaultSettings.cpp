#include "Platform/System/DefaultSettings.h"

#include "Platform/System/SettingsKey.h"
#include "Platform/System/UserDefaults.h"

void DefaultSettings::setupDefaults()
{
    UserDefaults defaults = UserDefaults::standardUserDefaults();
    const auto ensure = [&defaults](const QString& key, auto value) {
        if (defaults.hasObjectForKey(key))
            return;
        if constexpr (std::is_same_v<decltype(value), bool>)
            defaults.setBool(value, key);
        else
            defaults.setInteger(value, key);
    };
    ensure(SettingsKey::Confirmations, false);
    ensure(SettingsKey::VoiceGuide, true);
    ensure(SettingsKey::UpTo3SampleInfoCount, 3);
    ensure(SettingsKey::CommandListHasData, false);
    ensure(SettingsKey::Dialing, false);
    defaults.synchronize();
}
