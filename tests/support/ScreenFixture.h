#pragma once

#include "Platform/Contacts/AddressBook.h"
#include "ViewControllers/ScreenServices.h"
#include "ZarnethAppDelegate.h"
#include "support/DialogueFixture.h"
#include "support/TemporaryDirectory.h"

#include <string>

// The world of a screen test: a dialogue test's store, clock, audio and
// scripted screen, plus the application and an address book on a folder
// of vCards the test writes.
class ScreenFixture : public DialogueFixture {
protected:
    ScreenServices services() { return {m_application, m_screen, m_device, m_store, m_addressBook}; }

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

    ZarnethAppDelegate m_application {m_device};
    TemporaryDirectory m_contacts;
    AddressBook m_addressBook {QString::fromStdString(m_contacts.path().string())};
};
