#include "Platform/Contacts/Contact.h"

QString Contact::displayName() const
{
    if (!formattedName.isEmpty())
        return formattedName;
    const QString fullName = (firstName + QLatin1Char(' ') + lastName).trimmed();
    if (!fullName.isEmpty())
        return fullName;
    if (!organization.isEmpty())
        return organization;
    return phoneNumbers.isEmpty() ? QString() : phoneNumbers.first().number;
}
