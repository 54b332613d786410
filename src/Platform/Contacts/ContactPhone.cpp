#include "Platform/Contacts/ContactPhone.h"

QString ContactPhone::kind() const
{
    for (const QString& type : types) {
        if (type == QLatin1String("cell") || type == QLatin1String("mobile"))
            return QStringLiteral("mobile");
        if (type == QLatin1String("home") || type == QLatin1String("work"))
            return type;
    }
    return QStringLiteral("other");
}
