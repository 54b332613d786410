#pragma once

#include "Platform/Contacts/ContactPhone.h"

#include <QList>
#include <QString>

// A person or organisation of the address book, as read from a vCard.
struct Contact {
    QString firstName;                 // N: given name ("" when absent)
    QString lastName;                  // N: family name
    QString organization;              // ORG: first component
    QString formattedName;             // FN
    QList<ContactPhone> phoneNumbers;  // TEL, in card order
    QString sourceFile;                // the file it came from

    // The name to list it under: FN, else "first last" (trimmed), else the
    // organisation, else the first number, else "".
    QString displayName() const;

    bool operator==(const Contact&) const = default;
};
