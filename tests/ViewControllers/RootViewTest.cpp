// The application's screens as a user meets them: the window offscreen,
// items found by name, taps with the mouse.

#include "DataModel/ZRCommand.h"
#include "Platform/Popups/ActionSheet.h"
#include "Platform/Popups/AlertView.h"
#include "TrainAndRecognize/ZRRecognizeController.h"
#include "ViewControllers/Kit/NavigationController.h"
#include "ViewControllers/Kit/QuickPopupHost.h"
#include "ViewControllers/MainViewController.h"
#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/HelpViewController.h"
#include "support/ScreenFixture.h"
#include "support/UrlCatcher.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

class RootViewTest : public ScreenFixture {
protected:
    static void flip() { QTest::qWait(1200); }  // the flip takes a second
};

TEST_F(RootViewTest, TheInfoButtonFlipsToTheTabsWhichAreBuiltOnceAndOpenOnContacts)
{
    launch();
    QQuickItem* info = shown("infoButton");
    ASSERT_NE(info, nullptr);
    const auto siblings = info->parentItem()->childItems();
    EXPECT_EQ(siblings.indexOf(info), siblings.indexOf(shown("mainView")) + 1) << "directly above the dial screen";

    tap("infoButton");
    flip();
    EXPECT_FALSE(root().mainViewInWindow());
    EXPECT_FALSE(info->isVisible()) << "the info button leaves the window";
    TabBarController* first = &tabs();
    tap("tab3");
    EXPECT_EQ(tabs().selectedIndex(), TabBarController::DefaultsTab);
    tap("tab0");
    flip();
    EXPECT_TRUE(root().mainViewInWindow());
    tap("infoButton");
    flip();
    EXPECT_FALSE(root().mainViewInWindow()) << "and it works again";
    EXPECT_EQ(&tabs(), first);
    EXPECT_EQ(tabs().selectedIndex(), TabBarController::ActionsTab);
}

TEST_F(RootViewTest, TheDialScreenFollowsWhetherNamesAreTrainedAndATapListensUnlessADialogueRuns)
{
    setting("Dialing", true);
    launch();
    EXPECT_NE(shown("configureInfoLabel"), nullptr);
    EXPECT_EQ(shown("screenButton"), nullptr);
    EXPECT_EQ(shown("tapInfoLabel"), nullptr);

    root().flipViews();
    setting("CommandListHasData", true);  // a name was trained meanwhile
    root().flipViews();
    flip();
    EXPECT_EQ(shown("configureInfoLabel"), nullptr);
    EXPECT_NE(shown("tapInfoLabel"), nullptr);

    const int dialogue = 0;  // as a training playing its new sample does
    ASSERT_TRUE(host().beginDialogue(&dialogue));
    tap("infoButton");
    EXPECT_TRUE(root().mainViewInWindow()) << "the taps go nowhere";
    root().mainViewController()->clickedScreenButton();  // as a key would press it
    EXPECT_FALSE(root().mainViewController()->screenButtonHidden()) << "no recognition started";
    EXPECT_FALSE(host().visible());
    host().endDialogue(&dialogue);

    tap("screenButton");
    EXPECT_EQ(shown("screenButton"), nullptr);
    EXPECT_NE(shown("popupLayer"), nullptr) << "the speak-now sheet is up";
}

TEST_F(RootViewTest, WithNamesTrainedItListensAtLaunch)
{
    setting("CommandListHasData", true);
    launch();
    // The sheet was put up before the window existed; once drawn, the
    // dialogue goes on to its prompt.
    EXPECT_NE(shown("popupLayer"), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([this] { return root().mainViewController()->recognizeController().player(); }, 2000));
}

// Counts how often its sheet is said to be on screen: each time, a
// dialogue would take its next step.
struct PresentationCounter : ActionSheetDelegate {
    int presented = 0;
    void didPresentActionSheet(ActionSheet&) override { ++presented; }
    void actionSheetClickedButtonAtIndex(ActionSheet&, int) override { }
};

TEST_F(RootViewTest, ASheetUncoveredAgainIsNotPresentedTwice)
{
    setting("Dialing", true);
    launch();
    PresentationCounter counter;
    const auto sheet = ActionSheet::create("Sheet", &counter, "Cancel", {}, {});
    sheet->show(host());
    QTest::qWait(50);
    const auto alert = AlertView::create("Alert", {}, nullptr, "OK", {});
    alert->show(host());
    QTest::qWait(50);
    tap("alertButton0");
    EXPECT_EQ(host().title(), "Sheet");
    EXPECT_EQ(counter.presented, 1);
}

TEST_F(RootViewTest, ConfirmationsStayOffUntilAcceptRepeatAndCancelAreTrained)
{
    launch();
    root().flipViews();
    flip();
    tap("tab3");
    for (std::int32_t type : {ZRCommandTypeAccept, ZRCommandTypeRepeat, ZRCommandTypeCancel}) {
        tap("confirmationsSwitch");
        EXPECT_TRUE(host().visible());
        EXPECT_EQ(host().title(), qtTrId("switchLockInfoTitle")) << type;
        EXPECT_FALSE(setting("Confirmations"));
        tap("alertButton0");
        ZRCommandList::sharedCommandList().addCommand(trainDigit(type, kAcceptDigit));
    }
    tap("confirmationsSwitch");
    EXPECT_FALSE(host().visible());
    EXPECT_TRUE(setting("Confirmations"));
    tap("confirmationsSwitch");
    EXPECT_FALSE(setting("Confirmations"));
}

TEST_F(RootViewTest, HelpShowsTheBundledPageUntilTheMakersPageArrivesAndOpensOnlyWebAndMailLinks)
{
    QTcpServer server;  // the maker's web host
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        QTcpSocket* client = server.nextPendingConnection();
        QObject::connect(client, &QTcpSocket::readyRead, client, [client] {
            client->readAll();
            client->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<p>Fresh from the maker</p>");
            client->disconnectFromHost();
        });
    });
    launch();
    HelpViewController page(
        {m_application, host(), m_device, ZRCommandList::sharedCommandList(), *m_application.addressBook()});
    page.setPageUrl(QUrl(QStringLiteral("http://127.0.0.1:%1/appstorezarnethhelp.html").arg(server.serverPort())));
    page.loadViewIfNeeded();
    EXPECT_TRUE(page.html().contains("Dial by voice")) << "the bundled copy at once";
    EXPECT_FALSE(page.fromNetwork());
    ASSERT_TRUE(QTest::qWaitFor([&page] { return page.fromNetwork(); }, 5000));
    EXPECT_EQ(page.html(), "<p>Fresh from the maker</p>");

    // A page from the network opens web pages and mail, and dials nothing.
    UrlCatcher system({"https", "mailto", "tel", "sms", "file", "javascript"});
    EXPECT_TRUE(page.openLink("https://zarneth.example/faq.html"));
    EXPECT_TRUE(page.openLink("mailto:help@zarneth.example"));
    for (const char* link : {"tel:+491701234567", "sms:+491701234567", "file:///etc/passwd", "javascript:alert(1)"})
        EXPECT_FALSE(page.openLink(link)) << link;
    EXPECT_EQ(system.opened, QStringList({"https://zarneth.example/faq.html", "mailto:help@zarneth.example"}));
}

TEST_F(RootViewTest, TheHelpTabShowsHelpAndAboutScreensThatStack)
{
    launch();
    root().flipViews();
    flip();
    auto& help = static_cast<NavigationController&>(*tabs().viewControllerAt(TabBarController::HelpTab));
    auto& page = static_cast<HelpViewController&>(*help.rootViewController());
    page.setPageUrl(QUrl("http://127.0.0.1:9/"));  // nobody answers: the bundled page stays
    tap("tab4");
    EXPECT_TRUE(shown("helpText")->property("text").toString().contains("Dial by voice"));

    // The about screen; pressed twice in a row, two of them, taken back one at a time.
    tap("rightButton");
    EXPECT_EQ(help.count(), 2u);
    EXPECT_EQ(shown("rightButton"), nullptr) << "the about screen has no about button";
    page.clickedAboutBarButton();
    EXPECT_EQ(help.count(), 3u);
    UrlCatcher browser({"https"});
    tap("logoArea");
    tap("siteBand");
    EXPECT_EQ(browser.opened, QStringList(2, ZarnethAppDelegate::kMakerSite));
    tap("backButton");
    tap("backButton");
    EXPECT_EQ(help.count(), 1u);
}

}  // namespace
