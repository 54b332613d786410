#include "Platform/Contacts/VCardCardBuilder.h"

#include "Platform/Contacts/VCardReader.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// More names of one card than any writer puts there; the rest is not read.
constexpr qsizetype kMaxNames = 48;

struct StandardLabel {
    const char* name;  // between "_$!<" and ">!$_"
    QStringList types;
};

// The labels of Apple's address book for numbers and the vCard types they
// stand for; "Other" stands for none.
const QList<StandardLabel>& standardLabels()
{
    static const QList<StandardLabel> labels {{"Mobile", {"cell"}}, {"iPhone", {"cell"}}, {"Home", {"home"}},
        {"Work", {"work"}}, {"Main", {"main"}}, {"HomeFAX", {"home", "fax"}}, {"WorkFAX", {"work", "fax"}},
        {"OtherFAX", {"fax"}}, {"Pager", {"pager"}}, {"Other", {}}};
    return labels;
}

// A value that starts with a URI scheme ("sip:", "mailto:"), as no phone
// number does.
bool hasUriScheme(const QString& value)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    return scheme.match(value).hasMatch();
}

bool hasDigit(const QString& value)
{
    return std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.isDigit(); });
}

}  // namespace

VCardCardBuilder::VCardCardBuilder(bool unicodeData)
    : m_decoder(unicodeData)
{
}

void VCardCardBuilder::add(VCardProperty property)
{
    m_decoder.learn(property);
    const QByteArray& name = property.name;
    if ((name == "FN" || name == "N" || name == "ORG") && m_names.size() < kMaxNames)
        m_names.append(std::move(property));
    else if (name == "TEL" && m_phones.size() < VCardReader::kMaxPhoneNumbers)
        m_phones.append(std::move(property));
    else if (name == "X-ABLABEL" && !property.group.isEmpty() && !m_labels.contains(property.group)
        && m_labels.size() < VCardReader::kMaxPhoneNumbers)
        m_labels.insert(property.group, std::move(property));
}

std::optional<Contact> VCardCardBuilder::contact() const
{
    Contact contact;
    contact.formattedName = firstText("FN");
    addName(contact);
    for (const VCardProperty& property : m_names) {
        if (property.name == "ORG" && contact.organization.isEmpty())
            contact.organization = m_decoder.components(m_decoder.text(property), 1).value(0);
    }
    for (const VCardProperty& property : m_phones) {
        if (std::optional<ContactPhone> number = phone(property))
            contact.phoneNumbers.append(std::move(*number));
    }
    if (contact.displayName().isEmpty())
        return std::nullopt;
    return contact;
}

QString VCardCardBuilder::firstText(const QByteArray& name) const
{
    for (const VCardProperty& property : m_names) {
        if (property.name != name)
            continue;
        const QString text = m_decoder.unescaped(m_decoder.text(property)).trimmed();
        if (!text.isEmpty())
            return text;
    }
    return {};
}

void VCardCardBuilder::addName(Contact& contact) const
{
    for (const VCardProperty& property : m_names) {
        if (property.name != "N")
            continue;
        const QStringList components = m_decoder.components(m_decoder.text(property), 2);
        contact.lastName = components.value(0);
        contact.firstName = components.value(1);
        if (!contact.lastName.isEmpty() || !contact.firstName.isEmpty())
            return;
    }
}

std::optional<ContactPhone> VCardCardBuilder::phone(const VCardProperty& property) const
{
    ContactPhone phone;
    phone.number = m_decoder.unescaped(m_decoder.text(property)).trimmed();
    if (phone.number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
        phone.number = phone.number.sliced(4).trimmed();
    if (hasUriScheme(phone.number) || !hasDigit(phone.number))
        return std::nullopt;
    phone.types = property.types;
    applyLabel(property, phone);
    return phone;
}

void VCardCardBuilder::applyLabel(const VCardProperty& property, ContactPhone& phone) const
{
    const auto label = m_labels.constFind(property.group);
    if (property.group.isEmpty() || label == m_labels.cend())
        return;
    QString text = m_decoder.unescaped(m_decoder.text(*label)).trimmed();
    if (!text.startsWith(QLatin1String("_$!<")) || !text.endsWith(QLatin1String(">!$_"))) {
        phone.label = text;
        return;
    }
    text = text.sliced(4, text.size() - 8);
    for (const StandardLabel& standard : standardLabels()) {
        if (text.compare(QLatin1String(standard.name), Qt::CaseInsensitive) != 0)
            continue;
        QStringList types = standard.types;
        for (const QString& type : phone.types) {
            if (!types.contains(type) && types.size() < VCardProperty::kMaxTypes)
                types.append(type);
        }
        phone.types = types;
        return;
    }
    phone.label = text;  // a label of Apple's this reader does not know, shown as Apple names it
}
