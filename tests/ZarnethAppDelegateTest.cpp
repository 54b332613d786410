#include "ZarnethAppDelegate.h"

#include "DataModel/ZRCommandList.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/System/UserDefaults.h"
#include "Platform/Time/VirtualClock.h"
#include "support/IsolatedStorage.h"
#include "support/LogCapture.h"
#include "support/UrlCatcher.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

class ZarnethAppDelegateTest : public ::testing::Test {
protected:
    // A setting as the next run reads it: "true", "3".
    static QString setting(const char* key)
    {
        return UserDefaults::standardUserDefaults().objectForKey(key).toString();
    }

    IsolatedStorage m_storage;
    VirtualClock m_clock;
    VirtualAudioDevice m_device {m_clock};
};

TEST_F(ZarnethAppDelegateTest, DefaultsAreWrittenOnceAndTheUsersValuesStay)
{
    ZarnethAppDelegate(m_device).setupDefaults();
    const std::map<const char*, QString> defaults {{"Confirmations", "false"}, {"VoiceGuide", "true"},
        {"UpTo3SampleInfoCount", "3"}, {"CommandListHasData", "false"}, {"Dialing", "false"}};
    for (const auto& [key, value] : defaults)
        EXPECT_EQ(setting(key), value) << key;

    UserDefaults user = UserDefaults::standardUserDefaults();
    user.setBool(false, "VoiceGuide");
    user.setInteger(0, "UpTo3SampleInfoCount");
    user.synchronize();
    ZarnethAppDelegate(m_device).setupDefaults();
    EXPECT_EQ(setting("VoiceGuide"), "false");
    EXPECT_EQ(setting("UpTo3SampleInfoCount"), "0");
}

TEST_F(ZarnethAppDelegateTest, TheNumberIsDialledWithoutItsSpacesAndTheRunRemembersIt)
{
    UrlCatcher system({"tel", "https"});
    ZarnethAppDelegate run(m_device);
    run.exitToPhone("+49 (170) 123-45 67");
    EXPECT_EQ(system.opened, QStringList("tel:+49(170)123-4567"));
    LogCapture log;
    run.applicationWillTerminate();
    EXPECT_EQ(log.lines(), QStringList("running applicationWillTerminate"));
    EXPECT_EQ(setting("Dialing"), "true");
    EXPECT_TRUE(QFile::exists(ZRCommandList::createCommandListFileURL())) << "the store is saved at the end";

    // The next run opens the maker's site instead and does not dial.
    ZarnethAppDelegate next(m_device);
    next.exitToPhone("112");
    next.exitToNestrivo();
    EXPECT_EQ(system.opened.back(), ZarnethAppDelegate::kMakerSite);
    next.applicationWillTerminate();
    EXPECT_EQ(setting("Dialing"), "false");
}

}  // namespace
