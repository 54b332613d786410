#include "ViewControllers/MainViewController.h"

#include "DataModel/ZRCommand.h"
#include "support/ScreenFixture.h"
#include "support/UrlCatcher.h"

#include <QDesktopServices>

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

TEST_F(MainViewControllerTest, NothingOrASystemCommandRecognisedBringsTheButtonBackAndOnlyANameDials)
{
    const auto contact = trainDigit(ZRCommandTypePhone, 2);
    sayNothing();
    m_screenView.loadView();
    m_clock.runUntil([this] { return !m_screenView.screenButtonHidden(); }, 60s);
    EXPECT_TRUE(waitingForATap());

    m_screenView.clickedScreenButton();
    m_screenView.recognizedCommand(ZRCommand::initForCommandType(ZRCommandTypeAccept, m_store));
    EXPECT_TRUE(waitingForATap()) << "a system command is no number to dial";
    EXPECT_TRUE(m_dialler.opened.isEmpty());
    m_screenView.clickedScreenButton();
    m_screenView.recognizedCommand(contact);
    EXPECT_EQ(m_dialler.opened, QStringList("tel:+49170002"));
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

TEST_F(MainViewControllerTest, WithoutAMicrophoneItSaysSoInsteadOfListeningUntilOneIsBack)
{
    VirtualAudioDevice device(m_clock);
    device.setMicrophoneConnected(false);
    MainViewController screenView({m_application, m_screen, device, m_store, m_addressBook});
    trainDigit(ZRCommandTypePhone, 2);
    screenView.loadView();
    m_clock.advance(1s);
    EXPECT_EQ(screenView.deviceProblemText(), qtTrId("noMicrophoneText"));
    EXPECT_FALSE(screenView.screenButtonHidden()) << "a tap tries again";
    EXPECT_TRUE(m_screen.presented().empty()) << "nothing is recorded";

    device.setMicrophoneConnected(true);
    sayNothing();
    screenView.clickedScreenButton();
    m_clock.advance(1s);
    EXPECT_TRUE(screenView.deviceProblemText().isEmpty());
    EXPECT_FALSE(m_screen.presented().empty()) << "the tap starts listening";
    m_clock.runUntil([&screenView] { return !screenView.screenButtonHidden(); }, 60s);

    // Back from the tabs: the old problem is not shown again.
    device.setMicrophoneConnected(false);
    screenView.clickedScreenButton();
    ASSERT_FALSE(screenView.deviceProblemText().isEmpty());
    screenView.viewWillAppear(true);
    EXPECT_TRUE(screenView.deviceProblemText().isEmpty());
}

}  // namespace
