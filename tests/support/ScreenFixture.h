#pragma once

#include "Platform/Contacts/AddressBook.h"
#include "ViewControllers/Kit/NavigationController.h"
#include "ViewControllers/Kit/QuickPopupHost.h"
#include "ViewControllers/RootViewController.h"
#include "ViewControllers/TabBarController.h"
#include "ZarnethAppDelegate.h"
#include "support/DialogueFixture.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

// The world of a screen test: a dialogue test's store, clock, audio and
// scripted screen, plus the application and an address book on the
// contacts folder; or the application's own window, offscreen.
class ScreenFixture : public DialogueFixture {
protected:
    void TearDown() override { ZRCommandList::sharedCommandList().removeAllCommands(); }
    ScreenServices services() { return {m_application, m_screen, m_device, m_store, m_addressBook}; }
    static bool setting(const char* key) { return UserDefaults::standardUserDefaults().boolForKey(key); }

    // Launches the application in its window, with Anna Berg (+49 170 005)
    // in the contacts it reads.
    void launch()
    {
        IsolatedStorage::touch(m_storage.contacts() + "/people.vcf",
            "BEGIN:VCARD\nVERSION:3.0\nN:Berg;Anna;;;\nFN:Anna Berg\nTEL;TYPE=cell:+49 170 005\nEND:VCARD\n");
        m_application.applicationDidFinishLaunching();
        m_window = qobject_cast<QQuickWindow*>(m_application.window()->rootObjects().first());
        m_window->requestActivate();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
        ASSERT_TRUE(QTest::qWaitFor([this] { return !m_application.addressBook()->isLoading(); }, 10000));
    }
    // The visible item of that name, if any (tabs keep hidden pages around);
    // through the tree of what is drawn: list rows are no QObject children.
    QQuickItem* shown(const QString& name, QQuickItem* from = nullptr) const
    {
        from = from ? from : m_window->contentItem();
        if (!from->isVisible() || from->objectName() == name)
            return from->isVisible() ? from : nullptr;
        for (QQuickItem* child : from->childItems()) {
            if (QQuickItem* found = shown(name, child))
                return found;
        }
        return nullptr;
    }
    // A mouse click in the middle of the visible item of that name; a flip
    // also waits the second the turn takes.
    void tap(const QString& name)
    {
        QQuickItem* target = shown(name);
        ASSERT_NE(target, nullptr) << name.toStdString();
        QTest::mouseClick(m_window, Qt::LeftButton, {}, target->mapToScene(target->boundingRect().center()).toPoint());
        QTest::qWait(50);
    }
    void flip(const QString& name) { tap(name), QTest::qWait(1200); }
    void key(Qt::Key pressed) { QTest::keyClick(m_window, pressed); }
    // Runs the dialogues' clock and the event loop until `done`.
    bool run(const std::function<bool()>& done)
    {
        return QTest::qWaitFor(
            [&] { return done() || (m_clock.advance(std::chrono::milliseconds(100)), done()); }, 60000);
    }
    // Whether a popup is up with the keyboard focus on one of its buttons.
    bool popupHasFocus() const
    {
        const QString name = m_window->activeFocusItem() ? m_window->activeFocusItem()->objectName() : QString();
        return host().visible() && (name.startsWith("sheetButton") || name.startsWith("alertButton"));
    }
    RootViewController& root() const { return *m_application.rootViewController(); }
    TabBarController& tabs() const { return *root().tabBarController(); }
    auto& tab(int index) const { return static_cast<NavigationController&>(*tabs().viewControllerAt(index)); }
    QuickPopupHost& host() const { return *m_application.popupHost(); }

    ZarnethAppDelegate m_application {m_device};
    AddressBook m_addressBook {m_storage.contacts()};
    QQuickWindow* m_window = nullptr;
};
