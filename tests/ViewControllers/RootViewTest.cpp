// The application's screens as a user meets them: the window offscreen,
// items found by name, taps with the mouse.

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/Contacts/AddressBook.h"
#include "Platform/Popups/ActionSheet.h"
#include "Platform/Popups/AlertView.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/UserDefaults.h"
#include "Platform/Time/VirtualClock.h"
#include "TrainAndRecognize/ZRRecognizeController.h"
#include "ViewControllers/Kit/NavigationController.h"
#include "ViewControllers/Kit/QuickPopupHost.h"
#include "ViewControllers/MainViewController.h"
#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/HelpViewController.h"
#include "ViewControllers/RootViewController.h"
#include "ViewControllers/TabBarController.h"
#include "ZarnethAppDelegate.h"
#include "support/IsolatedStorage.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTranslator>

namespace {

// Takes the URLs of these schemes that the application opens (web pages,
// unless told otherwise).
class Browser : public QObject {
    Q_OBJECT

public:
    explicit Browser(QStringList schemes = {"https"})
        : m_schemes(std::move(schemes))
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~Browser() override
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

private:
    QStringList m_schemes;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class RootViewTest : public ::testing::Test {
protected:
    void launch()
    {
        m_application.applicationDidFinishLaunching();
        m_window = qobject_cast<QQuickWindow*>(m_application.window()->rootObjects().first());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window));
    }

    static void setting(const char* key, bool value)
    {
        UserDefaults defaults = UserDefaults::standardUserDefaults();
        defaults.setBool(value, key);
        defaults.synchronize();
    }

    // Items by name, through the tree of what is drawn.
    static void collect(QQuickItem* from, const QString& name, QList<QQuickItem*>& found)
    {
        if (from->objectName() == name)
            found.append(from);
        for (QQuickItem* child : from->childItems())
            collect(child, name, found);
    }
    QQuickItem* item(const char* name) const
    {
        QList<QQuickItem*> found;
        collect(m_window->contentItem(), name, found);
        return found.isEmpty() ? nullptr : found.first();
    }
    // The visible item of that name, if any (tabs keep hidden pages around).
    QQuickItem* shown(const char* name) const
    {
        QList<QQuickItem*> found;
        collect(m_window->contentItem(), name, found);
        for (QQuickItem* candidate : found) {
            if (candidate->isVisible())
                return candidate;
        }
        return nullptr;
    }
    void tap(QQuickItem* target)
    {
        ASSERT_NE(target, nullptr);
        const QPointF centre = target->mapToScene({target->width() / 2, target->height() / 2});
        QTest::mouseClick(m_window, Qt::LeftButton, {}, centre.toPoint());
        QTest::qWait(50);
    }
    void flip()
    {
        QTest::qWait(1200);  // the flip takes a second
    }

    RootViewController& root() const { return *m_application.rootViewController(); }
    TabBarController& tabs() const { return *root().tabBarController(); }

    IsolatedStorage m_storage;
    VirtualClock m_clock;
    VirtualAudioDevice m_device {m_clock};
    ZarnethAppDelegate m_application {m_device};
    QQuickWindow* m_window = nullptr;
};

TEST_F(RootViewTest, TheInfoButtonFlipsToTheTabsAndTheFirstTabFlipsBack)
{
    launch();
    QQuickItem* info = item("infoButton");
    ASSERT_TRUE(info->isVisible());
    // Directly above the dial screen.
    const auto siblings = info->parentItem()->childItems();
    EXPECT_EQ(siblings.indexOf(info), siblings.indexOf(item("mainView")) + 1);

    tap(info);
    flip();
    EXPECT_FALSE(root().mainViewInWindow());
    EXPECT_FALSE(info->isVisible()) << "the info button leaves the window";
    EXPECT_EQ(tabs().selectedIndex(), TabBarController::ActionsTab);

    tap(shown("tab0"));
    flip();
    EXPECT_TRUE(root().mainViewInWindow());
    EXPECT_TRUE(info->isVisible());
    tap(info);
    flip();
    EXPECT_FALSE(root().mainViewInWindow()) << "and it works again";
}

TEST_F(RootViewTest, TheTabsAreBuiltOnceAndAlwaysOpenOnContacts)
{
    launch();
    root().flipViews();
    flip();
    TabBarController* first = root().tabBarController();
    tap(shown("tab3"));
    EXPECT_EQ(tabs().selectedIndex(), TabBarController::DefaultsTab);
    root().flipViews();
    root().flipViews();
    EXPECT_EQ(root().tabBarController(), first);
    EXPECT_EQ(tabs().selectedIndex(), TabBarController::ActionsTab);
}

TEST_F(RootViewTest, TheDialScreenFollowsWhetherNamesAreTrained)
{
    setting("Dialing", true);
    launch();
    EXPECT_TRUE(item("configureInfoLabel")->isVisible());
    EXPECT_FALSE(item("screenButton")->isVisible());
    EXPECT_FALSE(item("tapInfoLabel")->isVisible());

    root().flipViews();
    setting("CommandListHasData", true);  // a name was trained meanwhile
    root().flipViews();
    flip();
    EXPECT_FALSE(item("configureInfoLabel")->isVisible());
    EXPECT_TRUE(item("screenButton")->isVisible());
    EXPECT_TRUE(item("tapInfoLabel")->isVisible());

    tap(item("screenButton"));
    EXPECT_FALSE(item("screenButton")->isVisible());
    EXPECT_TRUE(item("popupLayer")->isVisible()) << "the speak-now sheet is up";
}

TEST_F(RootViewTest, WithNamesTrainedItListensAtLaunch)
{
    setting("CommandListHasData", true);
    launch();
    // The sheet was put up before the window existed; once drawn, the
    // dialogue goes on to its prompt.
    EXPECT_TRUE(item("popupLayer")->isVisible());
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
    sheet->show(*m_application.popupHost());
    QTest::qWait(50);
    const auto alert = AlertView::create("Alert", {}, nullptr, "OK", {});
    alert->show(*m_application.popupHost());
    QTest::qWait(50);
    tap(shown("alertButton0"));
    EXPECT_EQ(m_application.popupHost()->title(), "Sheet");
    EXPECT_EQ(counter.presented, 1);
}

TEST_F(RootViewTest, WhileADialogueRunsWithNothingOnScreenNoTapStartsAnother)
{
    setting("CommandListHasData", true);
    setting("Dialing", true);
    launch();
    QuickPopupHost& host = *m_application.popupHost();
    MainViewController& dialScreen = *root().mainViewController();
    const int dialogue = 0;  // as a training playing its new sample does
    ASSERT_TRUE(host.beginDialogue(&dialogue));
    tap(item("infoButton"));
    EXPECT_TRUE(root().mainViewInWindow()) << "the taps go nowhere";
    dialScreen.clickedScreenButton();  // as a key would press it
    EXPECT_FALSE(dialScreen.screenButtonHidden()) << "no recognition started";
    EXPECT_FALSE(host.visible());

    host.endDialogue(&dialogue);
    tap(item("infoButton"));
    EXPECT_FALSE(root().mainViewInWindow());
}

TEST_F(RootViewTest, ConfirmationsStayOffUntilAcceptRepeatAndCancelAreTrained)
{
    launch();
    root().flipViews();
    flip();
    tap(shown("tab3"));
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    for (std::int32_t type : {ZRCommandTypeAccept, ZRCommandTypeRepeat, ZRCommandTypeCancel}) {
        tap(shown("confirmationsSwitch"));
        EXPECT_TRUE(m_application.popupHost()->visible()) << store.numberOfSystemCommands() << " trained";
        EXPECT_EQ(m_application.popupHost()->title(), qtTrId("switchLockInfoTitle"));
        EXPECT_FALSE(UserDefaults::standardUserDefaults().boolForKey("Confirmations"));
        tap(shown("alertButton0"));
        auto command = ZRCommand::initForCommandType(type, store);
        command->setSample(std::make_shared<ZRSample>(command->commandID(), "/sample1.aif"));
        store.addCommand(command);
    }
    tap(shown("confirmationsSwitch"));
    EXPECT_FALSE(m_application.popupHost()->visible());
    EXPECT_TRUE(UserDefaults::standardUserDefaults().boolForKey("Confirmations"));
    tap(shown("confirmationsSwitch"));
    EXPECT_FALSE(UserDefaults::standardUserDefaults().boolForKey("Confirmations"));

    tap(shown("voiceGuideSwitch"));
    EXPECT_FALSE(UserDefaults::standardUserDefaults().boolForKey("VoiceGuide"));
    tap(shown("voiceGuideSwitch"));
    EXPECT_TRUE(UserDefaults::standardUserDefaults().boolForKey("VoiceGuide"));
    store.removeAllCommands();
}

TEST_F(RootViewTest, FromTheContactsTabAContactsNumberIsTrained)
{
    IsolatedStorage::touch(m_storage.contacts() + "/people.vcf",
        "BEGIN:VCARD\nVERSION:3.0\nN:Berg;Anna;;;\nFN:Anna Berg\nTEL;TYPE=cell:+49 170 002\nEND:VCARD\n");
    launch();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_application.addressBook()->isLoading(); }, 10000));
    root().flipViews();
    flip();
    tap(shown("cell_0_0"));  // the menu's contacts row
    QTest::qWait(100);
    tap(shown("cell_0_0"));  // Anna Berg
    QTest::qWait(100);
    ASSERT_NE(shown("rightButton"), nullptr);
    EXPECT_EQ(shown("rightButton")->property("text").toString(), qtTrId("actionsNavBarRecordButton"));
    EXPECT_EQ(shown("navigationTitle")->property("text").toString(), "Anna Berg");

    tap(shown("cell_0_0"));  // the number
    EXPECT_TRUE(m_application.popupHost()->visible());
    EXPECT_EQ(m_application.popupHost()->title(), qtTrId("infoText").arg("Anna Berg", "+49 170 002"));
    tap(shown("sheetButton1"));  // not now
    EXPECT_FALSE(m_application.popupHost()->visible());
}

TEST_F(RootViewTest, TheCommandsTabListsWhatIsTrainedAndOffersWhatToDo)
{
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    auto command = ZRCommand::initForCommandType(ZRCommandTypePhone, store);
    command->setName("Anna Berg");
    command->setPhoneNumber("+49 170 002");
    command->setSample(std::make_shared<ZRSample>(command->commandID(), "/sample1.aif"));
    store.addCommand(command);
    setting("Dialing", true);  // no listening at once: the tabs are wanted
    launch();
    root().flipViews();
    flip();
    tap(shown("tab2"));
    ASSERT_NE(shown("cell_0_0"), nullptr);
    EXPECT_EQ(shown("leftButton")->property("text").toString(), qtTrId("deleteAllButton"));
    tap(shown("cell_0_0"));
    EXPECT_EQ(m_application.popupHost()->title(), qtTrId("optionsAlertSheetText").arg("Anna Berg"));
    tap(shown("sheetButton3"));  // cancel
    tap(shown("leftButton"));
    EXPECT_EQ(m_application.popupHost()->title(), qtTrId("deleteAllConfirmationText"));
    tap(shown("sheetButton0"));  // delete all
    EXPECT_EQ(store.count(), 0u);
    EXPECT_EQ(shown("cell_0_0"), nullptr) << "the list is empty now";
}

TEST_F(RootViewTest, HelpShowsTheBundledPageUntilTheMakersPageArrives)
{
    // A web host of the test's own.
    QTcpServer host;
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost));
    QObject::connect(&host, &QTcpServer::newConnection, [&host] {
        QTcpSocket* client = host.nextPendingConnection();
        QObject::connect(client, &QTcpSocket::readyRead, client, [client] {
            client->readAll();
            client->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<p>Fresh from the maker</p>");
            client->disconnectFromHost();
        });
    });
    launch();
    HelpViewController page(ScreenServices {m_application, *m_application.popupHost(), m_device,
        ZRCommandList::sharedCommandList(), *m_application.addressBook()});
    page.setPageUrl(QUrl(QStringLiteral("http://127.0.0.1:%1/appstorezarnethhelp.html").arg(host.serverPort())));
    page.loadViewIfNeeded();
    EXPECT_TRUE(page.html().contains("Dial by voice")) << "the bundled copy at once";
    EXPECT_FALSE(page.fromNetwork());
    ASSERT_TRUE(QTest::qWaitFor([&page] { return page.fromNetwork(); }, 5000));
    EXPECT_EQ(page.html(), "<p>Fresh from the maker</p>");

    // A page from the network opens web pages and mail, and dials nothing.
    Browser browser({"https", "mailto", "tel", "sms", "file", "javascript"});
    EXPECT_TRUE(page.openLink("https://zarneth.example/faq.html"));
    EXPECT_TRUE(page.openLink("mailto:help@zarneth.example"));
    for (const char* link : {"tel:+491701234567", "sms:+491701234567", "file:///etc/passwd", "javascript:alert(1)"})
        EXPECT_FALSE(page.openLink(link)) << link;
    EXPECT_EQ(
        browser.opened, (QList<QUrl> {QUrl("https://zarneth.example/faq.html"), QUrl("mailto:help@zarneth.example")}));
}

TEST_F(RootViewTest, TheHelpTabShowsHelpAndAboutScreensThatStack)
{
    launch();
    root().flipViews();
    flip();
    auto& help = static_cast<NavigationController&>(*tabs().viewControllerAt(TabBarController::HelpTab));
    // Nobody answers at the maker's host here: the bundled page stays.
    static_cast<HelpViewController&>(*help.rootViewController()).setPageUrl(QUrl("http://127.0.0.1:9/"));
    tap(shown("tab4"));
    ASSERT_NE(shown("helpText"), nullptr);
    EXPECT_TRUE(shown("helpText")->property("text").toString().contains("Dial by voice"));

    // The about screen; pressed twice in a row, two of them, taken back one at a time.
    tap(shown("rightButton"));
    EXPECT_EQ(help.count(), 2u);
    EXPECT_EQ(shown("rightButton"), nullptr) << "the about screen has no about button";
    static_cast<HelpViewController&>(*help.rootViewController()).clickedAboutBarButton();
    EXPECT_EQ(help.count(), 3u);
    Browser browser;
    tap(shown("logoArea"));
    tap(shown("siteBand"));
    EXPECT_EQ(browser.opened, QList<QUrl>(2, QUrl(ZarnethAppDelegate::kMakerSite)));
    tap(shown("backButton"));
    tap(shown("backButton"));
    EXPECT_EQ(help.count(), 1u);
}

TEST_F(RootViewTest, TextsAreGermanWhenTheLanguageIsGerman)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QLocale(QLocale::German), "zarneth", "_", BundleResources::directory()));
    QCoreApplication::installTranslator(&german);
    EXPECT_EQ(qtTrId("tabBarHelpTitle"), "Hilfe");
    EXPECT_EQ(qtTrId("tapLabelText"), "Tippen und Namen sagen");
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(qtTrId("tabBarHelpTitle"), "Help");
}

}  // namespace

#include "RootViewTest.moc"
