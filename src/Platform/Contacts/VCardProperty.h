#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <optional>

// One content line of a vCard, "[group.]NAME;PARAMETER...:VALUE", with the
// parameters the reader needs. Parameters are read as every version writes
// them: "TYPE=cell,voice", 2.1's bare "CELL;VOICE", 4.0's quoted lists and
// PREF=1. A bare 2.1 parameter that is neither a number type nor an encoding
// (a charset such as "utf-8", a language such as "de-DE", a value location
// such as "INLINE") is not taken for a type.
struct VCardProperty {
    QByteArray group;     // upper-case, "" when none: "ITEM1" of "item1.TEL"
    QByteArray name;      // upper-case, without its group
    QByteArray encoding;  // upper-case: "QUOTED-PRINTABLE", "BASE64", "B", "8BIT", ...
    QByteArray charset;   // as written, without quotes
    QStringList types;    // lower-case, each once, in the order written
    QByteArray value;     // as written

    // More parameters on one property, or more types on one number, than
    // any writer puts there; the rest is not read.
    static constexpr qsizetype kMaxParameters = 64;
    static constexpr qsizetype kMaxTypes = 16;

    // The property of a whole content line, or nothing when it has no colon.
    static std::optional<VCardProperty> parse(QByteArrayView line);
    // The same without the value, for a line whose value may go on.
    static std::optional<VCardProperty> parseHeader(QByteArrayView line);
    // The position of the colon before the value (the first one outside
    // double quotes, since 4.0 parameter values may hold colons), or -1.
    static qsizetype valueSeparator(QByteArrayView line);

    bool isQuotedPrintable() const { return encoding == "QUOTED-PRINTABLE"; }
    // "BEGIN:VCARD" or "END:VCARD", whatever the case.
    bool isCardMark(const char* markName) const;
    // Adds a type, lower-case, unless it is there or there are enough.
    void addType(QByteArrayView type);
};
