#pragma once

#include "Platform/Contacts/Contact.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads contacts from vCard data (versions 2.1, 3.0 and 4.0) as address
// books and phones write them: the names (FN, N, ORG) and the phone numbers
// (TEL) with their types and labels; every other property is passed over.
// The data may come from anywhere, so nothing in it is trusted: sizes and
// counts are bounded, and whatever cannot be understood is skipped rather
// than read as something else.
//
// - The data is UTF-8 (with or without a byte order mark), 8-bit text of
//   some code page, or UTF-16 or UTF-32 with a byte order mark (UTF-16
//   without one too, when it begins with ASCII as every card does).
// - VCardLines says how lines end, fold and go on; VCardProperty how
//   parameters are read; VCardValueDecoder how values become text;
//   VCardCardBuilder which names and numbers a card gives.
// - A card ends at END:VCARD, at the next BEGIN:VCARD (a card nested in
//   another, or one whose END is missing, ends the one before it) or at the
//   end of the data: an unfinished card keeps what it has.
class VCardReader {
public:
    struct Result {
        QList<Contact> contacts;  // in the order of the data; sourceFile is left empty
        QString error;            // non-empty when the data holds no readable card at all
    };

    // Larger data is refused unread.
    static constexpr qsizetype kMaxBytes = 8 * 1024 * 1024;
    // Cards after this many contacts are not read.
    static constexpr qsizetype kMaxContacts = 10'000;
    // Numbers of a card after this many are not read.
    static constexpr qsizetype kMaxPhoneNumbers = 1'000;

    static Result read(const QByteArray& bytes);
};
