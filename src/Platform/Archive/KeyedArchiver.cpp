#include "Platform/Archive/KeyedArchiver.h"

namespace {

constexpr const char* kMutableArrayClasses[] = {"NSMutableArray", "NSArray", "NSObject"};

}  // namespace

KeyedArchiver::KeyedArchiver()
    : m_objects(m_list.array())
{
    append(m_list.string(QStringLiteral("$null")));  // UID 0 is nil
}

KeyedArchiver::~KeyedArchiver() = default;

void KeyedArchiver::encodeInt(std::int32_t value, const char* key)
{
    m_list.insert(m_current, QString::fromLatin1(key), m_list.integer(value));
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

    const BinaryPropertyListWriter::Ref dictionary = m_list.dictionary();
    const std::uint64_t uid = append(dictionary);
    m_objectReferences.emplace(identity, uid);

    const BinaryPropertyListWriter::Ref outer = m_current;
    m_current = dictionary;
    encodeKeys();
    m_list.insert(dictionary, QStringLiteral("$class"), m_list.uid(classReference(classes)));
    m_current = outer;
    return uid;
}

std::uint64_t KeyedArchiver::arrayReference(const std::vector<std::uint64_t>& elements)
{
    const BinaryPropertyListWriter::Ref objects = m_list.array();
    for (std::uint64_t element : elements)
        m_list.append(objects, m_list.uid(element));
    const BinaryPropertyListWriter::Ref dictionary = m_list.dictionary();
    m_list.insert(dictionary, QStringLiteral("NS.objects"), objects);
    m_list.insert(dictionary, QStringLiteral("$class"), m_list.uid(classReference(kMutableArrayClasses)));
    return append(dictionary);
}

std::uint64_t KeyedArchiver::numberReference(std::int32_t value)
{
    const auto [entry, isNew] = m_numberReferences.try_emplace(value, 0);
    if (isNew)
        entry->second = append(m_list.integer(value));
    return entry->second;
}

std::uint64_t KeyedArchiver::stringReference(const QString& value)
{
    const auto [entry, isNew] = m_stringReferences.try_emplace(value, 0);
    if (isNew)
        entry->second = append(m_list.string(value));
    return entry->second;
}

std::uint64_t KeyedArchiver::classReference(ClassNames classes)
{
    const auto [entry, isNew] = m_classReferences.try_emplace(classes.front(), 0);
    if (isNew) {
        const BinaryPropertyListWriter::Ref chain = m_list.array();
        for (const char* name : classes)
            m_list.append(chain, m_list.string(QString::fromLatin1(name)));
        const BinaryPropertyListWriter::Ref dictionary = m_list.dictionary();
        m_list.insert(dictionary, QStringLiteral("$classname"), m_list.string(QString::fromLatin1(classes.front())));
        m_list.insert(dictionary, QStringLiteral("$classes"), chain);
        entry->second = append(dictionary);
    }
    return entry->second;
}

std::uint64_t KeyedArchiver::append(BinaryPropertyListWriter::Ref object)
{
    m_list.append(m_objects, object);
    return m_objectCount++;
}

void KeyedArchiver::setReference(const char* key, std::uint64_t uid)
{
    m_list.insert(m_current, QString::fromLatin1(key), m_list.uid(uid));
}

QByteArray KeyedArchiver::finish(std::uint64_t rootUid)
{
    const BinaryPropertyListWriter::Ref top = m_list.dictionary();
    m_list.insert(top, QStringLiteral("root"), m_list.uid(rootUid));

    const BinaryPropertyListWriter::Ref archive = m_list.dictionary();
    m_list.insert(archive, QStringLiteral("$archiver"), m_list.string(QStringLiteral("NSKeyedArchiver")));
    m_list.insert(archive, QStringLiteral("$version"), m_list.integer(100000));
    m_list.insert(archive, QStringLiteral("$top"), top);
    m_list.insert(archive, QStringLiteral("$objects"), m_objects);
    return m_list.finish(archive);
}
