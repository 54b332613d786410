// The property list writer, read back by libplist (an independent reader)
// and by our own: every value at the edges of its encodings, and tables
// large enough that references and offsets need wider fields.

#include "Platform/Archive/BinaryPropertyListWriter.h"

#include "Platform/Archive/BinaryPropertyList.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <plist/plist.h>

namespace {

using Ref = BinaryPropertyListWriter::Ref;

const std::vector<std::int64_t> kIntegers {0, 14, 15, 255, 256, 65535, 65536, 4294967295LL, 4294967296LL,
    std::numeric_limits<std::int64_t>::max(), -1, std::numeric_limits<std::int32_t>::min(),
    std::numeric_limits<std::int64_t>::min()};
const std::vector<std::uint32_t> kUids {0, 255, 256, 65535, 65536, 4294967295U};
const QStringList kStrings {
    "", "root", "exactly fifteen", QString(300, 'x'), "Jürgen Müller", "Łódź 😀", QString(20, QChar(0x4E2D))};

// Parses with libplist; the caller frees the result.
plist_t parsed(const QByteArray& bytes)
{
    plist_t root = nullptr;
    plist_from_bin(bytes.constData(), static_cast<std::uint32_t>(bytes.size()), &root);
    return root;
}

QString stringOf(plist_t node)
{
    char* text = nullptr;
    plist_get_string_val(node, &text);
    const QString value = QString::fromUtf8(text);
    std::free(text);
    return value;
}

TEST(BinaryPropertyListWriterTest, EveryValueReadsBackAtEveryEdgeOfItsEncoding)
{
    BinaryPropertyListWriter writer;
    const Ref root = writer.dictionary();
    const Ref integers = writer.array();
    const Ref uids = writer.array();
    const Ref strings = writer.array();
    writer.insert(root, "integers", integers);
    writer.insert(root, "uids", uids);
    writer.insert(root, "strings", strings);
    for (const std::int64_t value : kIntegers)
        writer.append(integers, writer.integer(value));
    for (const std::uint32_t value : kUids)
        writer.append(uids, writer.uid(value));
    for (const QString& value : kStrings)
        writer.append(strings, writer.string(value));
    const QByteArray bytes = writer.finish(root);

    plist_t theirs = parsed(bytes);
    ASSERT_NE(theirs, nullptr);
    const BinaryPropertyList ours(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});

    const Ref ourIntegers = *ours.value(ours.top(), "integers");
    plist_t theirIntegers = plist_dict_get_item(theirs, "integers");
    ASSERT_EQ(plist_array_get_size(theirIntegers), kIntegers.size());
    for (std::size_t i = 0; i < kIntegers.size(); ++i) {
        std::uint64_t bits = 0;
        plist_get_uint_val(plist_array_get_item(theirIntegers, static_cast<std::uint32_t>(i)), &bits);
        EXPECT_EQ(static_cast<std::int64_t>(bits), kIntegers[i]);
        EXPECT_EQ(ours.integer(ours.element(ourIntegers, i)), kIntegers[i]);
    }

    const Ref ourUids = *ours.value(ours.top(), "uids");
    plist_t theirUids = plist_dict_get_item(theirs, "uids");
    ASSERT_EQ(plist_array_get_size(theirUids), kUids.size());
    for (std::size_t i = 0; i < kUids.size(); ++i) {
        std::uint64_t value = 0;
        plist_get_uid_val(plist_array_get_item(theirUids, static_cast<std::uint32_t>(i)), &value);
        EXPECT_EQ(value, kUids[i]);
        EXPECT_EQ(ours.uid(ours.element(ourUids, i)), kUids[i]);
    }

    const Ref ourStrings = *ours.value(ours.top(), "strings");
    plist_t theirStrings = plist_dict_get_item(theirs, "strings");
    ASSERT_EQ(plist_array_get_size(theirStrings), static_cast<std::uint32_t>(kStrings.size()));
    for (qsizetype i = 0; i < kStrings.size(); ++i) {
        EXPECT_EQ(stringOf(plist_array_get_item(theirStrings, static_cast<std::uint32_t>(i))), kStrings[i]);
        EXPECT_EQ(ours.string(ours.element(ourStrings, static_cast<std::size_t>(i))), kStrings[i]);
    }
    plist_free(theirs);
}

TEST(BinaryPropertyListWriterTest, EqualValuesAreWrittenOnceAndLargeTablesWidenTheirFields)
{
    BinaryPropertyListWriter writer;
    EXPECT_EQ(writer.integer(7), writer.integer(7));
    EXPECT_EQ(writer.string("seven"), writer.string("seven"));
    EXPECT_EQ(writer.uid(7), writer.uid(7));
    EXPECT_NE(writer.integer(7), writer.uid(7));
    EXPECT_NE(writer.array(), writer.array()) << "containers are never shared";

    // 70,000 objects: references need four bytes and offsets three or more.
    const Ref numbers = writer.array();
    for (std::int64_t value = 0; value < 70'000; ++value)
        writer.append(numbers, writer.integer(value * 1000));
    const QByteArray bytes = writer.finish(numbers);
    const auto trailer = bytes.right(32);
    EXPECT_EQ(trailer[6], 4) << "offset size";
    EXPECT_EQ(trailer[7], 4) << "reference size";

    plist_t theirs = parsed(bytes);
    ASSERT_NE(theirs, nullptr);
    ASSERT_EQ(plist_array_get_size(theirs), 70'000u);
    std::uint64_t last = 0;
    plist_get_uint_val(plist_array_get_item(theirs, 69'999), &last);
    EXPECT_EQ(last, 69'999'000u);
    plist_free(theirs);
}

}  // namespace
