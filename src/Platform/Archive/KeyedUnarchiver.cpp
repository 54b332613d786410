#include "Platform/Archive/KeyedUnarchiver.h"

#include "Platform/Archive/BinaryPropertyListFormat.h"

#include <cstring>
#include <limits>

namespace {

// An element whose number has not been looked up yet; no 32-bit value.
constexpr std::int64_t kNotLookedUp = std::numeric_limits<std::int64_t>::min();

std::span<const std::uint8_t> bytesOf(const QByteArray& data)
{
    return {reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())};
}

// The archive's bytes once its size and header are known to be right.
const QByteArray& checkedData(const QByteArray& data)
{
    if (data.size() > KeyedUnarchiver::kMaxArchiveBytes)
        KeyedUnarchiver::fail(
            "the archive is larger than " + std::to_string(KeyedUnarchiver::kMaxArchiveBytes) + " bytes");
    const std::string_view magic = BinaryPropertyListFormat::kMagic;
    if (static_cast<std::size_t>(data.size()) < magic.size()
        || std::memcmp(data.constData(), magic.data(), magic.size()) != 0)
        KeyedUnarchiver::fail("not a binary property list");
    return data;
}

std::string quoted(const char* key)
{
    return std::string("\"") + key + "\"";
}

}  // namespace

KeyedUnarchiver::KeyedUnarchiver(const QByteArray& data)
    : m_data(checkedData(data))
    , m_list(bytesOf(m_data))
{
    const Ref archive = m_list.top();
    if (m_list.type(archive) != BinaryPropertyList::Type::Dictionary)
        fail("not a readable property list dictionary");
    const std::optional<Ref> archiver = m_list.value(archive, "$archiver");
    if (!archiver || !m_list.isString(*archiver, "NSKeyedArchiver"))
        fail("not a keyed archive");

    const std::optional<Ref> objects = m_list.value(archive, "$objects");
    if (!objects || m_list.type(*objects) != BinaryPropertyList::Type::Array || m_list.count(*objects) == 0
        || !m_list.isString(m_list.element(*objects, 0), "$null"))
        fail("the archive has no object table");
    m_objects.reserve(m_list.count(*objects));
    m_list.forEachElement(*objects, [this](Ref object) { m_objects.push_back(object); });

    const std::optional<Ref> top = m_list.value(archive, "$top");
    if (!top || m_list.type(*top) != BinaryPropertyList::Type::Dictionary)
        fail("the archive has no top object");
    m_rootReference = uidOf(m_list.value(*top, "root"), "the root");
}

KeyedUnarchiver::~KeyedUnarchiver() = default;

void KeyedUnarchiver::fail(const std::string& reason)
{
    throw DecodingError(reason);
}

std::int32_t KeyedUnarchiver::int32Of(std::optional<Ref> item, const std::string& what) const
{
    if (!item || m_list.type(*item) != BinaryPropertyList::Type::Integer)
        fail(what + " is not an integer");
    const std::optional<std::int64_t> value = m_list.integer(*item);
    if (!value || *value < std::numeric_limits<std::int32_t>::min()
        || *value > std::numeric_limits<std::int32_t>::max())
        fail(what + " does not fit in 32 bits");
    return static_cast<std::int32_t>(*value);
}

std::uint64_t KeyedUnarchiver::uidOf(std::optional<Ref> item, const std::string& what) const
{
    if (!item || m_list.type(*item) != BinaryPropertyList::Type::Uid)
        fail(what + " is not an object reference");
    return m_list.uid(*item);
}

std::int32_t KeyedUnarchiver::decodeInt(const char* key)
{
    const std::optional<Ref> value = valueFor(key);
    return value ? int32Of(value, quoted(key)) : 0;
}

std::int32_t KeyedUnarchiver::decodeNumber(const char* key)
{
    const std::uint64_t uid = referenceFor(key);
    return uid == 0 ? 0 : int32Of(objectNode(uid), quoted(key));
}

QString KeyedUnarchiver::decodeString(const char* key)
{
    const std::uint64_t uid = referenceFor(key);
    if (uid == 0)
        return {};
    const Ref value = objectNode(uid);
    if (m_list.type(value) != BinaryPropertyList::Type::String)
        fail(quoted(key) + " is not a string");
    return m_list.string(value);
}

std::optional<std::vector<std::int32_t>> KeyedUnarchiver::decodeNumberArray(const char* key, std::size_t maxCount)
{
    const std::optional<Ref> items = elementList(key);
    if (!items)
        return std::nullopt;
    if (m_list.count(*items) > maxCount)
        fail(quoted(key) + " holds more than " + std::to_string(maxCount) + " numbers");
    // Every number an archive hands out is a reference of at least one byte
    // unless element lists are shared; shared by many objects, a small file
    // would fill the memory with copies of one list.
    m_numbersHandedOut += m_list.count(*items);
    if (m_numbersHandedOut > static_cast<std::uint64_t>(m_data.size()))
        fail(quoted(key) + ": the number arrays hold more numbers than the archive has bytes");
    if (m_numbers.empty())
        m_numbers.assign(m_list.objectCount(), kNotLookedUp);
    std::vector<std::int32_t> numbers;
    numbers.reserve(m_list.count(*items));
    m_list.forEachElement(*items, [&](Ref element) {
        std::int64_t& number = m_numbers[element];
        if (number == kNotLookedUp)
            number = numberElement(element, key);
        numbers.push_back(static_cast<std::int32_t>(number));
    });
    return numbers;
}

// An element of a number array: a reference to an integer object that fits
// in 32 bits.
std::int32_t KeyedUnarchiver::numberElement(Ref element, const char* key)
{
    const std::string what = "an element of " + quoted(key);
    const std::uint64_t uid = uidOf(element, what);
    if (uid >= m_objects.size())
        fail(what + " refers past the object table");
    return int32Of(m_objects[uid], what);
}

std::shared_ptr<void> KeyedUnarchiver::decodeObjectAt(
    std::uint64_t uid, const char* className, const std::function<std::shared_ptr<void>()>& decodeKeys)
{
    if (const auto known = m_decoded.find(uid); known != m_decoded.end()) {
        if (known->second.className != className)
            fail("object " + std::to_string(uid) + " is used both as " + known->second.className + " and as "
                + className);
        return known->second.object;
    }
    if (m_inProgress.count(uid) != 0)
        fail("object " + std::to_string(uid) + " contains itself");

    const Ref object = objectNode(uid);
    if (classNameOf(object) != QLatin1String(className))
        fail("object " + std::to_string(uid) + " is not a " + className);

    m_inProgress.insert(uid);
    const std::optional<Ref> outer = m_current;
    m_current = object;
    std::shared_ptr<void> decoded = decodeKeys();
    m_current = outer;
    m_inProgress.erase(uid);
    m_decoded.emplace(uid, Decoded {className, decoded});
    return decoded;
}

// The element list ("NS.objects") of the array object under `key`, checked;
// nothing when the key is missing or nil.
std::optional<BinaryPropertyList::Ref> KeyedUnarchiver::elementList(const char* key)
{
    const std::uint64_t uid = referenceFor(key);
    if (uid == 0)
        return std::nullopt;
    const Ref array = objectNode(uid);
    const QString className = classNameOf(array);
    if (className != QLatin1String("NSMutableArray") && className != QLatin1String("NSArray"))
        fail(quoted(key) + " is not an array");
    const std::optional<Ref> items = m_list.value(array, "NS.objects");
    if (!items || m_list.type(*items) != BinaryPropertyList::Type::Array)
        fail(quoted(key) + " has no element list");
    if (m_list.count(*items) > kMaxArrayCount)
        fail(quoted(key) + " holds too many elements");
    return items;
}

std::optional<std::vector<std::uint64_t>> KeyedUnarchiver::arrayElements(const char* key)
{
    const std::optional<Ref> items = elementList(key);
    if (!items)
        return std::nullopt;
    std::vector<std::uint64_t> elements;
    elements.reserve(m_list.count(*items));
    m_list.forEachElement(*items, [&](Ref item) {
        const std::uint64_t element = uidOf(item, "an element of " + quoted(key));
        if (element >= m_objects.size())
            fail("an element of " + quoted(key) + " refers past the object table");
        elements.push_back(element);
    });
    return elements;
}

std::uint64_t KeyedUnarchiver::referenceFor(const char* key)
{
    const std::optional<Ref> value = valueFor(key);
    if (!value)
        return 0;
    const std::uint64_t uid = uidOf(value, quoted(key));
    if (uid >= m_objects.size())
        fail(quoted(key) + " refers past the object table");
    return uid;
}

BinaryPropertyList::Ref KeyedUnarchiver::objectNode(std::uint64_t uid)
{
    if (uid >= m_objects.size())
        fail("a reference past the object table");
    return m_objects[uid];
}

std::optional<BinaryPropertyList::Ref> KeyedUnarchiver::valueFor(const char* key)
{
    return m_current ? m_list.value(*m_current, key) : std::nullopt;
}

QString KeyedUnarchiver::classNameOf(Ref object)
{
    if (m_list.type(object) != BinaryPropertyList::Type::Dictionary)
        return {};
    const std::optional<Ref> classReference = m_list.value(object, "$class");
    if (!classReference || m_list.type(*classReference) != BinaryPropertyList::Type::Uid)
        return {};
    const std::uint64_t uid = m_list.uid(*classReference);
    if (uid >= m_objects.size())
        fail("a class reference past the object table");
    const Ref description = m_objects[uid];
    if (m_list.type(description) != BinaryPropertyList::Type::Dictionary)
        return {};
    const std::optional<Ref> name = m_list.value(description, "$classname");
    if (!name || m_list.type(*name) != BinaryPropertyList::Type::String)
        return {};
    return m_list.string(*name);
}
