// The store's property list reader: every kind of damage is refused with an
// error rather than read past. What another writer wrote is read in
// tests/DataModel/CommandListArchiveTest.cpp (stores made by Python's
// plistlib); random damage is left to fuzz/ArchiveFuzzer.cpp.

#include "Platform/Archive/BinaryPropertyList.h"

#include <gtest/gtest.h>

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

TEST(BinaryPropertyListTest, IntegersFitOnlyWithinSixtyFourBitsAndDictionariesOnlyWithinTheirLimit)
{
    Bytes minusOne = {0x14}, twoToTheSixtyFour = {0x14, 0, 0, 0, 0, 0, 0, 0, 1};
    minusOne.insert(minusOne.end(), 16, 0xFF);
    twoToTheSixtyFour.insert(twoToTheSixtyFour.end(), 8, 0);
    const Bytes bytes = listOf({{0xA2, 1, 2}, minusOne, twoToTheSixtyFour});
    const BinaryPropertyList list(bytes);
    EXPECT_EQ(list.integer(1), -1);
    EXPECT_FALSE(list.integer(2).has_value());

    // One key and one value over and over: every lookup would read them all,
    // once for each object that shares the dictionary.
    const auto dictionaryOf = [](std::uint64_t entries) {
        Bytes dictionary = {0xDF, 0x10, static_cast<std::uint8_t>(entries)};
        dictionary.insert(dictionary.end(), 2 * entries, 1);
        return listOf({dictionary, {0x51, 'k'}});
    };
    EXPECT_NO_THROW(BinaryPropertyList(dictionaryOf(BinaryPropertyList::kMaxDictionaryEntries)));
    EXPECT_THROW(BinaryPropertyList(dictionaryOf(BinaryPropertyList::kMaxDictionaryEntries + 1)), Error);
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
    // Each damage, and the reason it is refused for.
    const std::vector<std::pair<std::string, Bytes>> damaged = {
        {"not a binary property list", changed(7, '1')},
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
        {"a reference past the object table", changed(10, 9)},
        {"object 3 has an unknown type", changed(15, 0x70)},
        {"object 3 is an integer of an impossible size", changed(15, 0x15)},  // 32 bytes
        {"a dictionary key is not a string", listOf({{0xD1, 1, 1}, {0x10, 7}})},
        {"object 0 contains itself", listOf({{0xA1, 1}, {0xA2, 2, 0}, {0x10, 7}})},
        {"an object's length is not an integer", listOf({{0x5F, 0x51, 'x'}})},
        {"object 0 runs past the object area", listOf({{0x5F, 0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}})},
    };
    for (const auto& [why, bytes] : damaged) {
        try {
            BinaryPropertyList {bytes};
            ADD_FAILURE() << "read, though " << why;
        } catch (const Error& error) {
            EXPECT_EQ(error.what(), why);
        }
    }
    // Shared, not cyclic: one object in two places is fine.
    EXPECT_NO_THROW(BinaryPropertyList(listOf({{0xA2, 1, 1}, {0xA1, 2}, {0x10, 7}})));
}

}  // namespace
