#pragma once

#include "Platform/Archive/BinaryPropertyListWriter.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

// Writes an object graph in the keyed-archive layout of the phone platform
// (a binary property list with "$archiver", "$version", "$top" and
// "$objects"), so that a file written here is the file the platform writes
// and reads.
//
// An archivable class T provides:
//   static constexpr std::array<const char*, N> kArchiveClasses;  // its class, its superclasses, "NSObject"
//   void encodeWithCoder(KeyedArchiver&) const;                   // encodes its keys
// Each object is written once: a second reference to the same object
// (by address) refers to the same entry.
class KeyedArchiver {
public:
    using ClassNames = std::span<const char* const>;

    template <class T> static QByteArray archivedDataWithRootObject(const T& root)
    {
        KeyedArchiver archiver;
        const std::uint64_t uid
            = archiver.objectReference(&root, T::kArchiveClasses, [&] { root.encodeWithCoder(archiver); });
        return archiver.finish(uid);
    }

    ~KeyedArchiver();
    KeyedArchiver(const KeyedArchiver&) = delete;
    KeyedArchiver& operator=(const KeyedArchiver&) = delete;

    // A plain integer inside the object being encoded.
    void encodeInt(std::int32_t value, const char* key);
    // A number object.
    void encodeNumber(std::int32_t value, const char* key);
    // A string object; a null string is encoded as nil.
    void encodeString(const QString& value, const char* key);

    template <class T> void encodeObject(const std::shared_ptr<T>& object, const char* key)
    {
        setReference(key,
            object ? objectReference(object.get(), T::kArchiveClasses, [&] { object->encodeWithCoder(*this); }) : 0);
    }

    // A mutable array of objects.
    template <class T> void encodeArray(const std::vector<std::shared_ptr<T>>& objects, const char* key)
    {
        std::vector<std::uint64_t> elements;
        elements.reserve(objects.size());
        for (const std::shared_ptr<T>& object : objects) {
            elements.push_back(object
                    ? objectReference(object.get(), T::kArchiveClasses, [&] { object->encodeWithCoder(*this); })
                    : 0);
        }
        setReference(key, arrayReference(elements));
    }

    // A mutable array of number objects.
    void encodeNumberArray(std::span<const std::int32_t> numbers, const char* key);

private:
    KeyedArchiver();

    std::uint64_t objectReference(const void* identity, ClassNames classes, const std::function<void()>& encodeKeys);
    std::uint64_t arrayReference(const std::vector<std::uint64_t>& elements);
    std::uint64_t numberReference(std::int32_t value);
    std::uint64_t stringReference(const QString& value);
    std::uint64_t classReference(ClassNames classes);
    std::uint64_t append(BinaryPropertyListWriter::Ref object);
    void setReference(const char* key, std::uint64_t uid);
    QByteArray finish(std::uint64_t rootUid);

    BinaryPropertyListWriter m_list;
    BinaryPropertyListWriter::Ref m_objects;      // the "$objects" array
    std::uint64_t m_objectCount = 0;              // its length: the next UID
    BinaryPropertyListWriter::Ref m_current = 0;  // the dictionary of the object being encoded
    std::unordered_map<const void*, std::uint64_t> m_objectReferences;
    // Equal numbers and strings are stored once, as the platform does for
    // its shared small numbers.
    std::unordered_map<std::int32_t, std::uint64_t> m_numberReferences;
    std::map<QString, std::uint64_t> m_stringReferences;
    std::map<std::string, std::uint64_t> m_classReferences;
};
