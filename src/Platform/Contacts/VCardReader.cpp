#include "Platform/Contacts/VCardReader.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <optional>

namespace {

// More parameters on one property, or more types on one number, than any
// writer puts there; the rest is not read.
constexpr qsizetype kMaxParameters = 64;
constexpr qsizetype kMaxTypes = 16;

// The lines of the data as written, each without its line break (CRLF, LF
// or CR).
class PhysicalLines {
public:
    explicit PhysicalLines(QByteArrayView data)
        : m_data(data)
    {
    }

    bool atEnd() const { return m_position >= m_data.size(); }
    QByteArrayView peek() const { return m_data.sliced(m_position, lengthOfLine()); }

    QByteArrayView take()
    {
        const QByteArrayView line = peek();
        m_position += line.size();
        if (m_position < m_data.size() && m_data[m_position] == '\r')
            ++m_position;
        if (m_position < m_data.size() && m_data[m_position] == '\n')
            ++m_position;
        return line;
    }

private:
    qsizetype lengthOfLine() const
    {
        qsizetype end = m_position;
        while (end < m_data.size() && m_data[end] != '\r' && m_data[end] != '\n')
            ++end;
        return end - m_position;
    }

    QByteArrayView m_data;
    qsizetype m_position = 0;
};

// One content line: "[group.]NAME;PARAMETER...:VALUE", with the parameters
// this reader needs.
struct Property {
    QByteArray name;      // upper-case, without its group
    QByteArray encoding;  // upper-case
    QByteArray charset;
    QStringList types;  // lower-case, each once
    QByteArray value;   // as written

    bool isCardMark(const char* markName) const
    {
        return name == markName && value.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0;
    }
};

// The first colon outside double quotes (vCard 4.0 parameter values may
// hold colons), or -1.
qsizetype valueSeparator(QByteArrayView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

// The pieces of TEXT between separators outside double quotes; at most
// maxPieces of them, the rest is dropped.
QList<QByteArrayView> pieces(QByteArrayView text, char separator, qsizetype maxPieces)
{
    QList<QByteArrayView> found;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size() && found.size() < maxPieces; ++i) {
        if (i == text.size() || (text[i] == separator && !quoted)) {
            found.append(text.sliced(start, i - start));
            start = i + 1;
        } else if (text[i] == '"') {
            quoted = !quoted;
        }
    }
    return found;
}

void addType(Property& property, QByteArrayView type)
{
    const QString name = QString::fromLatin1(type).trimmed().toLower();
    if (!name.isEmpty() && !property.types.contains(name) && property.types.size() < kMaxTypes)
        property.types.append(name);
}

bool isEncodingName(const QByteArray& name)
{
    return name == "QUOTED-PRINTABLE" || name == "BASE64" || name == "8BIT" || name == "7BIT";
}

void addParameter(Property& property, QByteArrayView parameter)
{
    const qsizetype equals = parameter.indexOf('=');
    const QByteArray name = parameter.first(equals < 0 ? parameter.size() : equals).toByteArray().trimmed().toUpper();
    if (equals < 0) {
        // vCard 2.1 writes the value alone: "TEL;CELL;QUOTED-PRINTABLE:".
        if (isEncodingName(name))
            property.encoding = name;
        else
            addType(property, name);
        return;
    }
    const QByteArray value = parameter.sliced(equals + 1).toByteArray().replace('"', QByteArray()).trimmed();
    if (name == "ENCODING")
        property.encoding = value.toUpper();
    else if (name == "CHARSET")
        property.charset = value;
    else if (name == "TYPE")
        for (QByteArrayView type : pieces(value, ',', kMaxTypes))
            addType(property, type);
    else if (name == "PREF")  // vCard 4.0's PREF=1 is 3.0's TYPE=pref
        addType(property, "pref");
}

// The name and parameters of a line, or nothing when it has no value.
std::optional<Property> parseHeader(QByteArrayView line)
{
    const qsizetype colon = valueSeparator(line);
    if (colon < 0)
        return std::nullopt;
    const QList<QByteArrayView> parts = pieces(line.first(colon), ';', kMaxParameters);
    QByteArrayView name = parts.first();
    name = name.sliced(name.lastIndexOf('.') + 1);  // "item1.TEL" is a TEL of group item1
    Property property;
    property.name = name.toByteArray().trimmed().toUpper();
    for (QByteArrayView parameter : parts.sliced(1))
        addParameter(property, parameter);
    return property;
}

std::optional<Property> parseProperty(const QByteArray& line)
{
    std::optional<Property> property = parseHeader(line);
    if (property)
        property->value = line.sliced(valueSeparator(line) + 1);
    return property;
}

bool isCardBoundary(QByteArrayView line)
{
    if (line.size() > 64)
        return false;
    const QByteArray mark = line.toByteArray().trimmed().toUpper();
    return mark == "BEGIN:VCARD" || mark == "END:VCARD";
}

// The next content line with its continuation lines joined to it.
QByteArray nextLogicalLine(PhysicalLines& lines)
{
    const QByteArrayView first = lines.take();
    const std::optional<Property> header = parseHeader(first);
    const bool quotedPrintable = header && header->encoding == "QUOTED-PRINTABLE";
    QByteArray line = first.toByteArray();
    while (!lines.atEnd()) {
        const QByteArrayView next = lines.peek();
        if (quotedPrintable && line.endsWith('=') && !isCardBoundary(next)) {
            line.chop(1);  // a soft line break
            line += next;
        } else if (next.startsWith(' ') || next.startsWith('\t')) {
            line += next.sliced(1);
        } else {
            break;
        }
        lines.take();
    }
    return line;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "=XX" becomes the byte XX, and an "=" at the end is a soft line break
// with nothing after it; any other "=" stays.
QByteArray fromQuotedPrintable(const QByteArray& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 1 == text.size())
            break;
        const int high = text[i] == '=' && i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = high < 0 ? -1 : hexDigit(text[i + 2]);
        if (low < 0) {
            bytes += text[i];
            continue;
        }
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return bytes;
}

QString fromCharset(const QByteArray& bytes, const QByteArray& charset)
{
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return QString::fromUtf8(bytes);
}

// The value as text, still escaped.
QString decodedValue(const Property& property)
{
    if (property.encoding == "QUOTED-PRINTABLE")
        return fromCharset(fromQuotedPrintable(property.value), property.charset);
    if (property.encoding == "BASE64" || property.encoding == "B")
        return fromCharset(QByteArray::fromBase64(property.value), property.charset);
    return fromCharset(property.value, property.charset);
}

QString unescaped(QStringView text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\') || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const QChar escaped = text[++i];
        if (escaped == QLatin1Char('n') || escaped == QLatin1Char('N'))
            plain += QLatin1Char('\n');
        else if (QStringView(u",;:\\").contains(escaped))
            plain += escaped;
        else
            plain += text.sliced(i - 1, 2);  // not an escape: kept as written
    }
    return plain;
}

// The first `count` components of a structured value (fewer when it has
// fewer), split at semicolons that are not escaped, each unescaped.
QStringList leadingComponents(QStringView text, qsizetype count)
{
    QStringList components;
    qsizetype start = 0;
    for (qsizetype i = 0; components.size() < count; ++i) {
        if (i == text.size() || text[i] == QLatin1Char(';')) {
            components.append(unescaped(text.sliced(start, i - start)).trimmed());
            start = i + 1;
            if (i == text.size())
                break;
        } else if (text[i] == QLatin1Char('\\') && i + 1 < text.size()) {
            ++i;  // an escaped character never separates
        }
    }
    return components;
}

QString phoneNumber(const Property& property)
{
    QString number = unescaped(decodedValue(property)).trimmed();
    if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
        number = number.sliced(4).trimmed();
    return number;
}

// The contact of the card being read.
class CardBuilder {
public:
    void add(const Property& property)
    {
        if (property.name == "FN" && m_contact.formattedName.isEmpty())
            m_contact.formattedName = unescaped(decodedValue(property)).trimmed();
        else if (property.name == "N" && m_contact.lastName.isEmpty() && m_contact.firstName.isEmpty())
            addName(property);
        else if (property.name == "ORG" && m_contact.organization.isEmpty())
            m_contact.organization = leadingComponents(decodedValue(property), 1).value(0);
        else if (property.name == "TEL" && m_contact.phoneNumbers.size() < VCardReader::kMaxPhoneNumbers)
            addPhoneNumber(property);
    }

    bool hasNameOrNumber() const { return !m_contact.displayName().isEmpty(); }
    const Contact& contact() const { return m_contact; }

private:
    void addName(const Property& property)
    {
        const QStringList components = leadingComponents(decodedValue(property), 2);
        m_contact.lastName = components.value(0);
        m_contact.firstName = components.value(1);
    }

    void addPhoneNumber(const Property& property)
    {
        const QString number = phoneNumber(property);
        if (!number.isEmpty())
            m_contact.phoneNumbers.append(ContactPhone {number, property.types});
    }

    Contact m_contact;
};

void keep(std::optional<CardBuilder>& card, QList<Contact>& contacts)
{
    if (card && card->hasNameOrNumber() && contacts.size() < VCardReader::kMaxContacts)
        contacts.append(card->contact());
    card.reset();
}

QByteArrayView withoutByteOrderMark(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
}

}  // namespace

VCardReader::Result VCardReader::read(const QByteArray& bytes)
{
    Result result;
    if (bytes.size() > kMaxBytes) {
        result.error = QStringLiteral("larger than %1 MiB").arg(kMaxBytes / (1024 * 1024));
        return result;
    }
    PhysicalLines lines(withoutByteOrderMark(bytes));
    std::optional<CardBuilder> card;
    bool foundCard = false;
    while (!lines.atEnd() && result.contacts.size() < kMaxContacts) {
        const std::optional<Property> property = parseProperty(nextLogicalLine(lines));
        if (!property)
            continue;
        if (property->isCardMark("BEGIN")) {
            keep(card, result.contacts);  // a card left open ends where the next begins
            card.emplace();
            foundCard = true;
        } else if (property->isCardMark("END")) {
            keep(card, result.contacts);
        } else if (card) {
            card->add(*property);
        }
    }
    keep(card, result.contacts);  // a card left open at the end keeps what it has
    if (!foundCard)
        result.error = QStringLiteral("no vCard in it");
    return result;
}
