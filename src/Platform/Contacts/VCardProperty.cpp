#include "Platform/Contacts/VCardProperty.h"

#include <QString>
#include <algorithm>
#include <array>

namespace {

// The number types that vCard 2.1 writes as bare parameters, and those that
// phones and address books add; a bare "X-..." parameter is a type too.
constexpr std::array kBareTypes {"PREF", "WORK", "HOME", "VOICE", "FAX", "MSG", "CELL", "MOBILE", "PAGER", "BBS",
    "MODEM", "CAR", "ISDN", "VIDEO", "PCS", "TEXT", "TEXTPHONE", "MAIN", "OTHER", "IPHONE"};

bool isEncodingName(const QByteArray& name)
{
    return name == "QUOTED-PRINTABLE" || name == "BASE64" || name == "8BIT" || name == "7BIT";
}

bool isBareType(const QByteArray& name)
{
    return name.startsWith("X-")
        || std::find(kBareTypes.begin(), kBareTypes.end(), QByteArrayView(name)) != kBareTypes.end();
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

void addBareParameter(VCardProperty& property, const QByteArray& name)
{
    // vCard 2.1 writes the value alone: "TEL;CELL;QUOTED-PRINTABLE:".
    if (isEncodingName(name))
        property.encoding = name;
    else if (isBareType(name))
        property.addType(name);
}

void addParameter(VCardProperty& property, QByteArrayView parameter)
{
    const qsizetype equals = parameter.indexOf('=');
    const QByteArray name = parameter.first(equals < 0 ? parameter.size() : equals).toByteArray().trimmed().toUpper();
    if (equals < 0)
        return addBareParameter(property, name);
    const QByteArray value = parameter.sliced(equals + 1).toByteArray().replace('"', QByteArray()).trimmed();
    if (name == "ENCODING")
        property.encoding = value.toUpper();
    else if (name == "CHARSET")
        property.charset = value;
    else if (name == "TYPE")
        for (QByteArrayView type : pieces(value, ',', VCardProperty::kMaxTypes))
            property.addType(type);
    else if (name == "PREF")  // vCard 4.0's PREF=1 is 3.0's TYPE=pref
        property.addType("pref");
}

}  // namespace

std::optional<VCardProperty> VCardProperty::parse(QByteArrayView line)
{
    std::optional<VCardProperty> property = parseHeader(line);
    if (property)
        property->value = line.sliced(valueSeparator(line) + 1).toByteArray();
    return property;
}

std::optional<VCardProperty> VCardProperty::parseHeader(QByteArrayView line)
{
    const qsizetype colon = valueSeparator(line);
    if (colon < 0)
        return std::nullopt;
    const QList<QByteArrayView> parts = pieces(line.first(colon), ';', kMaxParameters);
    const QByteArrayView groupAndName = parts.first();
    const qsizetype dot = groupAndName.lastIndexOf('.');
    VCardProperty property;
    property.group = groupAndName.first(dot < 0 ? 0 : dot).toByteArray().trimmed().toUpper();
    property.name = groupAndName.sliced(dot + 1).toByteArray().trimmed().toUpper();
    for (QByteArrayView parameter : parts.sliced(1))
        addParameter(property, parameter);
    return property;
}

qsizetype VCardProperty::valueSeparator(QByteArrayView line)
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

bool VCardProperty::isCardMark(const char* markName) const
{
    return name == markName && value.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0;
}

void VCardProperty::addType(QByteArrayView type)
{
    const QString lowerCase = QString::fromLatin1(type).trimmed().toLower();
    if (!lowerCase.isEmpty() && !types.contains(lowerCase) && types.size() < kMaxTypes)
        types.append(lowerCase);
}
