#include "Platform/Contacts/VCardLines.h"

#include "Platform/Contacts/VCardProperty.h"

#include <optional>

namespace {

bool isCardBoundary(QByteArrayView line)
{
    if (line.size() > 64)
        return false;
    const QByteArray mark = line.toByteArray().trimmed().toUpper();
    return mark == "BEGIN:VCARD" || mark == "END:VCARD";
}

bool isNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_';
}

// Whether the line starts a property of its own: a name, then parameters
// or the value.
bool isContentLine(QByteArrayView line)
{
    qsizetype length = 0;
    while (length < line.size() && isNameCharacter(line[length]))
        ++length;
    return length > 0 && length < line.size() && (line[length] == ':' || line[length] == ';');
}

bool hasEmptyValue(QByteArrayView line)
{
    return line.sliced(VCardProperty::valueSeparator(line) + 1).trimmed().isEmpty();
}

}  // namespace

VCardLines::VCardLines(QByteArrayView data)
    : m_data(data)
{
}

bool VCardLines::atEnd() const
{
    return m_position >= m_data.size();
}

QByteArray VCardLines::next()
{
    const QByteArrayView first = take();
    const std::optional<VCardProperty> header = VCardProperty::parseHeader(first);
    const bool quotedPrintable = header && header->isQuotedPrintable();
    QByteArray line = first.toByteArray();
    if (quotedPrintable && hasEmptyValue(first) && !atEnd() && !isContentLine(peek()) && !isCardBoundary(peek()))
        line += take();
    while (!atEnd()) {
        const QByteArrayView following = peek();
        if (quotedPrintable && line.endsWith('=') && !isCardBoundary(following)) {
            line.chop(1);  // a soft line break
            line += following;
        } else if (following.startsWith(' ') || following.startsWith('\t')) {
            line += following.sliced(1);
        } else {
            break;
        }
        take();
    }
    return line;
}

QByteArrayView VCardLines::peek() const
{
    return m_data.sliced(m_position, lengthOfLine());
}

QByteArrayView VCardLines::take()
{
    const QByteArrayView line = peek();
    m_position += line.size();
    while (m_position < m_data.size() && m_data[m_position] == '\r')
        ++m_position;
    if (m_position < m_data.size() && m_data[m_position] == '\n')
        ++m_position;
    return line;
}

qsizetype VCardLines::lengthOfLine() const
{
    qsizetype end = m_position;
    while (end < m_data.size() && m_data[end] != '\r' && m_data[end] != '\n')
        ++end;
    return end - m_position;
}
