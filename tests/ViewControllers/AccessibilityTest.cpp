// The screens for those who cannot see them well or cannot tap: one walk
// through every screen by keys alone, in English and in German, reading
// each screen as a screen reader does.

#include "ViewControllers/Kit/TableViewController.h"
#include "support/ScreenFixture.h"
#include "support/UrlCatcher.h"

#include <QAccessible>
#include <QTranslator>

namespace {

using enum QAccessible::Role;

void shownNodes(QAccessibleInterface* node, std::vector<QAccessibleInterface*>& found)
{
    for (int index = 0; index < node->childCount(); ++index) {
        QAccessibleInterface* child = node->child(index);
        if (child && !child->state().invisible) {
            found.push_back(child);
            shownNodes(child, found);
        }
    }
}

bool actionable(QAccessibleInterface* node)
{
    static const QList<QAccessible::Role> pressable {Button, CheckBox, PageTab, ListItem, Link, EditableText};
    return pressable.contains(node->role())
        || (node->actionInterface() && !node->actionInterface()->actionNames().isEmpty());
}

class AccessibilityTest : public ScreenFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        QAccessible::setActive(true);  // Qt Quick builds accessible faces only for a reader
        setSetting("Dialing", true);   // no listening at launch: the walk starts it
        if (GetParam()) {
            ASSERT_TRUE(m_german.load(QLocale(QLocale::German), "zarneth", "_", BundleResources::directory()));
            QCoreApplication::installTranslator(&m_german);
            EXPECT_EQ(qtTrId("tabBarHelpTitle"), "Hilfe");
        }
    }

    // Reads the screen shown, once settled: nodes of each of `roles`, every
    // control named in words (not a text's key) and no two neighbours alike.
    void read(const char* screen, const std::vector<QAccessible::Role>& roles)
    {
        SCOPED_TRACE(screen);
        ASSERT_TRUE(run([this] { return !host().visible() || popupHasFocus(); }));
        QTest::qWait(50);
        std::vector<QAccessibleInterface*> nodes;
        shownNodes(QAccessible::queryAccessibleInterface(m_window), nodes);
        for (QAccessible::Role role : roles)
            EXPECT_TRUE(std::any_of(nodes.begin(), nodes.end(), [role](auto* node) { return node->role() == role; }))
                << "no node of role " << role;
        const QRegularExpression key("^[a-z]+[A-Z][A-Za-z]*$");  // a text missing from the tables shows as its key
        QHash<QAccessibleInterface*, QStringList> namesUnder;    // of the actionable nodes, by parent
        for (QAccessibleInterface* node : nodes) {
            const QString name = node->text(QAccessible::Name);
            const QAccessible::Role role = node->role();
            EXPECT_TRUE((role != Dialog && role != AlertMessage) || name == host().title()) << name.toStdString();
            EXPECT_TRUE(role != CheckBox || node->state().checkable) << name.toStdString();
            EXPECT_TRUE(
                role != ProgressBar || node->text(QAccessible::Description).contains(QRegularExpression("\\d")));
            if (!actionable(node))
                continue;
            EXPECT_NE(role, NoRole) << name.toStdString();
            EXPECT_FALSE(name.trimmed().isEmpty()) << "a node of role " << role;
            EXPECT_FALSE(key.match(name).hasMatch()) << name.toStdString();
            namesUnder[node->parent()] << name;
        }
        for (const QStringList& names : namesUnder)
            EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << names.join(", ").toStdString();
    }

    // Tabs until the control with the focus says `text` (and is a `role`),
    // then presses `pressed` there.
    bool press(Qt::Key pressed, const QString& text, QAccessible::Role role = NoRole)
    {
        for (int step = 0; step < 40; ++step, key(Qt::Key_Tab)) {
            QTest::qWait(10);  // a new page lays out its rows first
            QQuickItem* item = m_window->activeFocusItem();
            QAccessibleInterface* node = item ? QAccessible::queryAccessibleInterface(item) : nullptr;
            if (node && (node->text(QAccessible::Name) + " " + node->text(QAccessible::Description)).contains(text)
                && (role == NoRole || node->role() == role))
                return key(pressed), true;
        }
        return false;
    }
    // A control word in the application's store, named as a training names it.
    void trainWord(std::int32_t type)
    {
        const auto word = trainDigit(type, kAcceptDigit);
        word->setName(ZRCommand::titleOfSystemCommandType(type));
        ZRCommandList::sharedCommandList().addCommand(word);
    }
    // Whether the switch with the focus tells a screen reader it is on (what
    // its Accessible says, which Qt's state reports may mask).
    bool focusedSwitchSaysOn() const
    {
        for (QObject* child : m_window->activeFocusItem()->children()) {
            if (QByteArray(child->metaObject()->className()) == "QQuickAccessibleAttached")
                return child->property("checked").toBool();
        }
        ADD_FAILURE() << "the focus is on no accessible item";
        return false;
    }

    UrlCatcher m_dialler;
    QTranslator m_german;  // leaves the application when it goes
};

TEST_P(AccessibilityTest, EveryScreenIsReadAndWorkedByKeysAlone)
{
    ZRCommandList& store = ZRCommandList::sharedCommandList();
    store.addCommand(trainDigit(ZRCommandTypePhone, 2));  // "Digit 2", "+49 170 002"
    setSetting("CommandListHasData", true);
    launch();
    read("DialScreen", {Button});

    // Space listens, Escape stops, Enter listens and dials.
    key(Qt::Key_Space);
    ASSERT_TRUE(run([this] { return popupHasFocus(); })) << "the focus goes to the sheet's Stop";
    read("Listening", {Dialog, ProgressBar, Button});
    key(Qt::Key_Escape);
    ASSERT_TRUE(
        run([this] { return !host().dialogueRunning() && m_window->activeFocusItem() == shown("screenButton"); }));
    say(2);
    key(Qt::Key_Return);
    ASSERT_TRUE(run([this] { return !m_dialler.opened.isEmpty() && !host().dialogueRunning(); }));
    EXPECT_EQ(m_dialler.opened, QStringList("tel:+49170002"));

    // Contacts, Anna Berg, her number: the training asks, records, keeps.
    // (Digit 2 goes first: its identifier came from another store.)
    store.removeCommand(*store.commandAtIndex(0));
    ASSERT_TRUE(press(Qt::Key_Return, qtTrId("accessibleInfoButtonName")));
    ASSERT_TRUE(run([this] { return m_window->findChild<QObject*>("rootView")->property("side").toInt() == 1; }));
    read("ActionsTab", {ListItem, PageTab});
    const auto* menu = qobject_cast<TableViewController*>(tab(TabBarController::ActionsTab).topViewController());
    ASSERT_TRUE(press(Qt::Key_Return, menu->shownCell(0, 0)->text, ListItem));
    read("Contacts", {EditableText, ListItem, Button});
    ASSERT_TRUE(press(Qt::Key_Return, "Anna Berg", ListItem));
    read("Contact", {ListItem, Button});
    say(5);
    ASSERT_TRUE(press(Qt::Key_Return, "+49 170 005"));
    ASSERT_TRUE(run([this] { return popupHasFocus(); }));
    EXPECT_EQ(host().title(), qtTrId("infoText").arg("Anna Berg", "+49 170 005"));
    ASSERT_TRUE(run([&] {
        if (popupHasFocus())
            key(Qt::Key_Return);  // record, keep, and the tip read
        return store.count() == 1 && !host().dialogueRunning();
    }));
    EXPECT_EQ(store.commandAtIndex(0)->name(), "Anna Berg");
    const auto depth = tab(TabBarController::ActionsTab).count();
    key(Qt::Key_Escape);
    EXPECT_EQ(tab(TabBarController::ActionsTab).count(), depth - 1) << "Escape goes back";

    // Settings: the voice guide off, and the reader hears so. Confirmations
    // stay off, with a word why, until accept, repeat and cancel are trained.
    ASSERT_TRUE(press(Qt::Key_Return, tab(TabBarController::DefaultsTab).title(), PageTab));
    read("SettingsTab", {CheckBox});
    ASSERT_TRUE(press(Qt::Key_Space, qtTrId("prefsVoiceGuideSwitch"), CheckBox));
    EXPECT_FALSE(setting("VoiceGuide"));
    EXPECT_FALSE(focusedSwitchSaysOn());
    trainWord(ZRCommandTypeAccept);
    trainWord(ZRCommandTypeRepeat);
    ASSERT_TRUE(press(Qt::Key_Space, qtTrId("prefsConfSwitch"), CheckBox));
    ASSERT_TRUE(run([this] { return popupHasFocus(); }));
    EXPECT_EQ(host().title(), qtTrId("switchLockInfoTitle"));
    EXPECT_FALSE(setting("Confirmations"));
    key(Qt::Key_Return);
    ASSERT_TRUE(run([this] { return !host().visible(); }));
    trainWord(ZRCommandTypeCancel);
    ASSERT_TRUE(press(Qt::Key_Space, qtTrId("prefsConfSwitch"), CheckBox));
    EXPECT_TRUE(setting("Confirmations"));
    EXPECT_TRUE(focusedSwitchSaysOn());

    // Commands: Anna Berg's options, Delete; Escape cancels it, Enter confirms it.
    ASSERT_TRUE(press(Qt::Key_Return, tab(TabBarController::CommandsTab).title(), PageTab));
    read("CommandsTab", {ListItem, Button});
    ASSERT_TRUE(press(Qt::Key_Return, "Anna Berg", ListItem));
    const QString options = qtTrId("optionsAlertSheetText").arg("Anna Berg");
    for (const Qt::Key answer : {Qt::Key_Escape, Qt::Key_Return}) {
        ASSERT_TRUE(run([&] { return popupHasFocus() && host().title() == options; }));
        read("CommandOptions", {Dialog, Button});
        ASSERT_TRUE(press(Qt::Key_Return, qtTrId("actionsDelete")));
        ASSERT_TRUE(run([&] { return popupHasFocus() && host().title() != options; }));
        key(answer);
        ASSERT_TRUE(run([&] { return answer == Qt::Key_Return ? store.count() == 0 : host().title() == options; }));
        EXPECT_EQ(store.count(), answer == Qt::Key_Escape ? 1u : 0u);
    }

    // Help, and its about screen.
    ASSERT_TRUE(press(Qt::Key_Return, tab(TabBarController::HelpTab).title(), PageTab));
    read("HelpTab", {Button});
    ASSERT_TRUE(press(Qt::Key_Return, qtTrId("aboutButtonTitle"), Button));
    read("About", {Link, Button});
}

INSTANTIATE_TEST_SUITE_P(Languages, AccessibilityTest, ::testing::Bool(),
    [](const auto& info) { return std::string(info.param ? "German" : "English"); });

}  // namespace
