#include "ViewControllers/PeoplePicker/PeoplePickerNavigationController.h"

#include "Platform/Contacts/Contact.h"
#include "Platform/System/TelephoneURL.h"
#include "Platform/System/UrlOpener.h"
#include "ViewControllers/PeoplePicker/PeoplePickerNavigationControllerDelegate.h"
#include "ViewControllers/PeoplePicker/PeoplePickerViewController.h"
#include "ViewControllers/PeoplePicker/PersonViewController.h"

#include <QUrl>

PeoplePickerNavigationController::PeoplePickerNavigationController(AddressBook& addressBook, QObject* parent)
    : NavigationController(std::make_shared<PeoplePickerViewController>(addressBook), parent)
{
}

void PeoplePickerNavigationController::pickPerson(const Contact& person)
{
    if (m_peoplePickerDelegate
        && !m_peoplePickerDelegate->peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(*this, person))
        return;
    pushViewController(std::make_shared<PersonViewController>(person), true);
}

void PeoplePickerNavigationController::pickPersonProperty(const Contact& person, int identifier)
{
    if (identifier < 0 || identifier >= person.phoneNumbers.size())
        return;
    if (m_peoplePickerDelegate
        && !m_peoplePickerDelegate->peoplePickerNavigationControllerShouldContinueAfterSelectingPersonProperty(
            *this, person, identifier))
        return;
    UrlOpener::open(QUrl(TelephoneURL::forNumber(person.phoneNumbers[identifier].number)));
}
