// The store's property list reader: what libplist writes reads back alike,
// and every kind of damage is refused with an error rather than read past.

#include "Platform/Archive/BinaryPropertyList.h"

#include "DataModel/ZRCommandList.h"
#include "Platform/Archive/KeyedUnarchiver.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <QFile>
#include <plist/plist.h>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Type = BinaryPropertyList::Type;

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
    const auto bigEndian = [&out](std::uint64_t value) {
        for (int shift = 56; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    out.insert(out.end(), {0, 0, 0, 0, 0, 0, 1, 1});
    bigEndian(objects.size());
    bigEndian(top);
    bigEndian(table);
    return out;
}

Bytes libplistBytes(plist_t root)
{
    char* data = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root, &data, &length);
    Bytes bytes(data, data + length);
    plist_to_bin_free(data);
    plist_free(root);
    return bytes;
}

TEST(BinaryPropertyListTest, ReadsWhatLibplistWrites)
{
    plist_t numbers = plist_new_array();
    for (std::int64_t value : {0LL, 200LL, 40000LL, 3000000000LL, -1LL, -2147483648LL, 1LL << 40})
        plist_array_append_item(numbers, plist_new_uint(static_cast<std::uint64_t>(value)));
    plist_t root = plist_new_dict();
    plist_dict_set_item(root, "numbers", numbers);
    plist_dict_set_item(root, "ascii", plist_new_string("$null"));
    plist_dict_set_item(root, "wide", plist_new_string("Jürgen 李"));
    plist_dict_set_item(root, "uid", plist_new_uid(70000));
    const Bytes bytes = libplistBytes(root);

    const BinaryPropertyList list(bytes);
    ASSERT_EQ(list.type(list.top()), Type::Dictionary);
    const BinaryPropertyList::Ref array = *list.value(list.top(), "numbers");
    std::vector<std::int64_t> read;
    list.forEachElement(array, [&](BinaryPropertyList::Ref number) { read.push_back(*list.integer(number)); });
    EXPECT_EQ(read, (std::vector<std::int64_t> {0, 200, 40000, 3000000000LL, -1, -2147483648LL, 1LL << 40}));
    EXPECT_EQ(list.count(array), 7u);
    EXPECT_TRUE(list.isString(*list.value(list.top(), "ascii"), "$null"));
    EXPECT_FALSE(list.isString(*list.value(list.top(), "ascii"), "$nul"));
    EXPECT_EQ(list.string(*list.value(list.top(), "wide")), QStringLiteral("Jürgen 李"));
    EXPECT_EQ(list.uid(*list.value(list.top(), "uid")), 70000u);
    EXPECT_FALSE(list.value(list.top(), "missing").has_value());
    EXPECT_THROW(list.uid(array), BinaryPropertyList::Error) << "an array is no UID";
    EXPECT_THROW(list.element(array, 7), BinaryPropertyList::Error);
}

TEST(BinaryPropertyListTest, SixteenByteIntegersFitOnlyWithinSixtyFourBits)
{
    Bytes minusOne = {0x14};
    minusOne.insert(minusOne.end(), 16, 0xFF);
    Bytes twoToTheSixtyFour = {0x14, 0, 0, 0, 0, 0, 0, 0, 1};
    twoToTheSixtyFour.insert(twoToTheSixtyFour.end(), 8, 0);
    const Bytes bytes = listOf({{0xA2, 1, 2}, minusOne, twoToTheSixtyFour});
    const BinaryPropertyList list(bytes);
    EXPECT_EQ(list.integer(1), -1);
    EXPECT_FALSE(list.integer(2).has_value());
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
    const std::vector<std::pair<const char*, Bytes>> damaged = {
        {"another header", changed(7, '1')},
        {"too short", Bytes(valid.begin(), valid.begin() + 40)},
        {"offsets of no bytes", changed(trailer + 6, 0)},
        {"references of nine bytes", changed(trailer + 7, 9)},
        {"no objects", changed(trailer + 15, 0)},
        {"more objects than the table holds", changed(trailer + 15, 200)},
        {"a top object past the table", changed(trailer + 23, 4)},
        {"an offset table past the trailer", changed(trailer + 31, 250)},
        {"an offset table inside the header", changed(trailer + 31, 3)},
        {"an object outside the object area", changed(valid.size() - 33, 0xF0)},
        {"a dictionary longer than the object area", changed(8, 0xDE)},
        {"a reference past the table", changed(10, 9)},
        {"an unknown type", changed(15, 0x70)},
        {"an integer of 32 bytes", changed(15, 0x15)},
        {"a dictionary key that is not a string", listOf({{0xD1, 1, 1}, {0x10, 7}})},
        {"an array that holds itself", listOf({{0xA1, 1}, {0xA2, 2, 0}, {0x10, 7}})},
        {"a length that is not an integer", listOf({{0x5F, 0x51, 'x'}})},
        {"a length past the object area", listOf({{0x5F, 0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}})},
    };
    for (const auto& [what, bytes] : damaged)
        EXPECT_THROW(BinaryPropertyList {bytes}, BinaryPropertyList::Error) << what;
    // Shared, not cyclic: one object in two places is fine.
    EXPECT_NO_THROW(BinaryPropertyList(listOf({{0xA2, 1, 1}, {0xA1, 2}, {0x10, 7}})));
}

TEST(BinaryPropertyListTest, DictionariesTooLargeToSearchAreRefused)
{
    // One key and one value over and over: every lookup would read them all,
    // once for each object that shares the dictionary.
    const auto dictionaryOf = [](std::uint64_t entries) {
        Bytes dictionary = {0xDF, 0x10, static_cast<std::uint8_t>(entries)};
        dictionary.insert(dictionary.end(), 2 * entries, 1);
        return listOf({dictionary, {0x51, 'k'}});
    };
    EXPECT_NO_THROW(BinaryPropertyList(dictionaryOf(BinaryPropertyList::kMaxDictionaryEntries)));
    EXPECT_THROW(
        BinaryPropertyList(dictionaryOf(BinaryPropertyList::kMaxDictionaryEntries + 1)), BinaryPropertyList::Error);
}

TEST(BinaryPropertyListTest, AnyDamageToAStoreIsRefusedOrReadNeverReadPast)
{
    QFile file(QString::fromStdString(TestData::file("archives/python-made.samcomandlist").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    std::mt19937 random(17);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = original;
        for (int flips = 1 + round % 3; flips > 0; --flips) {
            const auto at = std::uniform_int_distribution<qsizetype>(0, damaged.size() - 1)(random);
            damaged[at] = static_cast<char>(random());
        }
        QString reason;
        const auto store = KeyedUnarchiver::unarchiveObjectWithData<ZRCommandList>(damaged, &reason);
        if (!store) {
            ++refused;
            EXPECT_FALSE(reason.isEmpty());
        }
    }
    EXPECT_GT(refused, 1000);
}

}  // namespace
