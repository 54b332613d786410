#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

// A binary property list ("bplist00") read where it lies, object by object,
// without building a tree of nodes: a store of a thousand commands holds
// millions of array elements, and a node for each costs far more than
// reading them.
//
// Nothing in the bytes is trusted. The constructor checks the header, the
// trailer and every object reachable from the top one: its type and sizes,
// that it lies within the object area, that every reference names an object
// of the table, that dictionary keys are strings, and that no container
// contains itself. Accessors check the type they are asked for. Every
// failure throws Error.
class BinaryPropertyList {
public:
    class Error : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    enum class Type : std::uint8_t { Null, Boolean, Integer, Real, Date, Data, String, Uid, Array, Dictionary };
    using Ref = std::uint32_t;  // an index in the object table

    // Tables of more objects are refused: far beyond any store, and it
    // bounds what a hostile file can make the reader allocate.
    static constexpr std::uint64_t kMaxObjects = 1u << 23;
    // Dictionaries of more entries are refused: an archive's hold a handful,
    // and finding a key reads every entry, once for each object that shares
    // the dictionary.
    static constexpr std::uint64_t kMaxDictionaryEntries = 64;

    // Refers to `bytes`, which must outlive the list.
    explicit BinaryPropertyList(std::span<const std::uint8_t> bytes);

    Ref top() const { return m_top; }
    std::size_t objectCount() const { return m_objectCount; }
    Type type(Ref object) const { return header(object).type; }

    // An integer object's value as a signed 64-bit number; nothing when it
    // needs more bits. Throws when the object is not an integer.
    std::optional<std::int64_t> integer(Ref object) const;
    // A UID object's value. Throws when the object is not a UID.
    std::uint64_t uid(Ref object) const;
    // A string object (ASCII or UTF-16). Throws when the object is not a string.
    QString string(Ref object) const;
    // Whether the object is a string equal to `text` (ASCII).
    bool isString(Ref object, std::string_view text) const;
    // The elements of an array. Throws when the object is not an array.
    std::size_t count(Ref array) const;
    Ref element(Ref array, std::size_t index) const;
    // The value of `key` in a dictionary, or nothing. Throws when the object
    // is not a dictionary.
    std::optional<Ref> value(Ref dictionary, std::string_view key) const;

    // Calls f(element) for every element of an array, in order: one check of
    // the array for all of them.
    template <class F> void forEachElement(Ref array, F f) const
    {
        const Header found = expect(array, Type::Array, "an array");
        std::uint64_t position = found.payload;
        for (std::uint64_t i = 0; i < found.length; ++i, position += m_referenceSize)
            f(referenceAt(position));
    }

private:
    struct Header {
        Type type;
        bool wide;              // a UTF-16 string
        std::uint64_t payload;  // where the object's contents start
        std::uint64_t length;   // bytes of a scalar; characters, elements or entries of the others
    };

    Header header(Ref object) const;
    Header expect(Ref object, Type type, const char* what) const;
    std::uint64_t lengthAt(std::uint64_t& position, std::uint8_t info) const;
    std::uint64_t readBigEndian(std::uint64_t position, unsigned size) const
    {
        std::uint64_t value = 0;
        for (const std::uint8_t byte : m_bytes.subspan(position, size))
            value = value << 8 | byte;
        return value;
    }
    // A reference read from a checked container, to an object of the table.
    Ref referenceAt(std::uint64_t position) const
    {
        const std::uint64_t object = m_referenceSize == 2
            ? std::uint64_t {m_bytes[position]} << 8 | m_bytes[position + 1]
            : readBigEndian(position, m_referenceSize);
        if (object >= m_objectCount)
            throw Error("a reference past the object table");
        return static_cast<Ref>(object);
    }
    void checkReachableObjects() const;

    std::span<const std::uint8_t> m_bytes;
    unsigned m_offsetSize = 0;
    unsigned m_referenceSize = 0;
    std::uint64_t m_objectCount = 0;
    std::uint64_t m_offsetTable = 0;  // objects lie in [8, m_offsetTable)
    Ref m_top = 0;
};
