// Any bytes as a vCard file: VCardReader::read(), as the address book calls
// it for every file in the contacts folder. What comes back must keep the
// reader's promises: within its limits, an error only when no card was
// found, names, numbers and labels trimmed, only dialable numbers (a digit,
// no URI scheme but what "tel:" leaves), one of the screens' kinds, and a
// number that makes a "tel:" request for the dialler.

#include "Platform/Contacts/VCardReader.h"
#include "Platform/System/TelephoneURL.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "VCardFuzzer: %s %s\n", what, qPrintable(detail));
    std::abort();
}

bool isTrimmed(const QString& text)
{
    return text == text.trimmed();
}

bool isDialable(const QString& number)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    return std::any_of(number.cbegin(), number.cend(), [](QChar c) { return c.isDigit(); })
        && !scheme.match(number).hasMatch();
}

void checkNumber(const ContactPhone& phone)
{
    if (phone.number.isEmpty() || !isTrimmed(phone.number))
        broken("an empty or untrimmed number:", phone.number);
    if (!isDialable(phone.number))
        broken("a number that cannot be dialled:", phone.number);
    if (!isTrimmed(phone.label))
        broken("an untrimmed label:", phone.label);
    if (!QStringList({"mobile", "home", "work", "other"}).contains(phone.kind()))
        broken("a kind the screens do not name:", phone.kind());
    if (TelephoneURL::forNumber(phone.number).contains(QLatin1Char(' ')))
        broken("a request with a space:", phone.number);
    for (const QString& type : phone.types) {
        if (type.isEmpty() || type != type.toLower() || phone.types.count(type) != 1)
            broken("a number type not lower-case and once:", type);
    }
}

void checkContact(const Contact& contact)
{
    if (contact.displayName().isEmpty())
        broken("a contact with neither name nor number");
    for (const QString* name : {&contact.formattedName, &contact.firstName, &contact.lastName, &contact.organization}) {
        if (!isTrimmed(*name))
            broken("an untrimmed name:", *name);
    }
    if (contact.phoneNumbers.size() > VCardReader::kMaxPhoneNumbers)
        broken("more numbers than the limit");
    for (const ContactPhone& phone : contact.phoneNumbers)
        checkNumber(phone);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const VCardReader::Result result
        = VCardReader::read(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (result.contacts.size() > VCardReader::kMaxContacts)
        broken("more contacts than the limit");
    if (!result.error.isEmpty() && !result.contacts.isEmpty())
        broken("an error beside contacts:", result.error);
    for (const Contact& contact : result.contacts)
        checkContact(contact);
    return 0;
}
