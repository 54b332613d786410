#include "Platform/KeyedUnarchiver.h"

#include <cstdlib>
#include <limits>
#include <plist/plist.h>

namespace {

plist_t node(void* pointer)
{
    return static_cast<plist_t>(pointer);
}

bool isString(plist_t item, const char* text)
{
    return item && plist_get_node_type(item) == PLIST_STRING && plist_string_val_compare(item, text) == 0;
}

std::int32_t int32Of(plist_t item, const std::string& what)
{
    if (!item || plist_get_node_type(item) != PLIST_UINT)
        KeyedUnarchiver::fail(what + " is not an integer");
    std::uint64_t raw = 0;
    plist_get_uint_val(item, &raw);
    const auto value = static_cast<std::int64_t>(raw);
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        KeyedUnarchiver::fail(what + " does not fit in 32 bits");
    return static_cast<std::int32_t>(value);
}

std::uint64_t uidOf(plist_t item, const std::string& what)
{
    if (!item || plist_get_node_type(item) != PLIST_UID)
        KeyedUnarchiver::fail(what + " is not an object reference");
    std::uint64_t uid = 0;
    plist_get_uid_val(item, &uid);
    return uid;
}

// The items of an array node, in order. Walked with an iterator: asking
// for items by index costs a walk from the start each time.
std::vector<plist_t> itemsOf(plist_t array)
{
    std::vector<plist_t> items;
    items.reserve(plist_array_get_size(array));
    plist_array_iter iterator = nullptr;
    plist_array_new_iter(array, &iterator);
    for (plist_t item = nullptr;;) {
        plist_array_next_item(array, iterator, &item);
        if (!item)
            break;
        items.push_back(item);
    }
    free(iterator);
    return items;
}

}  // namespace

KeyedUnarchiver::KeyedUnarchiver(const QByteArray& data)
{
    if (data.size() > kMaxArchiveBytes)
        fail("the archive is larger than " + std::to_string(kMaxArchiveBytes) + " bytes");
    if (data.size() < 8 || !plist_is_binary(data.constData(), static_cast<std::uint32_t>(data.size())))
        fail("not a binary property list");
    plist_t archive = nullptr;
    plist_from_bin(data.constData(), static_cast<std::uint32_t>(data.size()), &archive);
    m_archive.reset(archive);
    if (!archive || plist_get_node_type(archive) != PLIST_DICT)
        fail("not a readable property list dictionary");
    if (!isString(plist_dict_get_item(archive, "$archiver"), "NSKeyedArchiver"))
        fail("not a keyed archive");

    plist_t objects = plist_dict_get_item(archive, "$objects");
    if (!objects || plist_get_node_type(objects) != PLIST_ARRAY || plist_array_get_size(objects) == 0
        || !isString(plist_array_get_item(objects, 0), "$null"))
        fail("the archive has no object table");
    m_objects = itemsOf(objects);

    plist_t top = plist_dict_get_item(archive, "$top");
    if (!top || plist_get_node_type(top) != PLIST_DICT)
        fail("the archive has no top object");
    m_rootReference = uidOf(plist_dict_get_item(top, "root"), "the root");
}

KeyedUnarchiver::~KeyedUnarchiver() = default;

void KeyedUnarchiver::PropertyListDeleter::operator()(void* propertyList) const
{
    plist_free(node(propertyList));
}

void KeyedUnarchiver::fail(const std::string& reason)
{
    throw DecodingError(reason);
}

std::int32_t KeyedUnarchiver::decodeInt(const char* key)
{
    plist_t value = node(valueFor(key));
    return value ? int32Of(value, std::string("\"") + key + "\"") : 0;
}

std::int32_t KeyedUnarchiver::decodeNumber(const char* key)
{
    const std::uint64_t uid = referenceFor(key);
    return uid == 0 ? 0 : int32Of(node(objectNode(uid)), std::string("\"") + key + "\"");
}

QString KeyedUnarchiver::decodeString(const char* key)
{
    const std::uint64_t uid = referenceFor(key);
    if (uid == 0)
        return {};
    plist_t value = node(objectNode(uid));
    if (plist_get_node_type(value) != PLIST_STRING)
        fail(std::string("\"") + key + "\" is not a string");
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(value, &length);
    return QString::fromUtf8(text, static_cast<qsizetype>(length));
}

std::optional<std::vector<std::int32_t>> KeyedUnarchiver::decodeNumberArray(const char* key, std::size_t maxCount)
{
    const std::optional<std::vector<std::uint64_t>> elements = arrayElements(key);
    if (!elements)
        return std::nullopt;
    if (elements->size() > maxCount)
        fail(std::string("\"") + key + "\" holds more than " + std::to_string(maxCount) + " numbers");
    std::vector<std::int32_t> numbers;
    numbers.reserve(elements->size());
    for (std::uint64_t uid : *elements)
        numbers.push_back(int32Of(node(objectNode(uid)), "an element of \"" + std::string(key) + "\""));
    return numbers;
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

    plist_t object = node(objectNode(uid));
    if (classNameOf(object) != QLatin1String(className))
        fail("object " + std::to_string(uid) + " is not a " + className);

    m_inProgress.insert(uid);
    void* outer = m_current;
    m_current = object;
    std::shared_ptr<void> decoded = decodeKeys();
    m_current = outer;
    m_inProgress.erase(uid);
    m_decoded.emplace(uid, Decoded {className, decoded});
    return decoded;
}

std::optional<std::vector<std::uint64_t>> KeyedUnarchiver::arrayElements(const char* key)
{
    const std::uint64_t uid = referenceFor(key);
    if (uid == 0)
        return std::nullopt;
    plist_t array = node(objectNode(uid));
    const QString className = classNameOf(array);
    if (className != QLatin1String("NSMutableArray") && className != QLatin1String("NSArray"))
        fail(std::string("\"") + key + "\" is not an array");
    plist_t items = plist_dict_get_item(array, "NS.objects");
    if (!items || plist_get_node_type(items) != PLIST_ARRAY)
        fail(std::string("\"") + key + "\" has no element list");
    if (plist_array_get_size(items) > kMaxArrayCount)
        fail(std::string("\"") + key + "\" holds too many elements");

    std::vector<std::uint64_t> elements;
    for (plist_t item : itemsOf(items)) {
        const std::uint64_t element = uidOf(item, "an element of \"" + std::string(key) + "\"");
        if (element >= m_objects.size())
            fail("an element of \"" + std::string(key) + "\" refers past the object table");
        elements.push_back(element);
    }
    return elements;
}

std::uint64_t KeyedUnarchiver::referenceFor(const char* key)
{
    plist_t value = node(valueFor(key));
    if (!value)
        return 0;
    const std::uint64_t uid = uidOf(value, std::string("\"") + key + "\"");
    if (uid >= m_objects.size())
        fail(std::string("\"") + key + "\" refers past the object table");
    return uid;
}

void* KeyedUnarchiver::objectNode(std::uint64_t uid)
{
    if (uid >= m_objects.size())
        fail("a reference past the object table");
    return m_objects[uid];
}

void* KeyedUnarchiver::valueFor(const char* key)
{
    return m_current ? plist_dict_get_item(node(m_current), key) : nullptr;
}

QString KeyedUnarchiver::classNameOf(void* object)
{
    if (plist_get_node_type(node(object)) != PLIST_DICT)
        return {};
    plist_t classReference = plist_dict_get_item(node(object), "$class");
    if (!classReference || plist_get_node_type(classReference) != PLIST_UID)
        return {};
    std::uint64_t uid = 0;
    plist_get_uid_val(classReference, &uid);
    if (uid >= m_objects.size())
        fail("a class reference past the object table");
    plist_t description = node(m_objects[uid]);
    if (plist_get_node_type(description) != PLIST_DICT)
        return {};
    plist_t name = plist_dict_get_item(description, "$classname");
    if (!name || plist_get_node_type(name) != PLIST_STRING)
        return {};
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(name, &length);
    return QString::fromUtf8(text, static_cast<qsizetype>(length));
}
