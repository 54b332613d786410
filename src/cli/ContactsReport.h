#pragma once

#include "Platform/Contacts/Contact.h"

#include <QList>
#include <QMap>
#include <QString>
#include <iosfwd>

// The address book as the application sees it, for people (text) and for
// programs (JSON): each contact's display name and each of its numbers with
// its kind and label, in the book's order; and the files the book skipped,
// with why.
class ContactsReport {
public:
    // The contacts and skipped files as AddressBook gives them.
    ContactsReport(QList<Contact> contacts, QMap<QString, QString> skipped);

    // [{"name": N, "file": F, "numbers": [{"number": X, "kind": K, "label": L}]}],
    // one line; kind is "mobile", "home", "work" or "other", label "" when
    // the number has none.
    void writeJson(std::ostream& out) const;
    // A line per contact, and under it a line per number: the number, its
    // kind and, in quotes, its label.
    void writeText(std::ostream& out) const;
    // "skipped FILE: WHY", a line per file.
    void writeSkipped(std::ostream& out) const;

private:
    QList<Contact> m_contacts;
    QMap<QString, QString> m_skipped;
};
