#pragma once

#include <QString>
#include <QStringList>

// One phone number of a contact, as its vCard gives it.
struct ContactPhone {
    // Exactly as written in the card, after unescaping and decoding; only
    // surrounding whitespace is trimmed. A "tel:" URI loses its "tel:" and
    // keeps the rest (";ext=…" included), so TelephoneURL gives the URI back.
    QString number;
    // The TEL type parameters, lower-case, in the order written, each once
    // ("cell", "work", "home", "voice", "pref", ...). A vCard 4.0 PREF=n
    // parameter counts as "pref".
    QStringList types;

    bool operator==(const ContactPhone&) const = default;
};
