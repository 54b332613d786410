#include "cli/ContactsReport.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace {

using nlohmann::json;

json phoneAsJson(const ContactPhone& phone)
{
    return {{"number", phone.number.toStdString()}, {"kind", phone.kind().toStdString()},
        {"label", phone.label.toStdString()}};
}

json contactAsJson(const Contact& contact)
{
    json numbers = json::array();
    for (const ContactPhone& phone : contact.phoneNumbers)
        numbers.push_back(phoneAsJson(phone));
    return {{"name", contact.displayName().toStdString()}, {"file", contact.sourceFile.toStdString()},
        {"numbers", numbers}};
}

}  // namespace

ContactsReport::ContactsReport(QList<Contact> contacts, QMap<QString, QString> skipped)
    : m_contacts(std::move(contacts))
    , m_skipped(std::move(skipped))
{
}

void ContactsReport::writeJson(std::ostream& out) const
{
    json contacts = json::array();
    for (const Contact& contact : m_contacts)
        contacts.push_back(contactAsJson(contact));
    out << contacts.dump() << '\n';
}

void ContactsReport::writeText(std::ostream& out) const
{
    if (m_contacts.isEmpty())
        out << "no contacts\n";
    for (const Contact& contact : m_contacts) {
        out << contact.displayName().toStdString() << '\n';
        for (const ContactPhone& phone : contact.phoneNumbers) {
            out << "  " << phone.number.toStdString() << "  " << phone.kind().toStdString();
            if (!phone.label.isEmpty())
                out << "  \"" << phone.label.toStdString() << '"';
            out << '\n';
        }
    }
}

void ContactsReport::writeSkipped(std::ostream& out) const
{
    for (auto file = m_skipped.cbegin(); file != m_skipped.cend(); ++file)
        out << "skipped " << file.key().toStdString() << ": " << file.value().toStdString() << '\n';
}
