#pragma once

#include "Platform/Contacts/Contact.h"
#include "ViewControllers/Kit/TableViewController.h"

#include <QList>

class AddressBook;

// The list of contacts: sorted, in sections by initial, filtered by the
// search field, and refreshed whenever the address book changes.
class PeoplePickerViewController : public TableViewController {
    Q_OBJECT

public:
    explicit PeoplePickerViewController(AddressBook& addressBook, QObject* parent = nullptr);

    void reloadData() override;
    int numberOfSectionsInTableView() const override;
    QString titleForHeaderInSection(int section) const override;
    QString titleForFooterInSection(int section) const override;
    int numberOfRowsInSection(int section) const override;
    TableViewCell cellForRowAtIndexPath(int section, int row) const override;
    void didSelectRowAtIndexPath(int section, int row) override;
    bool searchable() const override { return true; }

    // The contact shown in that row, if any.
    const Contact* contactAt(int section, int row) const;

private:
    struct Section {
        QString initial;
        QList<Contact> contacts;
    };

    // Groups the contacts that match the search text by their initials.
    void rebuildSections();
    bool matchesSearch(const Contact& contact) const;
    static QString initialOf(const Contact& contact);

    AddressBook& m_addressBook;
    QList<Section> m_sections;
};
