#pragma once

#include "Platform/Contacts/AddressBook.h"
#include "Platform/System/UserDefaults.h"
#include "ViewControllers/Kit/NavigationController.h"
#include "ViewControllers/RootViewController.h"
#include "ViewControllers/ScreenServices.h"
#include "ViewControllers/TabBarController.h"
#include "ZarnethAppDelegate.h"
#include "support/DialogueFixture.h"
#include "support/TemporaryDirectory.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <functional>
#include <string>

class QuickPopupHost;

// The world of a screen test: a dialogue test's store, clock, audio and
// scripted screen, plus the application and an address book on a folder
// of vCards the test writes; or the application's own window, offscreen.
class ScreenFixture : public DialogueFixture {
protected:
    void TearDown() override { ZRCommandList::sharedCommandList().removeAllCommands(); }
    ScreenServices services() { return {m_application, m_screen, m_device, m_store, m_addressBook}; }
    static bool setting(const char* key) { return UserDefaults::standardUserDefaults().boolForKey(key); }

    // Writes a vCard file into the contacts folder and reads the folder.
    void writeContacts(const std::string& vcards);
    // Answers one training (record, keep, the tip dismissed) and runs the
    // clock until the training dialogue of `controller` is over.
    template <class Controller> void train(Controller& controller, const std::function<void()>& start)
    {
        answerTraining();
        start();
        m_clock.runUntil(
            [&controller] { return controller.trainController().command() == nullptr; }, std::chrono::seconds(60));
    }
    void answerTraining();

    // Launches the application in its window, with Anna Berg (+49 170 005)
    // in the contacts it reads.
    void launch();
    // The visible item of that name, if any (tabs keep hidden pages around).
    QQuickItem* shown(const QString& name) const;
    // A mouse click in the middle of the visible item of that name.
    void tap(const QString& name);
    void key(Qt::Key pressed) { QTest::keyClick(m_window, pressed); }
    // Runs the dialogues' clock and the event loop until `done`.
    bool run(const std::function<bool()>& done);
    static void settle() { QTest::qWait(1200); }  // a flip takes a second
    bool tabsShown() const { return m_window->findChild<QObject*>("rootView")->property("side").toInt() == 1; }
    // Whether a popup is up with the keyboard focus on one of its buttons.
    bool popupHasFocus() const;
    RootViewController& root() const { return *m_application.rootViewController(); }
    TabBarController& tabs() const { return *root().tabBarController(); }
    NavigationController& tab(int index) const
    {
        return static_cast<NavigationController&>(*tabs().viewControllerAt(index));
    }
    QuickPopupHost& host() const { return *m_application.popupHost(); }

    ZarnethAppDelegate m_application {m_device};
    TemporaryDirectory m_contacts;
    AddressBook m_addressBook {QString::fromStdString(m_contacts.path().string())};
    QQuickWindow* m_window = nullptr;
};
