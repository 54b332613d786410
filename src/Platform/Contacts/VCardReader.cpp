#include "Platform/Contacts/VCardReader.h"

#include "Platform/Contacts/VCardCardBuilder.h"
#include "Platform/Contacts/VCardLines.h"
#include "Platform/Contacts/VCardProperty.h"

#include <QStringDecoder>
#include <optional>

namespace {

// The Unicode encoding of wide text: by its byte order mark, or for UTF-16
// without one, by the zero byte beside the first character, which is ASCII
// in every card ("BEGIN").
std::optional<QStringConverter::Encoding> wideEncoding(const QByteArray& bytes)
{
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes);
    if (marked)
        return *marked == QStringConverter::Utf8 ? std::nullopt : marked;
    if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0')
        return QStringConverter::Utf16LE;
    if (bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] != '\0')
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// The data as 8-bit text without a byte order mark: wide text becomes UTF-8.
QByteArray narrowText(const QByteArray& bytes, bool& wasWide)
{
    const std::optional<QStringConverter::Encoding> wide = wideEncoding(bytes);
    wasWide = wide.has_value();
    if (wasWide) {
        QStringDecoder decoder(*wide);  // drops the byte order mark
        return QString(decoder.decode(bytes)).toUtf8();
    }
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

void keep(std::optional<VCardCardBuilder>& card, QList<Contact>& contacts)
{
    if (card && contacts.size() < VCardReader::kMaxContacts) {
        if (std::optional<Contact> contact = card->contact())
            contacts.append(std::move(*contact));
    }
    card.reset();
}

}  // namespace

VCardReader::Result VCardReader::read(const QByteArray& bytes)
{
    Result result;
    if (bytes.size() > kMaxBytes) {
        result.error = QStringLiteral("larger than %1 MiB").arg(kMaxBytes / (1024 * 1024));
        return result;
    }
    bool wide = false;
    const QByteArray text = narrowText(bytes, wide);
    VCardLines lines(text);
    std::optional<VCardCardBuilder> card;
    bool foundCard = false;
    while (!lines.atEnd() && result.contacts.size() < kMaxContacts) {
        std::optional<VCardProperty> property = VCardProperty::parse(lines.next());
        if (!property)
            continue;
        if (property->isCardMark("BEGIN")) {
            keep(card, result.contacts);  // a card left open ends where the next begins
            card.emplace(wide);
            foundCard = true;
        } else if (property->isCardMark("END")) {
            keep(card, result.contacts);
        } else if (card) {
            card->add(std::move(*property));
        }
    }
    keep(card, result.contacts);  // a card left open at the end keeps what it has
    if (!foundCard)
        result.error = QStringLiteral("no vCard in it");
    return result;
}
