// The store's property list writer, read back by libplist (an independent
// reader) and by our own reader, and the reader on every kind of damage,
// which it refuses with an error rather than read past. What another writer
// wrote is read in tests/DataModel/CommandListArchiveTest.cpp (stores made by
// Python's plistlib); random damage is left to fuzz/ArchiveFuzzer.cpp.

#include "Platform/Archive/BinaryPropertyList.h"

#include "Platform/Archive/BinaryPropertyListWriter.h"

#include <gtest/gtest.h>

#include <QString>
#include <limits>
#include <plist/plist.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Error = BinaryPropertyList::Error;

// A list of the given objects (raw bytes, references one byte each) with
// the offset table and trailer after them.
Bytes listOf(const std::vector<Bytes>& objects, std::uint64_t top = 0)
{
    Bytes out = {'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    Bytes offsets;
    for (const Bytes& object : objects) {
        offsets.push_back(static_cast<std::uint8_t>(out.size()));
        out.insert(out.end(), object.begin(), object.end());
    }
    const std::uint64_t table = out.size();
    out.insert(out.end(), offsets.begin(), offsets.end());
    out.insert(out.end(), {0, 0, 0, 0, 0, 0, 1, 1});
    for (const std::uint64_t value : {std::uint64_t {objects.size()}, top, table})
        for (int shift = 56; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(value >> shift));
    return out;
}

// Every value at the edges of its encoding, and so many objects that
// references and offsets need four bytes.
TEST(BinaryPropertyListTest, WrittenValuesReadBackAtEveryEdgeOfTheirEncodingAndOfTheTables)
{
    const std::vector<std::int64_t> integers {0, 14, 15, 255, 256, 65535, 65536, 4294967295LL, 4294967296LL,
        std::numeric_limits<std::int64_t>::max(), -1, std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int64_t>::min()};
    const std::vector<std::uint32_t> uids {0, 255, 256, 65535, 65536, 4294967295U};
    const std::vector<QString> strings {
        "", "root", "exactly fifteen", QString(300, 'x'), "Jürgen Müller", "Łódź 😀", QString(20, QChar(0x4E2D))};
    BinaryPropertyListWriter writer;
    for (int i = 0; i < 70'000; ++i)  // first, so that what is read back lies beyond them
        writer.integer(1'000'000 + i);
    const auto root = writer.dictionary();
    const auto arrayOf = [&](const char* key, const auto& values, auto make) {
        const auto array = writer.array();
        writer.insert(root, key, array);
        for (const auto& value : values)
            writer.append(array, make(value));
    };
    arrayOf("integers", integers, [&](std::int64_t value) { return writer.integer(value); });
    arrayOf("uids", uids, [&](std::uint32_t value) { return writer.uid(value); });
    arrayOf("strings", strings, [&](const QString& value) { return writer.string(value); });
    const QByteArray bytes = writer.finish(root);
    EXPECT_EQ(bytes.right(32).mid(6, 2), QByteArray("\4\4")) << "offset and reference sizes";

    plist_t theirs = nullptr;
    plist_from_bin(bytes.constData(), static_cast<std::uint32_t>(bytes.size()), &theirs);
    ASSERT_NE(theirs, nullptr);
    const BinaryPropertyList ours(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
    // Each array as libplist and as our reader find it.
    const auto check = [&](const char* key, const auto& values, auto theirValue, auto ourValue) {
        plist_t array = plist_dict_get_item(theirs, key);
        const auto ourArray = *ours.value(ours.top(), key);
        ASSERT_EQ(plist_array_get_size(array), values.size()) << key;
        ASSERT_EQ(ours.count(ourArray), values.size()) << key;
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(theirValue(plist_array_get_item(array, static_cast<std::uint32_t>(i))), values[i]) << key;
            EXPECT_EQ((ours.*ourValue)(ours.element(ourArray, i)), values[i]) << key;
        }
        EXPECT_THROW(ours.element(ourArray, values.size()), Error);
    };
    const auto number = [](plist_t node, auto get) {
        std::uint64_t value = 0;
        get(node, &value);
        return value;
    };
    check(
        "integers", integers, [&](plist_t node) { return std::int64_t(number(node, plist_get_uint_val)); },
        &BinaryPropertyList::integer);
    check(
        "uids", uids, [&](plist_t node) { return number(node, plist_get_uid_val); }, &BinaryPropertyList::uid);
    check(
        "strings", strings, [](plist_t node) { return QString::fromUtf8(plist_get_string_ptr(node, nullptr)); },
        &BinaryPropertyList::string);
    EXPECT_THROW(ours.uid(*ours.value(ours.top(), "uids")), Error) << "an array is no UID";
    plist_free(theirs);
}

TEST(BinaryPropertyListTest, DamagedListsAreRefused)
{
    const Bytes valid = listOf({{0xD1, 1, 2}, {0x51, 'k'}, {0xA1, 3}, {0x10, 7}});
    ASSERT_NO_THROW(BinaryPropertyList {valid});
    const std::size_t trailer = valid.size() - 32;
    const auto changed = [&valid](std::size_t at, std::uint8_t value) {
        Bytes bytes = valid;
        bytes[at] = value;
        return bytes;
    };
    // One key and one value over and over: every lookup would read them all,
    // once for each object that shares the dictionary.
    const auto dictionaryOf = [](std::uint64_t entries) {
        Bytes dictionary = {0xDF, 0x10, static_cast<std::uint8_t>(entries)};
        dictionary.insert(dictionary.end(), 2 * entries, 1);
        return listOf({dictionary, {0x51, 'k'}});
    };
    constexpr auto kMax = BinaryPropertyList::kMaxDictionaryEntries;
    // Each damage, and the reason it is refused for.
    const std::vector<std::pair<std::string, Bytes>> damaged = {{"not a binary property list", changed(7, '1')},
        {"not a binary property list", Bytes(valid.begin(), valid.begin() + 40)},
        {"the trailer gives impossible integer sizes", changed(trailer + 6, 0)},  // offsets of no bytes
        {"the trailer gives impossible integer sizes", changed(trailer + 7, 9)},  // references of nine
        {"the object table holds 0 objects", changed(trailer + 15, 0)},
        {"the offset table does not fit in the file", changed(trailer + 15, 200)},  // more objects than it holds
        {"the top object is not in the table", changed(trailer + 23, 4)},
        {"the offset table does not fit in the file", changed(trailer + 31, 250)},  // past the trailer
        {"the offset table does not fit in the file", changed(trailer + 31, 3)},    // inside the header
        {"object 3 lies outside the object area", changed(valid.size() - 33, 0xF0)},
        {"object 0 runs past the object area", changed(8, 0xDE)},  // a dictionary too long
        {"a reference past the object table", changed(10, 9)}, {"object 3 has an unknown type", changed(15, 0x70)},
        {"object 3 is an integer of an impossible size", changed(15, 0x15)},  // 32 bytes
        {"a dictionary key is not a string", listOf({{0xD1, 1, 1}, {0x10, 7}})},
        {"object 0 contains itself", listOf({{0xA1, 1}, {0xA2, 2, 0}, {0x10, 7}})},
        {"an object's length is not an integer", listOf({{0x5F, 0x51, 'x'}})},
        {"object 0 runs past the object area", listOf({{0x5F, 0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}})},
        {"object 0 is a dictionary of more than " + std::to_string(kMax) + " entries", dictionaryOf(kMax + 1)}};
    for (const auto& [why, bytes] : damaged) {
        try {
            BinaryPropertyList {bytes};
            ADD_FAILURE() << "read, though " << why;
        } catch (const Error& error) {
            EXPECT_EQ(error.what(), why);
        }
    }
    // Shared, not cyclic: one object in two places is fine; so is a dictionary at the limit.
    EXPECT_NO_THROW(BinaryPropertyList(listOf({{0xA2, 1, 1}, {0xA1, 2}, {0x10, 7}})));
    EXPECT_NO_THROW(BinaryPropertyList(dictionaryOf(kMax)));
    // An integer fits only within sixty-four bits.
    Bytes minusOne = {0x14}, twoToTheSixtyFour = {0x14, 0, 0, 0, 0, 0, 0, 0, 1};
    minusOne.insert(minusOne.end(), 16, 0xFF);
    twoToTheSixtyFour.insert(twoToTheSixtyFour.end(), 8, 0);
    const Bytes bytes = listOf({{0xA2, 1, 2}, minusOne, twoToTheSixtyFour});  // the reader keeps no copy
    const BinaryPropertyList integers(bytes);
    EXPECT_EQ(integers.integer(1), -1);
    EXPECT_FALSE(integers.integer(2).has_value());
}

}  // namespace
