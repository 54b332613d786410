#pragma once

#include <QString>
#include <QStringList>

// One phone number of a contact, as its vCard gives it.
struct ContactPhone {
    // Exactly as written in the card, after unescaping and decoding; only
    // surrounding whitespace is trimmed. A "tel:" URI loses its "tel:" and
    // keeps the rest (";ext=…" included), so TelephoneURL gives the URI back.
    QString number;
    // The kinds of the number, lower-case, each once: first those its
    // address-book label stands for (Apple's "_$!<Mobile>!$_" is "cell"),
    // then the TEL type parameters in the order written ("cell", "work",
    // "home", "voice", "pref", ...). A vCard 4.0 PREF=n parameter counts as
    // "pref".
    QStringList types;
    // A label of the user's own for the number ("Oma", "Büro"), as written;
    // "" when the card has none, or only one of the standard kinds.
    QString label = {};

    // Where the phone is, as the contacts screens name it: "mobile", "home",
    // "work", or "other" when no type says; the first type that says counts
    // ("voice", "pref" and "fax" do not).
    QString kind() const;

    bool operator==(const ContactPhone&) const = default;
};
