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
    static QVariant setting(const char* key) { return UserDefaults::standardUserDefaults().objectForKey(key); }

    IsolatedStorage m_storage;
    VirtualClock m_clock;
    VirtualAudioDevice m_device {m_clock};
};

TEST_F(ZarnethAppDelegateTest, DefaultsAreWrittenOnceAndTheUsersValuesStay)
{
    ZarnethAppDelegate first(m_device);
    first.setupDefaults();
    EXPECT_EQ(setting("Confirmations").toBool(), false);
    EXPECT_EQ(setting("VoiceGuide").toBool(), true);
    EXPECT_EQ(setting("UpTo3SampleInfoCount").toInt(), 3);
    EXPECT_EQ(setting("CommandListHasData").toBool(), false);
    EXPECT_EQ(setting("Dialing").toBool(), false);

    UserDefaults defaults = UserDefaults::standardUserDefaults();
    defaults.setBool(false, "VoiceGuide");
    defaults.setInteger(0, "UpTo3SampleInfoCount");
    defaults.synchronize();
    ZarnethAppDelegate second(m_device);
    second.setupDefaults();
    EXPECT_EQ(setting("VoiceGuide").toBool(), false);
    EXPECT_EQ(setting("UpTo3SampleInfoCount").toInt(), 0);
}

TEST_F(ZarnethAppDelegateTest, TheNumberIsDialledWithoutItsSpacesAndTheRunRemembersIt)
{
    UrlCatcher system({"tel", "https"});
    ZarnethAppDelegate run(m_device);
    run.exitToPhone("+49 (170) 123-45 67");
    EXPECT_EQ(system.opened, QStringList("tel:+49(170)123-4567"));
    EXPECT_TRUE(run.leavingToDialNumber());

    LogCapture log;
    run.applicationWillTerminate();
    EXPECT_EQ(log.lines(), QStringList("running applicationWillTerminate"));
    EXPECT_TRUE(setting("Dialing").toBool());
    EXPECT_TRUE(QFile::exists(ZRCommandList::createCommandListFileURL())) << "the store is saved at the end";

    // The next run opens the maker's site instead and does not dial.
    ZarnethAppDelegate next(m_device);
    next.exitToPhone("112");
    next.exitToNestrivo();
    EXPECT_FALSE(next.leavingToDialNumber());
    EXPECT_EQ(system.opened.back(), ZarnethAppDelegate::kMakerSite);
    next.applicationWillTerminate();
    EXPECT_FALSE(setting("Dialing").toBool());
}

TEST_F(ZarnethAppDelegateTest, AFailedHandOverIsReportedAndDoesNotCountAsDialling)
{
    qputenv("ZARNETH_URL_OPENER", "false");
    ZarnethAppDelegate run(m_device);
    QStringList failed;
    QObject::connect(&run, &ZarnethAppDelegate::dialFailed, [&failed](const QString& number) { failed << number; });
    run.exitToPhone("0170 1");
    qunsetenv("ZARNETH_URL_OPENER");
    EXPECT_EQ(failed, QStringList("0170 1"));
    EXPECT_FALSE(run.leavingToDialNumber());
}

}  // namespace
