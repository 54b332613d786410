#pragma once

#include <QString>

// The request that hands a number to the system's dialler: "tel:" and the
// number with every space removed. Nothing else is changed: dashes,
// parentheses and a leading "+" go through as written.
class TelephoneURL {
public:
    static QString forNumber(QString phoneNumber)
    {
        return QStringLiteral("tel:%1").arg(phoneNumber.remove(QLatin1Char(' ')));
    }
};
