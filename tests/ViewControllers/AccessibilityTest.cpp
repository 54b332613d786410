// The screens for those who cannot see them well or cannot tap: what a
// screen reader finds on each screen, in English and in German, and the
// main flows driven by keys alone.

#include "DataModel/ZRCommand.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/UserDefaults.h"
#include "ViewControllers/Kit/NavigationController.h"
#include "ViewControllers/Kit/QuickPopupHost.h"
#include "ViewControllers/Kit/TableViewController.h"
#include "ViewControllers/RootViewController.h"
#include "ViewControllers/TabBarController.h"
#include "support/ScreenFixture.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <functional>

namespace {

using namespace std::chrono_literals;

class Dialler : public QObject {
    Q_OBJECT

public:
    Dialler() { QDesktopServices::setUrlHandler("tel", this, "dial"); }
    ~Dialler() override { QDesktopServices::unsetUrlHandler("tel"); }
    QStringList dialled;

public slots:
    void dial(const QUrl& url) { dialled << url.toString(); }
};

class AccessibilityFixture : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        if (IsSkipped())
            return;
        // Qt Quick builds the items' accessible faces only for a reader.
        QAccessible::setActive(true);
        setting("Dialing", true);  // no listening at launch: each test starts it
    }
    void TearDown() override
    {
        ZRCommandList::sharedCommandList().removeAllCommands();
        QCoreApplication::removeTranslator(&m_german);
    }

public:
    // Used by the screens' table too.
    static void setting(const char* key, bool value)
    {
        UserDefaults defaults = UserDefaults::standardUserDefaults();
        defaults.setBool(value, key);
        defaults.synchronize();
    }
    void speakGerman()
    {
        ASSERT_TRUE(m_german.load(QLocale(QLocale::German), "zarneth", "_", BundleResources::directory()));
        QCoreApplication::installTranslator(&m_german);
    }
    // Digit 2, "+49 170 002", in the application's own store.
    void trainName()
    {
        ZRCommandList::sharedCommandList().addCommand(trainDigit(ZRCommandTypePhone, 2));
        setting("CommandListHasData", true);
    }
    void launch()
    {
        IsolatedStorage::touch(m_storage.contacts() + "/people.vcf",
            "BEGIN:VCARD\nVERSION:3.0\nN:Berg;Anna;;;\nFN:Anna Berg\nTEL;TYPE=cell:+49 170 002\nEND:VCARD\n");
        m_application.applicationDidFinishLaunching();
        m_window = qobject_cast<QQuickWindow*>(m_application.window()->rootObjects().first());
        m_window->requestActivate();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
        ASSERT_TRUE(QTest::qWaitFor([this] { return !m_application.addressBook()->isLoading(); }, 10000));
    }

    RootViewController& root() const { return *m_application.rootViewController(); }
    TabBarController& tabs() const { return *root().tabBarController(); }
    QuickPopupHost& host() const { return *m_application.popupHost(); }
    NavigationController& tab(int index) const
    {
        return static_cast<NavigationController&>(*tabs().viewControllerAt(index));
    }
    void selectFirstRow(int tabIndex) const
    {
        qobject_cast<TableViewController*>(tab(tabIndex).topViewController())->selectRow(0, 0);
    }

    // Runs the dialogues' clock and the event loop until `done`.
    bool run(const std::function<bool()>& done)
    {
        return QTest::qWaitFor([&] { return done() || (m_clock.advance(100ms), done()); }, 60000);
    }
    void showTabs()
    {
        if (root().mainViewInWindow())
            root().flipViews();
        ASSERT_TRUE(run([this] { return tabBarShown(); }));
    }
    static bool shown(const QQuickItem* item, const QString& name)
    {
        if (!item->isVisible())
            return false;
        const auto children = item->childItems();
        return item->objectName() == name
            || std::any_of(children.begin(), children.end(), [&name](auto* child) { return shown(child, name); });
    }
    bool tabBarShown() const { return shown(m_window->contentItem(), "tabBar"); }

    void key(Qt::Key pressed) { QTest::keyClick(m_window, pressed); }
    QAccessibleInterface* focused() const
    {
        QQuickItem* item = m_window->activeFocusItem();
        return item ? QAccessible::queryAccessibleInterface(item) : nullptr;
    }
    // What a reader says of the control with the focus.
    QString focusedText() const
    {
        QAccessibleInterface* node = focused();
        return node ? node->text(QAccessible::Name) + " " + node->text(QAccessible::Description) : QString();
    }
    // Tab until the control with the focus says `text` (and is a `role`).
    bool tabTo(const QString& text, QAccessible::Role role = QAccessible::NoRole)
    {
        for (int step = 0; step < 40; ++step) {
            QTest::qWait(10);  // a new page lays out its rows first
            if (focusedText().contains(text) && (role == QAccessible::NoRole || focused()->role() == role))
                return true;
            key(Qt::Key_Tab);
        }
        return false;
    }
    bool popupHasFocus() const
    {
        const QQuickItem* item = m_window->activeFocusItem();
        return host().visible() && item
            && (item->objectName().startsWith("sheetButton") || item->objectName().startsWith("alertButton"));
    }
    // Answers every popup with Enter on the button that has the focus until `done`.
    bool enterUntil(const std::function<bool()>& done)
    {
        return run([&] {
            if (popupHasFocus())
                key(Qt::Key_Return);
            return done();
        });
    }

    Dialler m_dialler;
    QTranslator m_german;
    QQuickWindow* m_window = nullptr;
};

// ---- What a screen reader finds ----

struct Screen {
    const char* name;
    std::function<void(AccessibilityFixture&)> reach;
    // Roles that must be on it.
    std::vector<QAccessible::Role> roles;
};

void shownNodes(QAccessibleInterface* node, std::vector<QAccessibleInterface*>& found)
{
    for (int index = 0; index < node->childCount(); ++index) {
        QAccessibleInterface* child = node->child(index);
        if (!child || child->state().invisible)
            continue;
        found.push_back(child);
        shownNodes(child, found);
    }
}

bool actionable(QAccessibleInterface* node)
{
    static const QList<QAccessible::Role> pressable {QAccessible::Button, QAccessible::CheckBox, QAccessible::PageTab,
        QAccessible::ListItem, QAccessible::Link, QAccessible::EditableText};
    return pressable.contains(node->role())
        || (node->actionInterface() && !node->actionInterface()->actionNames().isEmpty());
}

void PrintTo(const Screen& screen, std::ostream* out)
{
    *out << screen.name;
}

class ScreenReaderTest : public AccessibilityFixture,
                         public ::testing::WithParamInterface<std::tuple<Screen, bool>> { };

const std::vector<Screen> kScreens = {
    {"DialScreen", [](AccessibilityFixture&) {}, {QAccessible::Button}},
    {"Listening", [](AccessibilityFixture& f) { f.key(Qt::Key_Space); },
        {QAccessible::Dialog, QAccessible::ProgressBar, QAccessible::Button}},
    {"ActionsTab", [](AccessibilityFixture& f) { f.showTabs(); }, {QAccessible::ListItem, QAccessible::PageTab}},
    {"Contacts",
        [](AccessibilityFixture& f) {
            f.showTabs();
            f.selectFirstRow(TabBarController::ActionsTab);
        },
        {QAccessible::EditableText, QAccessible::ListItem, QAccessible::Button}},
    {"Contact",
        [](AccessibilityFixture& f) {
            f.showTabs();
            f.selectFirstRow(TabBarController::ActionsTab);
            f.selectFirstRow(TabBarController::ActionsTab);
        },
        {QAccessible::ListItem, QAccessible::Button}},
    {"CommandsTab",
        [](AccessibilityFixture& f) {
            f.showTabs();
            f.tabs().selectTab(TabBarController::CommandsTab);
        },
        {QAccessible::ListItem, QAccessible::Button}},
    {"CommandOptions",
        [](AccessibilityFixture& f) {
            f.showTabs();
            f.tabs().selectTab(TabBarController::CommandsTab);
            f.selectFirstRow(TabBarController::CommandsTab);
        },
        {QAccessible::Dialog, QAccessible::Button}},
    {"SettingsTab",
        [](AccessibilityFixture& f) {
            f.showTabs();
            f.tabs().selectTab(TabBarController::DefaultsTab);
        },
        {QAccessible::CheckBox}},
    {"HelpTab",
        [](AccessibilityFixture& f) {
            f.showTabs();
            f.tabs().selectTab(TabBarController::HelpTab);
        },
        {QAccessible::Button}},
    {"About",
        [](AccessibilityFixture& f) {
            f.showTabs();
            f.tabs().selectTab(TabBarController::HelpTab);
            f.tab(TabBarController::HelpTab).topViewController()->clickedRightBarButton();
        },
        {QAccessible::Link, QAccessible::Button}},
};

TEST_P(ScreenReaderTest, EveryControlSaysWhatItIsAndNoTwoNeighboursSayTheSame)
{
    const auto& [screen, german] = GetParam();
    if (german)
        speakGerman();
    trainName();
    launch();
    screen.reach(*this);
    ASSERT_TRUE(run([this] { return !host().visible() || popupHasFocus(); }));
    QTest::qWait(50);

    std::vector<QAccessibleInterface*> nodes;
    shownNodes(QAccessible::queryAccessibleInterface(m_window), nodes);
    // A text missing from the tables shows as its key.
    const QRegularExpression key("^[a-z]+[A-Z][A-Za-z]*$");
    for (QAccessible::Role role : screen.roles)
        EXPECT_TRUE(std::any_of(nodes.begin(), nodes.end(), [role](auto* node) { return node->role() == role; }))
            << "no node of role " << role;
    for (QAccessibleInterface* node : nodes) {
        const QString name = node->text(QAccessible::Name);
        if (node->role() == QAccessible::Dialog || node->role() == QAccessible::AlertMessage) {
            EXPECT_EQ(name, host().title());
        }
        if (node->role() == QAccessible::CheckBox) {
            EXPECT_TRUE(node->state().checkable) << name.toStdString();
        }
        if (node->role() == QAccessible::ProgressBar) {
            EXPECT_TRUE(QRegularExpression("\\d+").match(node->text(QAccessible::Description)).hasMatch());
        }
        if (!actionable(node))
            continue;
        EXPECT_NE(node->role(), QAccessible::NoRole) << name.toStdString();
        EXPECT_FALSE(name.trimmed().isEmpty()) << "a node of role " << node->role();
        EXPECT_FALSE(key.match(name).hasMatch()) << name.toStdString();
        QAccessibleInterface* parent = node->parent();
        for (int index = 0; parent && index < parent->childCount(); ++index) {
            QAccessibleInterface* sibling = parent->child(index);
            if (sibling != node && !sibling->state().invisible && actionable(sibling)) {
                EXPECT_NE(sibling->text(QAccessible::Name), name) << "two neighbours are called " << name.toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenReaderTest,
    ::testing::Combine(::testing::ValuesIn(kScreens), ::testing::Bool()), [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "German" : "English");
    });

// ---- By keys alone ----

using KeyboardTest = AccessibilityFixture;

TEST_F(KeyboardTest, SpaceListensEscapeStopsAndEnterListensAndDials)
{
    trainName();
    launch();
    key(Qt::Key_Space);
    ASSERT_TRUE(run([this] { return popupHasFocus(); })) << "the focus goes to the sheet's Stop";
    key(Qt::Key_Escape);
    ASSERT_TRUE(run([this] { return !host().dialogueRunning(); }));
    EXPECT_TRUE(m_dialler.dialled.isEmpty());
    ASSERT_TRUE(run([this] {
        return m_window->activeFocusItem() && m_window->activeFocusItem()->objectName() == "screenButton";
    })) << "and back to the dial screen's button";

    say(2);
    key(Qt::Key_Return);
    ASSERT_TRUE(run([this] { return !m_dialler.dialled.isEmpty(); }));
    EXPECT_EQ(m_dialler.dialled, QStringList("tel:+49170002"));
}

TEST_F(KeyboardTest, TrainsAContactSwitchesASettingAndDeletesTheName)
{
    launch();
    ASSERT_TRUE(tabTo(qtTrId("accessibleInfoButtonName")));
    key(Qt::Key_Return);

    ASSERT_TRUE(run([this] { return tabBarShown(); }));

    // Contacts, Anna Berg, her number: the training asks, records, keeps.
    const auto* menu = qobject_cast<TableViewController*>(tab(TabBarController::ActionsTab).topViewController());
    ASSERT_TRUE(tabTo(menu->shownCell(0, 0)->text, QAccessible::ListItem));
    key(Qt::Key_Return);
    ASSERT_TRUE(tabTo("Anna Berg", QAccessible::ListItem));
    key(Qt::Key_Return);
    ASSERT_TRUE(tabTo("+49 170 002"));
    say(2);
    key(Qt::Key_Return);
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    ASSERT_TRUE(enterUntil([&] { return store.count() == 1 && !host().dialogueRunning(); }));
    EXPECT_EQ(store.commandAtIndex(0)->name(), "Anna Berg");
    const auto depth = tab(TabBarController::ActionsTab).count();
    key(Qt::Key_Escape);
    EXPECT_EQ(tab(TabBarController::ActionsTab).count(), depth - 1) << "Escape goes back";

    // Settings: the voice guide off.
    ASSERT_TRUE(tabTo(tab(TabBarController::DefaultsTab).title(), QAccessible::PageTab));
    key(Qt::Key_Return);
    ASSERT_TRUE(tabTo(qtTrId("prefsVoiceGuideSwitch")));
    key(Qt::Key_Space);
    EXPECT_FALSE(UserDefaults::standardUserDefaults().boolForKey("VoiceGuide"));

    // Commands: Anna Berg's options, Delete, confirmed.
    ASSERT_TRUE(tabTo(tab(TabBarController::CommandsTab).title(), QAccessible::PageTab));
    key(Qt::Key_Return);
    ASSERT_TRUE(tabTo("Anna Berg", QAccessible::ListItem));
    key(Qt::Key_Return);
    ASSERT_TRUE(run([this] { return popupHasFocus(); }));
    ASSERT_TRUE(tabTo(qtTrId("actionsDelete")));
    key(Qt::Key_Return);
    ASSERT_TRUE(run([this] { return popupHasFocus(); }));
    key(Qt::Key_Return);
    ASSERT_TRUE(run([&] { return store.count() == 0; }));
}

}  // namespace

#include "AccessibilityTest.moc"
