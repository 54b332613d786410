#pragma once

struct Contact;
class PeoplePickerNavigationController;

// Asked by the people picker as the user picks a contact and then one of
// the contact's phone numbers (by its index, the identifier).
class PeoplePickerNavigationControllerDelegate {
public:
    virtual ~PeoplePickerNavigationControllerDelegate() = default;
    // True: the picker goes on to show the contact's details.
    virtual bool peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
        PeoplePickerNavigationController& peoplePicker, const Contact& person)
        = 0;
    // True: the picker acts on the number itself, which means calling it.
    virtual bool peoplePickerNavigationControllerShouldContinueAfterSelectingPersonProperty(
        PeoplePickerNavigationController& peoplePicker, const Contact& person, int identifier)
        = 0;
    virtual void peoplePickerNavigationControllerDidCancel(PeoplePickerNavigationController& peoplePicker) = 0;
};
