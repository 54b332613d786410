#pragma once

#include "Platform/Contacts/AddressBook.h"
#include "ViewControllers/Kit/NavigationController.h"
#include "ViewControllers/RootViewController.h"
#include "ViewControllers/TabBarController.h"
#include "ZarnethAppDelegate.h"
#include "support/DialogueFixture.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <functional>

class QuickPopupHost;

// The world of a screen test: a dialogue test's store, clock, audio and
// scripted screen, plus the application and an address book on the
// contacts folder; or the application's own window, offscreen.
class ScreenFixture : public DialogueFixture {
protected:
    void TearDown() override { ZRCommandList::sharedCommandList().removeAllCommands(); }
    ScreenServices services() { return {m_application, m_screen, m_device, m_store, m_addressBook}; }
    static bool setting(const char* key) { return UserDefaults::standardUserDefaults().boolForKey(key); }
    static void setSetting(const char* key, bool on) { UserDefaults::standardUserDefaults().setBool(on, key); }

    // Writes a vCard file into the contacts folder and reads the folder.
    void writeContacts(const QByteArray& vcards);
    // Launches the application in its window, with Anna Berg (+49 170 005)
    // in the contacts it reads.
    void launch();
    // The visible item of that name, if any (tabs keep hidden pages around).
    QQuickItem* shown(const QString& name) const;
    // A mouse click in the middle of the visible item of that name; a flip
    // also waits the second the turn takes.
    void tap(const QString& name);
    void flip(const QString& name) { tap(name), QTest::qWait(1200); }
    void key(Qt::Key pressed) { QTest::keyClick(m_window, pressed); }
    // Runs the dialogues' clock and the event loop until `done`.
    bool run(const std::function<bool()>& done);
    // Whether a popup is up with the keyboard focus on one of its buttons.
    bool popupHasFocus() const;
    RootViewController& root() const { return *m_application.rootViewController(); }
    TabBarController& tabs() const { return *root().tabBarController(); }
    auto& tab(int index) const { return static_cast<NavigationController&>(*tabs().viewControllerAt(index)); }
    QuickPopupHost& host() const { return *m_application.popupHost(); }

    ZarnethAppDelegate m_application {m_device};
    AddressBook m_addressBook {m_storage.contacts()};
    QQuickWindow* m_window = nullptr;
};
