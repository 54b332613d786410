#pragma once

#include "Platform/Contacts/AddressBook.h"
#include "Platform/System/UserDefaults.h"
#include "ViewControllers/RootViewController.h"
#include "ViewControllers/ScreenServices.h"
#include "ViewControllers/TabBarController.h"
#include "ZarnethAppDelegate.h"
#include "support/DialogueFixture.h"
#include "support/TemporaryDirectory.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <string>

class QuickPopupHost;

// The world of a screen test: a dialogue test's store, clock, audio and
// scripted screen, plus the application and an address book on a folder
// of vCards the test writes; or the application's own window, offscreen.
class ScreenFixture : public DialogueFixture {
protected:
    void TearDown() override { ZRCommandList::sharedCommandList().removeAllCommands(); }
    ScreenServices services() { return {m_application, m_screen, m_device, m_store, m_addressBook}; }

    static void setting(const char* key, bool value);
    static bool setting(const char* key) { return UserDefaults::standardUserDefaults().boolForKey(key); }

    // Writes a vCard file into the contacts folder and reads the folder.
    void writeContacts(const std::string& fileName, const std::string& vcards);

    // The answers of one training: record, keep, and the tip dismissed.
    void answerTraining(bool keep = true);
    // Runs the clock until the training dialogue of `controller` is over.
    template <class Controller> void finishTraining(Controller& controller)
    {
        m_clock.runUntil(
            [&controller] { return controller.trainController().command() == nullptr; }, std::chrono::seconds(60));
    }

    // Launches the application in its window, with Anna Berg (+49 170 002)
    // in the contacts it reads.
    void launch();
    // The visible item of that name, if any (tabs keep hidden pages around).
    QQuickItem* shown(const QString& name) const;
    // A mouse click in the middle of the visible item of that name.
    void tap(const QString& name);
    RootViewController& root() const { return *m_application.rootViewController(); }
    TabBarController& tabs() const { return *root().tabBarController(); }
    QuickPopupHost& host() const { return *m_application.popupHost(); }

    ZarnethAppDelegate m_application {m_device};
    TemporaryDirectory m_contacts;
    AddressBook m_addressBook {QString::fromStdString(m_contacts.path().string())};
    QQuickWindow* m_window = nullptr;
};
