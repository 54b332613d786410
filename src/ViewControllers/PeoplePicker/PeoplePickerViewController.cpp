#include "ViewControllers/PeoplePicker/PeoplePickerViewController.h"

#include "Platform/Contacts/AddressBook.h"
#include "ViewControllers/PeoplePicker/PeoplePickerNavigationController.h"

#include <QDir>

PeoplePickerViewController::PeoplePickerViewController(AddressBook& addressBook, QObject* parent)
    : TableViewController(parent)
    , m_addressBook(addressBook)
{
    setTitle(qtTrId("mainTableContacts"));
    connect(&addressBook, &AddressBook::contactsChanged, this, &PeoplePickerViewController::reloadData);
}

QString PeoplePickerViewController::initialOf(const Contact& contact)
{
    const QString name = contact.displayName().trimmed();
    if (name.isEmpty() || !name.front().isLetter())
        return QStringLiteral("#");
    return name.left(1).toUpper();
}

bool PeoplePickerViewController::matchesSearch(const Contact& contact) const
{
    const QString search = searchText().trimmed();
    if (search.isEmpty())
        return true;
    if (contact.displayName().contains(search, Qt::CaseInsensitive)
        || contact.organization.contains(search, Qt::CaseInsensitive))
        return true;
    for (const ContactPhone& phone : contact.phoneNumbers) {
        if (phone.number.contains(search))
            return true;
    }
    return false;
}

void PeoplePickerViewController::rebuildSections()
{
    // The address book keeps its contacts sorted, so equal initials are
    // next to each other.
    m_sections.clear();
    for (const Contact& contact : m_addressBook.contacts()) {
        if (!matchesSearch(contact))
            continue;
        const QString initial = initialOf(contact);
        if (m_sections.isEmpty() || m_sections.back().initial != initial)
            m_sections.append(Section {initial, {}});
        m_sections.back().contacts.append(contact);
    }
}

void PeoplePickerViewController::reloadData()
{
    rebuildSections();
    TableViewController::reloadData();
}

int PeoplePickerViewController::numberOfSectionsInTableView() const
{
    // One section even when empty, for the footer that says why.
    return std::max<int>(1, m_sections.size());
}

QString PeoplePickerViewController::titleForHeaderInSection(int section) const
{
    return section < m_sections.size() ? m_sections[section].initial : QString();
}

QString PeoplePickerViewController::titleForFooterInSection(int section) const
{
    if (section != std::max<int>(0, m_sections.size() - 1) || !m_sections.isEmpty())
        return {};
    if (m_addressBook.isLoading())
        return qtTrId("contactsLoadingText");
    if (!searchText().trimmed().isEmpty())
        return qtTrId("contactsNoMatchText");
    return qtTrId("contactsEmptyText").arg(QDir::toNativeSeparators(m_addressBook.directory()));
}

int PeoplePickerViewController::numberOfRowsInSection(int section) const
{
    return section < m_sections.size() ? m_sections[section].contacts.size() : 0;
}

TableViewCell PeoplePickerViewController::cellForRowAtIndexPath(int section, int row) const
{
    const Contact& contact = m_sections[section].contacts[row];
    TableViewCell cell;
    cell.text = contact.displayName();
    cell.detailText = contact.displayName() != contact.organization ? contact.organization : QString();
    cell.accessory = TableViewCell::Accessory::DisclosureIndicator;
    return cell;
}

const Contact* PeoplePickerViewController::contactAt(int section, int row) const
{
    if (section < 0 || section >= m_sections.size() || row < 0 || row >= m_sections[section].contacts.size())
        return nullptr;
    return &m_sections[section].contacts[row];
}

void PeoplePickerViewController::didSelectRowAtIndexPath(int section, int row)
{
    const Contact* contact = contactAt(section, row);
    auto* picker = qobject_cast<PeoplePickerNavigationController*>(navigationController());
    if (contact && picker)
        picker->pickPerson(*contact);
}
