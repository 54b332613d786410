#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

// Writes a binary property list ("bplist00"): integers, strings, UIDs,
// arrays and dictionaries, which is all a keyed archive holds.
//
// Equal integers, strings and UIDs are written once and shared, as every
// writer of the format does; arrays and dictionaries stay open until
// finish(), so a container can be made first and filled while the objects
// it refers to are made. Reference and offset sizes are the smallest of 1,
// 2, 4 or 8 bytes that hold the table.
class BinaryPropertyListWriter {
public:
    using Ref = std::uint32_t;  // an object of the list

    // Negative values are stored as signed 8-byte integers, the others in
    // the fewest of 1, 2, 4 or 8 bytes.
    Ref integer(std::int64_t value);
    // ASCII as bytes, anything else as UTF-16.
    Ref string(const QString& value);
    // Readers of keyed archives take UIDs of at most 32 bits.
    Ref uid(std::uint32_t value);
    Ref array();
    Ref dictionary();

    void append(Ref array, Ref element);
    // Keys are strings; each key once.
    void insert(Ref dictionary, const QString& key, Ref value);

    QByteArray finish(Ref top) const;

private:
    struct Object {
        QByteArray scalar;      // integers, strings and UIDs: their bytes as written
        std::vector<Ref> refs;  // arrays: elements; dictionaries: keys, then values at odd places
        char container = 0;     // 'a' or 'd' for arrays and dictionaries
    };

    Ref add(Object object);
    template <class Map, class Encode> Ref shared(Map& known, const typename Map::key_type& key, Encode encode);

    std::vector<Object> m_objects;
    std::unordered_map<std::int64_t, Ref> m_integers;
    std::map<QString, Ref> m_strings;
    std::unordered_map<std::uint32_t, Ref> m_uids;
};
