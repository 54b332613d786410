#include "Platform/Contacts/VCardValueDecoder.h"

#include <QStringDecoder>

namespace {

// The code page of Windows in western Europe and the Americas, which
// Outlook and other Windows programs write without naming it.
constexpr const char* kWindowsCodePage = "windows-1252";

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

bool isBase64(const QByteArray& encoding)
{
    return encoding == "BASE64" || encoding == "B";
}

// A code page that can explain bytes that are not UTF-8: one Qt knows
// (through ICU), and not itself a Unicode encoding.
bool isCodePage(const QByteArray& charset)
{
    const std::optional<QStringConverter::Encoding> builtIn = QStringConverter::encodingForName(charset.constData());
    if (builtIn)
        return *builtIn == QStringConverter::Latin1;
    return QStringDecoder(charset.constData()).isValid();
}

}  // namespace

VCardValueDecoder::VCardValueDecoder(bool unicodeData)
    : m_unicodeData(unicodeData)
{
}

void VCardValueDecoder::learn(const VCardProperty& property)
{
    if (property.name == "VERSION")
        m_version21 = property.value.trimmed() == "2.1";
    // Each name is looked up once: a hostile card may repeat a bad one.
    if (m_cardCharset.isEmpty() && !property.charset.isEmpty() && property.charset != m_unusableCharset) {
        if (isCodePage(property.charset))
            m_cardCharset = property.charset;
        else
            m_unusableCharset = property.charset;
    }
}

QString VCardValueDecoder::text(const VCardProperty& property) const
{
    if (property.isQuotedPrintable())
        return fromCharset(fromQuotedPrintable(property.value), property.charset);
    if (isBase64(property.encoding))
        return fromCharset(QByteArray::fromBase64(property.value), property.charset);
    if (m_unicodeData)
        return QString::fromUtf8(property.value);
    return fromCharset(property.value, property.charset);
}

QString VCardValueDecoder::fromCharset(const QByteArray& bytes, const QByteArray& charset) const
{
    if (!charset.isEmpty()) {
        QStringDecoder declared(charset.constData(), QStringDecoder::Flag::Stateless);
        const QString text = declared.isValid() ? QString(declared.decode(bytes)) : QString();
        if (declared.isValid() && !declared.hasError())
            return text;
    }
    // No CHARSET, one Qt does not know, or one the bytes are not in.
    return undeclared(bytes);
}

QString VCardValueDecoder::undeclared(const QByteArray& bytes) const
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    if (!m_cardCharset.isEmpty()) {
        QStringDecoder card(m_cardCharset.constData(), QStringDecoder::Flag::Stateless);
        text = card.decode(bytes);
        if (!card.hasError())
            return text;
    }
    QStringDecoder windows(kWindowsCodePage, QStringDecoder::Flag::Stateless);
    // Latin-1 explains every byte too, where Qt was built without ICU.
    return windows.isValid() ? QString(windows.decode(bytes)) : QString::fromLatin1(bytes);
}

QString VCardValueDecoder::unescaped(QStringView text) const
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool escape
            = text[i] == QLatin1Char('\\') && i + 1 < text.size() && (!m_version21 || text[i + 1] == QLatin1Char(';'));
        if (!escape) {
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

QStringList VCardValueDecoder::components(QStringView text, qsizetype count) const
{
    QStringList found;
    qsizetype start = 0;
    for (qsizetype i = 0; found.size() < count; ++i) {
        if (i == text.size() || text[i] == QLatin1Char(';')) {
            found.append(unescaped(text.sliced(start, i - start)).trimmed());
            start = i + 1;
            if (i == text.size())
                break;
        } else if (text[i] == QLatin1Char('\\') && i + 1 < text.size()
            && (!m_version21 || text[i + 1] == QLatin1Char(';'))) {
            ++i;  // an escaped character never separates
        }
    }
    return found;
}
