#pragma once

#include "Platform/Contacts/Contact.h"
#include "Platform/Contacts/VCardProperty.h"
#include "Platform/Contacts/VCardValueDecoder.h"

#include <QList>
#include <QMap>
#include <optional>

// The contact of one card. It keeps the properties that make the contact
// (FN, N, ORG, TEL and the X-ABLabel of a group) as they come and decodes
// them when the card has ended, since the card's version, its code page and
// a number's label may come after the values they apply to.
// - The first non-empty FN, N and ORG count.
// - A number is kept only when it can be dialled: a "tel:" URI loses its
//   scheme, a URI of any other scheme ("sip:", "mailto:") is not a phone
//   number, nor is a value without a digit.
// - Apple and Google name a number's kind by a label in its group
//   ("item1.TEL" and "item1.X-ABLabel"): the standard labels
//   ("_$!<Mobile>!$_", "_$!<HomeFAX>!$_", ...) add their types ahead of the
//   written ones, any other label is the number's own label as written.
class VCardCardBuilder {
public:
    explicit VCardCardBuilder(bool unicodeData = false);

    void add(VCardProperty property);
    // The card's contact, or nothing when it has neither name nor number.
    std::optional<Contact> contact() const;

private:
    QString firstText(const QByteArray& name) const;
    void addName(Contact& contact) const;
    std::optional<ContactPhone> phone(const VCardProperty& property) const;
    void applyLabel(const VCardProperty& property, ContactPhone& phone) const;

    VCardValueDecoder m_decoder;
    QList<VCardProperty> m_names;              // FN, N and ORG, in card order
    QList<VCardProperty> m_phones;             // TEL, in card order
    QMap<QByteArray, VCardProperty> m_labels;  // group → its first X-ABLABEL
};
