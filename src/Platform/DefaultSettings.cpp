#include "Platform/DefaultSettings.h"

#include "Platform/UserDefaults.h"

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
    ensure(QStringLiteral("Confirmations"), false);
    ensure(QStringLiteral("VoiceGuide"), true);
    ensure(QStringLiteral("UpTo3SampleInfoCount"), 3);
    ensure(QStringLiteral("CommandListHasData"), false);
    ensure(QStringLiteral("Dialing"), false);
    defaults.synchronize();
}
