#include "ViewControllers/MainViewController.h"

#include "support/LogCapture.h"
#include "support/ScreenFixture.h"
#include "support/UrlCatcher.h"

namespace {

using namespace std::chrono_literals;

class MainViewControllerTest : public ScreenFixture {
protected:
    bool waitingForATap() const
    {
        return !m_screenView.screenButtonHidden() && !m_screenView.tapInfoLabelHidden()
            && m_screenView.configureInfoLabelHidden();
    }

    UrlCatcher m_dialler;
    MainViewController m_screenView {services()};
};

TEST_F(MainViewControllerTest, ItListensOnlyWithAMicrophoneAndOnlyANameRecognisedDials)
{
    // Without a microphone it says so instead of listening, until one is back.
    m_device.setMicrophoneConnected(false);
    const auto contact = trainDigit(ZRCommandTypePhone, 2);
    m_screenView.loadView();
    m_clock.advance(1s);
    EXPECT_EQ(m_screenView.deviceProblemText(), qtTrId("noMicrophoneText"));
    EXPECT_FALSE(m_screenView.screenButtonHidden()) << "a tap tries again";
    EXPECT_TRUE(m_screen.presented().empty()) << "nothing is recorded";

    m_device.setMicrophoneConnected(true);
    sayNothing();
    m_screenView.clickedScreenButton();
    m_clock.advance(1s);
    EXPECT_TRUE(m_screenView.deviceProblemText().isEmpty());
    EXPECT_FALSE(m_screen.presented().empty()) << "the tap starts listening";
    m_clock.runUntil([this] { return !m_screenView.screenButtonHidden(); }, 60s);
    EXPECT_TRUE(waitingForATap()) << "nothing recognised";

    // Back from the tabs: the old problem is not shown again.
    m_device.setMicrophoneConnected(false);
    m_screenView.clickedScreenButton();
    ASSERT_FALSE(m_screenView.deviceProblemText().isEmpty());
    m_screenView.viewWillAppear(true);
    EXPECT_TRUE(m_screenView.deviceProblemText().isEmpty());
    m_device.setMicrophoneConnected(true);

    m_screenView.clickedScreenButton();
    m_screenView.recognizedCommand(ZRCommand::initForCommandType(ZRCommandTypeAccept, m_store));
    EXPECT_TRUE(waitingForATap()) << "a system command is no number to dial";
    m_screenView.clickedScreenButton();
    m_screenView.recognizedCommand(contact);
    EXPECT_EQ(m_dialler.opened, QStringList("tel:+49170002")) << "the number alone";
    EXPECT_TRUE(m_application.leavingToDialNumber());

    // When the system takes no number, the button comes back and says so.
    QDesktopServices::unsetUrlHandler("tel");
    qputenv("ZARNETH_URL_OPENER", "false");
    m_screenView.clickedScreenButton();
    m_screenView.recognizedCommand(contact);
    qunsetenv("ZARNETH_URL_OPENER");
    EXPECT_TRUE(waitingForATap());
    EXPECT_FALSE(m_application.leavingToDialNumber());
    m_clock.advance(0ms);
    ASSERT_NE(m_screen.onScreen(), nullptr);
    EXPECT_EQ(m_screen.onScreen()->title(), qtTrId("dialFailedTitle"));
    EXPECT_TRUE(m_screen.onScreen()->message().contains("+49 170 002"));
}

// The application itself, without its window; the settings as a first run
// finds them.
class ZarnethAppDelegateTest : public ScreenFixture {
protected:
    void SetUp() override { }
    // A setting as the next run reads it: "true", "3".
    static QString stored(const char* key) { return UserDefaults::standardUserDefaults().objectForKey(key).toString(); }
};

TEST_F(ZarnethAppDelegateTest, DefaultsAreWrittenOnceAndTheEndOfARunRemembersWhetherItDialled)
{
    m_application.setupDefaults();
    const std::map<const char*, QString> defaults {{"Confirmations", "false"}, {"VoiceGuide", "true"},
        {"UpTo3SampleInfoCount", "3"}, {"CommandListHasData", "false"}, {"Dialing", "false"}};
    for (const auto& [key, value] : defaults)
        EXPECT_EQ(stored(key), value) << key;
    setVoiceGuide(false);
    UserDefaults::standardUserDefaults().setInteger(0, "UpTo3SampleInfoCount");
    ZarnethAppDelegate(m_device).setupDefaults();
    EXPECT_EQ(stored("VoiceGuide"), "false");
    EXPECT_EQ(stored("UpTo3SampleInfoCount"), "0");

    // The number is dialled without its spaces, and the run remembers it.
    UrlCatcher system({"tel", "https"});
    m_application.exitToPhone("+49 (170) 123-45 67");
    EXPECT_EQ(system.opened, QStringList("tel:+49(170)123-4567"));
    LogCapture log;
    m_application.applicationWillTerminate();
    EXPECT_EQ(log.lines(), QStringList("running applicationWillTerminate"));
    EXPECT_EQ(stored("Dialing"), "true");
    EXPECT_TRUE(QFile::exists(ZRCommandList::createCommandListFileURL())) << "the store is saved at the end";

    // Leaving for the maker's site instead, the run does not end by dialling.
    m_application.exitToNestrivo();
    m_application.applicationWillTerminate();
    EXPECT_EQ(stored("Dialing"), "false");
}

}  // namespace
