// The application's screens as a user meets them: the window offscreen,
// items found by name, taps with the mouse.

#include "Platform/Popups/ActionSheet.h"
#include "Platform/Popups/AlertView.h"
#include "ViewControllers/MainViewController.h"
#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/HelpViewController.h"
#include "support/ScreenFixture.h"
#include "support/UrlCatcher.h"

#include <QTcpServer>

namespace {

using RootViewTest = ScreenFixture;

// Counts how often its sheet is said to be on screen: each time, a
// dialogue would take its next step.
struct PresentationCounter : ActionSheetDelegate {
    int presented = 0;
    void didPresentActionSheet(ActionSheet&) override { ++presented; }
    void actionSheetClickedButtonAtIndex(ActionSheet&, int) override { }
};

TEST_F(RootViewTest, TheInfoButtonFlipsToTheTabsAndBackToADialScreenThatFollowsTheTrainingAndHelpShowsThePagesItMay)
{
    setSetting("Dialing", true);
    QTcpServer server;  // the maker's web host, answering when the test says
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    launch();
    // A sheet uncovered again is not presented twice.
    PresentationCounter counter;
    const auto sheet = ActionSheet::create("Sheet", &counter, "Cancel", {}, {});
    sheet->show(host());
    QTest::qWait(50);  // on screen, then covered and uncovered
    const auto alert = AlertView::create("Alert", {}, nullptr, "OK", {});
    alert->show(host());
    QTest::qWait(50);
    tap("alertButton0");
    EXPECT_EQ(host().title(), "Sheet");
    EXPECT_EQ(counter.presented, 1);
    tap("sheetButton0");

    EXPECT_TRUE(shown("configureInfoLabel") && !shown("screenButton")) << "no name trained: nothing to tap";
    QQuickItem* info = shown("infoButton");
    ASSERT_NE(info, nullptr);
    const auto siblings = info->parentItem()->childItems();
    EXPECT_EQ(siblings.indexOf(info), siblings.indexOf(shown("mainView")) + 1) << "directly above the dial screen";

    // The tabs are built once and open on the contacts each time.
    flip("infoButton");
    EXPECT_FALSE(root().mainViewInWindow());
    EXPECT_FALSE(info->isVisible()) << "the info button leaves the window";
    TabBarController* first = &tabs();
    tap("tab3");
    EXPECT_EQ(tabs().selectedIndex(), TabBarController::DefaultsTab);

    // Help shows the bundled page until the maker's arrives, opens only web
    // and mail, and stacks about screens.
    NavigationController& help = tab(TabBarController::HelpTab);
    auto& page = static_cast<HelpViewController&>(*help.rootViewController());
    page.setPageUrl(QUrl(QStringLiteral("http://127.0.0.1:%1/appstorezarnethhelp.html").arg(server.serverPort())));
    tap("tab4");
    EXPECT_TRUE(shown("helpText")->property("text").toString().contains("Dial by voice")) << "the bundled copy at once";
    EXPECT_FALSE(page.fromNetwork());
    ASSERT_TRUE(QTest::qWaitFor([&server] { return server.hasPendingConnections(); }, 5000));
    QTcpSocket* maker = server.nextPendingConnection();
    ASSERT_TRUE(QTest::qWaitFor([maker] { return maker->bytesAvailable() > 0; }, 5000));
    maker->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<p>Fresh from the maker</p>");
    maker->disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&page] { return page.fromNetwork(); }, 5000));
    EXPECT_EQ(shown("helpText")->property("text").toString(), "<p>Fresh from the maker</p>");

    // A page from the network opens web pages and mail, and dials nothing.
    UrlCatcher system({"https", "mailto", "tel", "sms", "file", "javascript"});
    EXPECT_TRUE(page.openLink("https://zarneth.example/faq.html"));
    EXPECT_TRUE(page.openLink("mailto:help@zarneth.example"));
    for (const char* link : {"tel:+491701234567", "sms:+491701234567", "file:///etc/passwd", "javascript:alert(1)"})
        EXPECT_FALSE(page.openLink(link)) << link;

    // The about screen; pressed twice in a row, two of them, taken back one
    // at a time. Its logo and its band open the maker's site.
    tap("rightButton");
    EXPECT_EQ(help.count(), 2u);
    EXPECT_EQ(shown("rightButton"), nullptr) << "the about screen has no about button";
    page.clickedAboutBarButton();
    EXPECT_EQ(help.count(), 3u);
    tap("logoArea");
    tap("siteBand");
    EXPECT_EQ(system.opened,
        QStringList({"https://zarneth.example/faq.html", "mailto:help@zarneth.example", ZarnethAppDelegate::kMakerSite,
            ZarnethAppDelegate::kMakerSite}));
    tap("backButton");
    tap("backButton");
    EXPECT_EQ(help.count(), 1u);
    flip("tab0");
    EXPECT_TRUE(root().mainViewInWindow());
    setSetting("CommandListHasData", true);  // a name is trained meanwhile
    flip("infoButton");
    EXPECT_EQ(&tabs(), first);
    EXPECT_EQ(tabs().selectedIndex(), TabBarController::ActionsTab);
    flip("tab0");
    EXPECT_TRUE(!shown("configureInfoLabel") && shown("tapInfoLabel"));

    // While a dialogue runs (a training playing its new sample), taps and
    // the screen button go nowhere; then a tap listens.
    const int dialogue = 0;
    ASSERT_TRUE(host().beginDialogue(&dialogue));
    tap("infoButton");
    EXPECT_TRUE(root().mainViewInWindow());
    root().mainViewController()->clickedScreenButton();  // as a key would press it
    EXPECT_FALSE(root().mainViewController()->screenButtonHidden());
    EXPECT_FALSE(host().visible());
    host().endDialogue(&dialogue);
    tap("screenButton");
    EXPECT_EQ(shown("screenButton"), nullptr);
    EXPECT_NE(shown("popupLayer"), nullptr) << "the speak-now sheet is up";
}

}  // namespace
