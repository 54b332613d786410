#pragma once

#include "ViewControllers/Kit/NavigationController.h"

class AddressBook;
struct Contact;
class PeoplePickerNavigationControllerDelegate;

// The address book's people picker: a navigation controller that starts
// with the list of contacts; picking a contact shows its details, which
// are its phone numbers only. A delegate decides at each step whether the
// picker goes on.
class PeoplePickerNavigationController : public NavigationController {
    Q_OBJECT

public:
    explicit PeoplePickerNavigationController(AddressBook& addressBook, QObject* parent = nullptr);

    PeoplePickerNavigationControllerDelegate* peoplePickerDelegate() const { return m_peoplePickerDelegate; }
    void setPeoplePickerDelegate(PeoplePickerNavigationControllerDelegate* delegate)
    {
        m_peoplePickerDelegate = delegate;
    }

    // From the contact list: the user picked this contact.
    void pickPerson(const Contact& person);
    // From the details: the user tapped the contact's number `identifier`.
    void pickPersonProperty(const Contact& person, int identifier);

private:
    PeoplePickerNavigationControllerDelegate* m_peoplePickerDelegate = nullptr;
};
