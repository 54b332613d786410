#pragma once

#include "Platform/Contacts/Contact.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads contacts from vCard data (versions 2.1, 3.0 and 4.0): the names
// (FN, N, ORG) and the phone numbers (TEL) with their types; every other
// property is passed over. The data may come from anywhere, so nothing in
// it is trusted: sizes and counts are bounded, and whatever cannot be
// understood is skipped rather than read as something else.
//
// How the card format's loose ends are taken:
// - Lines end with CRLF, LF or CR. A line that begins with a space or a tab
//   continues the one before, without that one space or tab (every version).
// - In a quoted-printable value, "=" at the end of a line joins the next
//   line as it is, unless that line begins or ends a card.
// - A card ends at END:VCARD, at the next BEGIN:VCARD (a card nested in
//   another, or one whose END is missing, ends the one before it) or at the
//   end of the data: an unfinished card keeps what it has.
// - The first non-empty FN, N and ORG of a card count; a card with
//   neither a name nor a number is dropped.
// - Values are decoded first (ENCODING=QUOTED-PRINTABLE, BASE64 or B; 2.1's
//   bare QUOTED-PRINTABLE and BASE64 too), then taken from their CHARSET
//   (UTF-8 when there is none or it is unknown), then unescaped (\n \N \,
//   \; \\ and \:); N and ORG are split at the semicolons that were not
//   escaped.
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
