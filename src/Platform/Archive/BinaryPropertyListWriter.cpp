#include "Platform/Archive/BinaryPropertyListWriter.h"

#include "Platform/Archive/BinaryPropertyListFormat.h"

#include <algorithm>

namespace Format = BinaryPropertyListFormat;
namespace Trailer = BinaryPropertyListFormat::Trailer;

namespace {

// The fewest of 1, 2, 4 or 8 bytes that hold `value`.
unsigned sizeFor(std::uint64_t value)
{
    if (value <= 0xFF)
        return 1;
    if (value <= 0xFFFF)
        return 2;
    return value <= 0xFFFFFFFF ? 4 : 8;
}

void appendBigEndian(QByteArray& out, std::uint64_t value, unsigned size)
{
    for (unsigned shift = 8 * size; shift > 0; shift -= 8)
        out.append(static_cast<char>(value >> (shift - 8)));
}

// An integer object: 2^n bytes after the marker 0x1n.
void appendInteger(QByteArray& out, std::uint64_t bits, unsigned size)
{
    const unsigned power = size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3;
    out.append(static_cast<char>(Format::marker(Format::Integer, power)));
    appendBigEndian(out, bits, size);
}

// A type's marker with a count in its low half, or with "the count
// follows" there and the count as an integer object after it.
void appendMarker(QByteArray& out, Format::MarkerType type, std::uint64_t count)
{
    if (count < Format::kCountFollows) {
        out.append(static_cast<char>(Format::marker(type, count)));
        return;
    }
    out.append(static_cast<char>(Format::marker(type, Format::kCountFollows)));
    appendInteger(out, count, sizeFor(count));
}

}  // namespace

template <class Map, class Encode>
BinaryPropertyListWriter::Ref BinaryPropertyListWriter::shared(
    Map& known, const typename Map::key_type& key, Encode encode)
{
    const auto [entry, isNew] = known.try_emplace(key, 0);
    if (isNew) {
        Object object;
        encode(object.scalar);
        entry->second = add(std::move(object));
    }
    return entry->second;
}

BinaryPropertyListWriter::Ref BinaryPropertyListWriter::integer(std::int64_t value)
{
    return shared(m_integers, value, [value](QByteArray& bytes) {
        // Only 8-byte integers are signed in the format.
        const auto bits = static_cast<std::uint64_t>(value);
        appendInteger(bytes, bits, value < 0 ? 8 : sizeFor(bits));
    });
}

BinaryPropertyListWriter::Ref BinaryPropertyListWriter::string(const QString& value)
{
    return shared(m_strings, value, [&value](QByteArray& bytes) {
        const bool ascii = std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii) {
            appendMarker(bytes, Format::AsciiString, static_cast<std::uint64_t>(value.size()));
            bytes.append(value.toLatin1());
            return;
        }
        appendMarker(bytes, Format::Utf16String, static_cast<std::uint64_t>(value.size()));  // UTF-16 code units
        for (const QChar c : value)
            appendBigEndian(bytes, c.unicode(), 2);
    });
}

BinaryPropertyListWriter::Ref BinaryPropertyListWriter::uid(std::uint32_t value)
{
    return shared(m_uids, value, [value](QByteArray& bytes) {
        const unsigned size = sizeFor(value);
        bytes.append(static_cast<char>(Format::marker(Format::Uid, size - 1)));
        appendBigEndian(bytes, value, size);
    });
}

BinaryPropertyListWriter::Ref BinaryPropertyListWriter::array()
{
    return add(Object {{}, {}, 'a'});
}

BinaryPropertyListWriter::Ref BinaryPropertyListWriter::dictionary()
{
    return add(Object {{}, {}, 'd'});
}

void BinaryPropertyListWriter::append(Ref array, Ref element)
{
    m_objects.at(array).refs.push_back(element);
}

void BinaryPropertyListWriter::insert(Ref dictionary, const QString& key, Ref value)
{
    const Ref keyRef = string(key);
    std::vector<Ref>& refs = m_objects.at(dictionary).refs;
    refs.push_back(keyRef);
    refs.push_back(value);
}

BinaryPropertyListWriter::Ref BinaryPropertyListWriter::add(Object object)
{
    m_objects.push_back(std::move(object));
    return static_cast<Ref>(m_objects.size() - 1);
}

QByteArray BinaryPropertyListWriter::finish(Ref top) const
{
    const unsigned refSize = sizeFor(m_objects.empty() ? 0 : m_objects.size() - 1);
    QByteArray out(Format::kMagic.data(), static_cast<qsizetype>(Format::kMagic.size()));
    std::vector<std::uint64_t> offsets;
    offsets.reserve(m_objects.size());
    for (const Object& object : m_objects) {
        offsets.push_back(static_cast<std::uint64_t>(out.size()));
        if (!object.container) {
            out.append(object.scalar);
        } else if (object.container == 'a') {
            appendMarker(out, Format::Array, object.refs.size());
            for (const Ref element : object.refs)
                appendBigEndian(out, element, refSize);
        } else {
            appendMarker(out, Format::Dictionary, object.refs.size() / 2);
            for (std::size_t i = 0; i < object.refs.size(); i += 2)
                appendBigEndian(out, object.refs[i], refSize);
            for (std::size_t i = 1; i < object.refs.size(); i += 2)
                appendBigEndian(out, object.refs[i], refSize);
        }
    }

    const auto offsetTable = static_cast<std::uint64_t>(out.size());
    const unsigned offsetSize = sizeFor(offsetTable);
    for (const std::uint64_t offset : offsets)
        appendBigEndian(out, offset, offsetSize);
    // The trailer: unused bytes, the two sizes, the object count, the top
    // object and where the offset table starts.
    out.append(Trailer::kOffsetSize, '\0');
    out.append(static_cast<char>(offsetSize));
    out.append(static_cast<char>(refSize));
    appendBigEndian(out, m_objects.size(), 8);
    appendBigEndian(out, top, 8);
    appendBigEndian(out, offsetTable, 8);
    return out;
}
