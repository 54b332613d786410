#include "Platform/KeyedArchiver.h"

#include <plist/plist.h>

namespace {

constexpr const char* kMutableArrayClasses[] = {"NSMutableArray", "NSArray", "NSObject"};

plist_t node(void* pointer)
{
    return static_cast<plist_t>(pointer);
}

plist_t newInteger(std::int32_t value)
{
    // Negative values travel as 64-bit two's complement, which the binary
    // format stores as a signed 8-byte integer.
    return plist_new_uint(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
}

}  // namespace

KeyedArchiver::KeyedArchiver()
    : m_objects(plist_new_array())
{
    plist_array_append_item(node(m_objects), plist_new_string("$null"));  // UID 0 is nil
}

KeyedArchiver::~KeyedArchiver()
{
    plist_free(node(m_objects));
}

void KeyedArchiver::encodeInt(std::int32_t value, const char* key)
{
    plist_dict_set_item(node(m_current), key, newInteger(value));
}

void KeyedArchiver::encodeNumber(std::int32_t value, const char* key)
{
    setReference(key, numberReference(value));
}

void KeyedArchiver::encodeString(const QString& value, const char* key)
{
    setReference(key, value.isNull() ? 0 : stringReference(value));
}

void KeyedArchiver::encodeNumberArray(std::span<const std::int32_t> numbers, const char* key)
{
    std::vector<std::uint64_t> elements;
    elements.reserve(numbers.size());
    for (std::int32_t number : numbers)
        elements.push_back(numberReference(number));
    setReference(key, arrayReference(elements));
}

std::uint64_t KeyedArchiver::objectReference(
    const void* identity, ClassNames classes, const std::function<void()>& encodeKeys)
{
    if (const auto known = m_objectReferences.find(identity); known != m_objectReferences.end())
        return known->second;

    plist_t dictionary = plist_new_dict();
    const std::uint64_t uid = append(dictionary);
    m_objectReferences.emplace(identity, uid);

    void* outer = m_current;
    m_current = dictionary;
    encodeKeys();
    plist_dict_set_item(dictionary, "$class", plist_new_uid(classReference(classes)));
    m_current = outer;
    return uid;
}

std::uint64_t KeyedArchiver::arrayReference(const std::vector<std::uint64_t>& elements)
{
    plist_t objects = plist_new_array();
    for (std::uint64_t element : elements)
        plist_array_append_item(objects, plist_new_uid(element));
    plist_t dictionary = plist_new_dict();
    plist_dict_set_item(dictionary, "NS.objects", objects);
    plist_dict_set_item(dictionary, "$class", plist_new_uid(classReference(kMutableArrayClasses)));
    return append(dictionary);
}

std::uint64_t KeyedArchiver::numberReference(std::int32_t value)
{
    const auto [entry, isNew] = m_numberReferences.try_emplace(value, 0);
    if (isNew)
        entry->second = append(newInteger(value));
    return entry->second;
}

std::uint64_t KeyedArchiver::stringReference(const QString& value)
{
    const auto [entry, isNew] = m_stringReferences.try_emplace(value, 0);
    if (isNew)
        entry->second = append(plist_new_string(value.toUtf8().constData()));
    return entry->second;
}

std::uint64_t KeyedArchiver::classReference(ClassNames classes)
{
    const auto [entry, isNew] = m_classReferences.try_emplace(classes.front(), 0);
    if (isNew) {
        plist_t chain = plist_new_array();
        for (const char* name : classes)
            plist_array_append_item(chain, plist_new_string(name));
        plist_t dictionary = plist_new_dict();
        plist_dict_set_item(dictionary, "$classname", plist_new_string(classes.front()));
        plist_dict_set_item(dictionary, "$classes", chain);
        entry->second = append(dictionary);
    }
    return entry->second;
}

std::uint64_t KeyedArchiver::append(void* item)
{
    const std::uint64_t uid = plist_array_get_size(node(m_objects));
    plist_array_append_item(node(m_objects), node(item));
    return uid;
}

void KeyedArchiver::setReference(const char* key, std::uint64_t uid)
{
    plist_dict_set_item(node(m_current), key, plist_new_uid(uid));
}

QByteArray KeyedArchiver::finish(std::uint64_t rootUid)
{
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "root", plist_new_uid(rootUid));

    plist_t archive = plist_new_dict();
    plist_dict_set_item(archive, "$archiver", plist_new_string("NSKeyedArchiver"));
    plist_dict_set_item(archive, "$version", plist_new_uint(100000));
    plist_dict_set_item(archive, "$top", top);
    plist_dict_set_item(archive, "$objects", node(m_objects));
    m_objects = plist_new_array();  // the archive owns the objects now

    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(archive, &bytes, &length);
    QByteArray data(bytes, static_cast<qsizetype>(length));
    plist_to_bin_free(bytes);
    plist_free(archive);
    return data;
}
