#pragma once

#include "Platform/Contacts/ContactPhone.h"

#include <ostream>

// Readable failure messages for texts and numbers read from contacts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const ContactPhone& phone, std::ostream* out)
{
    *out << '{';
    PrintTo(phone.number, out);
    *out << " (" << phone.types.join(QLatin1Char(',')).toStdString() << ")}";
}
