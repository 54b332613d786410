#pragma once

#include "Platform/Archive/BinaryPropertyList.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Reads an object graph from the keyed-archive layout that KeyedArchiver
// writes (the phone platform's). The file may come from anywhere, so nothing
// in it is trusted: every reference, type, class and count is checked, and a
// file that is not a well-formed archive of the expected classes is refused
// with a reason instead of being half read.
//
// An archivable class T provides, besides what KeyedArchiver needs:
//   static std::shared_ptr<T> initWithCoder(KeyedUnarchiver&);
// Objects referenced more than once come back as one shared object.
class KeyedUnarchiver {
public:
    // Thrown while decoding; the decoding functions of archivable classes
    // may throw it too (through fail()) when the values make no sense.
    class DecodingError : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Archives larger than this are refused without being parsed.
    static constexpr qsizetype kMaxArchiveBytes = 64 * 1024 * 1024;
    // The longest array accepted.
    static constexpr std::size_t kMaxArrayCount = 1'000'000;

    // The root object, or nullptr with the reason in *error.
    template <class T>
    static std::shared_ptr<T> unarchiveObjectWithData(const QByteArray& data, QString* error = nullptr)
    {
        try {
            KeyedUnarchiver unarchiver(data);
            std::shared_ptr<T> root = unarchiver.decodeRoot<T>();
            if (!root)
                throw DecodingError("the root object is nil");
            return root;
        } catch (const DecodingError& failure) {
            if (error)
                *error = QString::fromUtf8(failure.what());
            return nullptr;
        } catch (const BinaryPropertyList::Error& failure) {
            if (error)
                *error = QString::fromUtf8(failure.what());
            return nullptr;
        }
    }

    ~KeyedUnarchiver();
    KeyedUnarchiver(const KeyedUnarchiver&) = delete;
    KeyedUnarchiver& operator=(const KeyedUnarchiver&) = delete;

    // A plain integer of the object being decoded; 0 when the key is missing.
    std::int32_t decodeInt(const char* key);
    // A number object; 0 when missing or nil.
    std::int32_t decodeNumber(const char* key);
    // A string object; a null string when missing or nil.
    QString decodeString(const char* key);

    template <class T> std::shared_ptr<T> decodeObject(const char* key)
    {
        const std::uint64_t uid = referenceFor(key);
        return uid == 0 ? nullptr : objectAt<T>(uid);
    }

    // An array of objects (none of them nil); nothing when missing or nil.
    template <class T> std::optional<std::vector<std::shared_ptr<T>>> decodeArray(const char* key)
    {
        const std::optional<std::vector<std::uint64_t>> elements = arrayElements(key);
        if (!elements)
            return std::nullopt;
        std::vector<std::shared_ptr<T>> objects;
        objects.reserve(elements->size());
        for (std::uint64_t uid : *elements)
            objects.push_back(objectAt<T>(uid));
        return objects;
    }

    // An array of number objects of at most maxCount elements; nothing when
    // missing or nil. All number arrays of an archive together may hold no
    // more numbers than the archive has bytes.
    std::optional<std::vector<std::int32_t>> decodeNumberArray(const char* key, std::size_t maxCount);

    [[noreturn]] static void fail(const std::string& reason);

private:
    explicit KeyedUnarchiver(const QByteArray& data);

    template <class T> std::shared_ptr<T> decodeRoot() { return objectAt<T>(m_rootReference); }

    template <class T> std::shared_ptr<T> objectAt(std::uint64_t uid)
    {
        if (uid == 0)
            fail("a nil element where an object is needed");
        return std::static_pointer_cast<T>(decodeObjectAt(
            uid, T::kArchiveClasses.front(), [this] { return std::shared_ptr<void>(T::initWithCoder(*this)); }));
    }

    using Ref = BinaryPropertyList::Ref;

    std::shared_ptr<void> decodeObjectAt(
        std::uint64_t uid, const char* className, const std::function<std::shared_ptr<void>()>& decodeKeys);
    std::optional<Ref> elementList(const char* key);
    std::optional<std::vector<std::uint64_t>> arrayElements(const char* key);
    std::int32_t numberElement(Ref element, const char* key);
    std::uint64_t referenceFor(const char* key);
    Ref objectNode(std::uint64_t uid);
    std::optional<Ref> valueFor(const char* key);
    QString classNameOf(Ref object);
    std::int32_t int32Of(std::optional<Ref> item, const std::string& what) const;
    std::uint64_t uidOf(std::optional<Ref> item, const std::string& what) const;

    struct Decoded {
        std::string className;
        std::shared_ptr<void> object;
    };

    QByteArray m_data;           // the bytes the list reads in place
    BinaryPropertyList m_list;   // checked once, read on demand
    std::vector<Ref> m_objects;  // its "$objects"
    std::uint64_t m_rootReference = 0;
    std::optional<Ref> m_current;  // the dictionary of the object being decoded
    std::unordered_map<std::uint64_t, Decoded> m_decoded;
    std::unordered_set<std::uint64_t> m_inProgress;
    // The value of each element object of a number array met so far:
    // voice prints repeat a few hundred numbers millions of times.
    std::vector<std::int64_t> m_numbers;
    // Numbers of all number arrays decoded so far.
    std::uint64_t m_numbersHandedOut = 0;
};
