#pragma once

#include "Platform/Contacts/Contact.h"
#include "ViewControllers/Kit/TableViewController.h"

// A contact's details, reduced to its phone numbers: a row per number with
// its kind. A contact without numbers says so.
class PersonViewController : public TableViewController {
    Q_OBJECT

public:
    explicit PersonViewController(Contact person, QObject* parent = nullptr);

    const Contact& person() const { return m_person; }

    QString titleForHeaderInSection(int section) const override;
    QString titleForFooterInSection(int section) const override;
    int numberOfRowsInSection(int section) const override;
    TableViewCell cellForRowAtIndexPath(int section, int row) const override;
    void didSelectRowAtIndexPath(int section, int row) override;

    // The number's own label as the card writes it, else "mobile", "home",
    // "work" or "other" in the user's language.
    static QString kindOfNumber(const ContactPhone& phone);

private:
    Contact m_person;
};
