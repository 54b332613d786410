#pragma once

#include "Platform/Contacts/VCardProperty.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// Turns the values of one card into text, as the card's version and its
// other properties say:
// - The transfer encoding is undone first: ENCODING=QUOTED-PRINTABLE, BASE64
//   or B (2.1's bare QUOTED-PRINTABLE and BASE64 too).
// - The bytes are then decoded from their CHARSET. Bytes with no usable
//   CHARSET (none, one Qt does not know, or one they are not in) are UTF-8 when they are valid UTF-8; else they are in
//   the card's own code page, the first CHARSET another property of the card declares, or else in Windows-1252, which
//   Outlook and other Windows programs write without saying so. No byte a code page explains is shown as U+FFFD. Data
//   that was UTF-16 or UTF-32 is text already: its values are taken as they are, whatever CHARSET says, unless a
//   transfer encoding hides bytes in them.
// - Escapes are undone last: in 3.0 and 4.0 \n \N \, \; \\ and \:, in 2.1
//   only \; (a backslash is a plain character there). Structured values
//   (N, ORG) split at the semicolons that were not escaped.
class VCardValueDecoder {
public:
    // Data that was converted from UTF-16 or UTF-32 to UTF-8 before reading.
    explicit VCardValueDecoder(bool unicodeData = false);

    // Takes the card's version and code page from its properties; every
    // property of the card is shown here before any value is decoded.
    void learn(const VCardProperty& property);

    // The value as text, still escaped.
    QString text(const VCardProperty& property) const;
    QString unescaped(QStringView text) const;
    // The first `count` components of a structured value (fewer when it
    // has fewer), each unescaped and trimmed.
    QStringList components(QStringView text, qsizetype count) const;

private:
    QString fromCharset(const QByteArray& bytes, const QByteArray& charset) const;
    QString undeclared(const QByteArray& bytes) const;

    bool m_unicodeData;
    bool m_version21 = false;
    QByteArray m_cardCharset;
    QByteArray m_unusableCharset;
};
