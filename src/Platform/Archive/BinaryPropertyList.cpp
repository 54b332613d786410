#include "Platform/Archive/BinaryPropertyList.h"

#include "Platform/Archive/BinaryPropertyListFormat.h"

#include <cstring>
#include <string>

namespace Format = BinaryPropertyListFormat;
namespace Trailer = BinaryPropertyListFormat::Trailer;

namespace {

constexpr std::uint64_t kHeaderSize = Format::kMagic.size();

[[noreturn]] void fail(const std::string& reason)
{
    throw BinaryPropertyList::Error(reason);
}

std::string objectName(BinaryPropertyList::Ref object)
{
    return "object " + std::to_string(object);
}

}  // namespace

BinaryPropertyList::BinaryPropertyList(std::span<const std::uint8_t> bytes)
    : m_bytes(bytes)
{
    if (bytes.size() < kHeaderSize + 1 + Trailer::kSize
        || std::memcmp(bytes.data(), Format::kMagic.data(), kHeaderSize) != 0)
        fail("not a binary property list");
    const std::uint64_t trailer = bytes.size() - Trailer::kSize;
    m_offsetSize = bytes[trailer + Trailer::kOffsetSize];
    m_referenceSize = bytes[trailer + Trailer::kReferenceSize];
    if (m_offsetSize < 1 || m_offsetSize > 8 || m_referenceSize < 1 || m_referenceSize > 8)
        fail("the trailer gives impossible integer sizes");
    m_objectCount = readBigEndian(trailer + Trailer::kObjectCount, 8);
    const std::uint64_t top = readBigEndian(trailer + Trailer::kTopObject, 8);
    m_offsetTable = readBigEndian(trailer + Trailer::kOffsetTable, 8);
    if (m_objectCount == 0 || m_objectCount > kMaxObjects)
        fail("the object table holds " + std::to_string(m_objectCount) + " objects");
    if (top >= m_objectCount)
        fail("the top object is not in the table");
    if (m_offsetTable <= kHeaderSize || m_offsetTable > trailer
        || m_objectCount > (trailer - m_offsetTable) / m_offsetSize)
        fail("the offset table does not fit in the file");
    m_top = static_cast<Ref>(top);
    checkReachableObjects();
}

// The count that follows a marker whose low bits are 15: an integer object
// of 1, 2, 4 or 8 bytes.
std::uint64_t BinaryPropertyList::lengthAt(std::uint64_t& position, std::uint8_t info) const
{
    if (info != Format::kCountFollows)
        return info;
    if (position >= m_offsetTable || m_bytes[position] >> 4 != Format::Integer || (m_bytes[position] & 0x0F) > 3)
        fail("an object's length is not an integer");
    const unsigned size = 1u << (m_bytes[position] & 0x0F);
    if (size > m_offsetTable - position - 1)
        fail("an object's length runs past the object area");
    const std::uint64_t length = readBigEndian(position + 1, size);
    position += 1 + size;
    return length;
}

BinaryPropertyList::Header BinaryPropertyList::header(Ref object) const
{
    if (object >= m_objectCount)
        fail("a reference past the object table");
    const std::uint64_t offset = readBigEndian(m_offsetTable + std::uint64_t {object} * m_offsetSize, m_offsetSize);
    if (offset < kHeaderSize || offset >= m_offsetTable)
        fail(objectName(object) + " lies outside the object area");
    const std::uint8_t marker = m_bytes[offset];
    const auto info = static_cast<std::uint8_t>(marker & 0x0F);
    std::uint64_t position = offset + 1;
    Header found {Type::Null, false, 0, 0};
    std::uint64_t unit = 1;  // bytes per character or element
    switch (marker >> 4) {
    case Format::Simple:
        if (info != Format::kNull && info != Format::kFalse && info != Format::kTrue)
            fail(objectName(object) + " has an unknown type");
        found.type = info == Format::kNull ? Type::Null : Type::Boolean;
        break;
    case Format::Integer:
        if (info > 4)
            fail(objectName(object) + " is an integer of an impossible size");
        found.type = Type::Integer;
        found.length = 1u << info;
        break;
    case Format::Real:
        if (info != 2 && info != 3)
            fail(objectName(object) + " is a real number of an impossible size");
        found.type = Type::Real;
        found.length = 1u << info;
        break;
    case Format::Date:
        if (info != 3)
            fail(objectName(object) + " has an unknown type");
        found.type = Type::Date;
        found.length = 8;
        break;
    case Format::Data:
        found.type = Type::Data;
        found.length = lengthAt(position, info);
        break;
    case Format::AsciiString:
        found.type = Type::String;
        found.length = lengthAt(position, info);
        break;
    case Format::Utf16String:
        found.type = Type::String;
        found.length = lengthAt(position, info);
        found.wide = true;
        unit = 2;
        break;
    case Format::Uid:
        if (info > 7)
            fail(objectName(object) + " is a UID of an impossible size");
        found.type = Type::Uid;
        found.length = info + 1u;
        break;
    case Format::Array:
        found.type = Type::Array;
        found.length = lengthAt(position, info);
        unit = m_referenceSize;
        break;
    case Format::Dictionary:
        found.type = Type::Dictionary;
        found.length = lengthAt(position, info);
        if (found.length > kMaxDictionaryEntries)
            fail(objectName(object) + " is a dictionary of more than " + std::to_string(kMaxDictionaryEntries)
                + " entries");
        unit = 2 * m_referenceSize;
        break;
    default:
        fail(objectName(object) + " has an unknown type");
    }
    found.payload = position;
    if (position > m_offsetTable || found.length > (m_offsetTable - position) / unit)
        fail(objectName(object) + " runs past the object area");
    return found;
}

BinaryPropertyList::Header BinaryPropertyList::expect(Ref object, Type type, const char* what) const
{
    const Header found = header(object);
    if (found.type != type)
        fail(objectName(object) + " is not " + what);
    return found;
}

// Depth first from the top object, each object once: grey while its
// contents are being walked (meeting it again then is a cycle), black after.
void BinaryPropertyList::checkReachableObjects() const
{
    enum Colour : std::uint8_t { White, Grey, Black };
    struct Walk {
        Ref object;
        Header container;
        std::uint64_t next;   // the next reference to follow
        std::uint64_t total;  // references in the container
    };
    std::vector<std::uint8_t> colour(m_objectCount, White);
    std::vector<Walk> path;
    const auto enter = [&](Ref object) {
        const Header found = header(object);
        if (found.type != Type::Array && found.type != Type::Dictionary) {
            colour[object] = Black;
            return;
        }
        colour[object] = Grey;
        path.push_back({object, found, 0, found.type == Type::Array ? found.length : 2 * found.length});
    };
    enter(m_top);
    while (!path.empty()) {
        Walk& walk = path.back();
        // Elements already checked cost one look each: voice prints repeat
        // a few hundred numbers over and over.
        if (walk.container.type == Type::Array) {
            while (walk.next < walk.total
                && colour[referenceAt(walk.container.payload + walk.next * m_referenceSize)] == Black)
                ++walk.next;
        }
        if (walk.next == walk.total) {
            colour[walk.object] = Black;
            path.pop_back();
            continue;
        }
        const bool isKey = walk.container.type == Type::Dictionary && walk.next < walk.container.length;
        const Ref child = referenceAt(walk.container.payload + walk.next * m_referenceSize);
        ++walk.next;
        if (colour[child] == Grey)
            fail(objectName(child) + " contains itself");
        if (isKey && header(child).type != Type::String)
            fail("a dictionary key is not a string");
        if (colour[child] == White)
            enter(child);  // may move the path: `walk` is not used after this
    }
}

std::optional<std::int64_t> BinaryPropertyList::integer(Ref object) const
{
    const Header found = expect(object, Type::Integer, "an integer");
    if (found.length < 16) {
        // 1, 2 and 4 bytes are unsigned; 8 bytes are two's complement.
        return static_cast<std::int64_t>(readBigEndian(found.payload, static_cast<unsigned>(found.length)));
    }
    // 16 bytes, two's complement: within 64 bits only when the high half
    // repeats the low half's sign.
    const std::uint64_t high = readBigEndian(found.payload, 8);
    const auto low = static_cast<std::int64_t>(readBigEndian(found.payload + 8, 8));
    if (high != (low < 0 ? ~std::uint64_t {0} : 0))
        return std::nullopt;
    return low;
}

std::uint64_t BinaryPropertyList::uid(Ref object) const
{
    const Header found = expect(object, Type::Uid, "a UID");
    return readBigEndian(found.payload, static_cast<unsigned>(found.length));
}

QString BinaryPropertyList::string(Ref object) const
{
    const Header found = expect(object, Type::String, "a string");
    const std::uint8_t* characters = m_bytes.data() + found.payload;
    if (!found.wide)
        return QString::fromUtf8(reinterpret_cast<const char*>(characters), static_cast<qsizetype>(found.length));
    std::u16string units(found.length, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(characters[2 * i] << 8 | characters[2 * i + 1]);
    return QString::fromStdU16String(units);
}

bool BinaryPropertyList::isString(Ref object, std::string_view text) const
{
    const Header found = header(object);
    if (found.type != Type::String || found.length != text.size())
        return false;
    const std::uint8_t* characters = m_bytes.data() + found.payload;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned unit = found.wide ? (characters[2 * i] << 8 | characters[2 * i + 1]) : characters[i];
        if (unit != static_cast<unsigned char>(text[i]))
            return false;
    }
    return true;
}

std::size_t BinaryPropertyList::count(Ref array) const
{
    return expect(array, Type::Array, "an array").length;
}

BinaryPropertyList::Ref BinaryPropertyList::element(Ref array, std::size_t index) const
{
    const Header found = expect(array, Type::Array, "an array");
    if (index >= found.length)
        fail("an index past the end of " + objectName(array));
    return referenceAt(found.payload + index * m_referenceSize);
}

std::optional<BinaryPropertyList::Ref> BinaryPropertyList::value(Ref dictionary, std::string_view key) const
{
    const Header found = expect(dictionary, Type::Dictionary, "a dictionary");
    for (std::uint64_t k = 0; k < found.length; ++k) {
        if (isString(referenceAt(found.payload + k * m_referenceSize), key))
            return referenceAt(found.payload + (found.length + k) * m_referenceSize);
    }
    return std::nullopt;
}
