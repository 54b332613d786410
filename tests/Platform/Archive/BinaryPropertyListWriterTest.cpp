// The property list writer, read back by libplist (an independent reader)
// and by our own: every value at the edges of its encodings, and tables
// large enough that references and offsets need wider fields.

#include "Platform/Archive/BinaryPropertyListWriter.h"

#include "Platform/Archive/BinaryPropertyList.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <plist/plist.h>

namespace {

using Ref = BinaryPropertyListWriter::Ref;

TEST(BinaryPropertyListWriterTest, EveryValueReadsBackAtEveryEdgeOfItsEncodingAndOfItsTables)
{
    const std::vector<std::int64_t> integers {0, 14, 15, 255, 256, 65535, 65536, 4294967295LL, 4294967296LL,
        std::numeric_limits<std::int64_t>::max(), -1, std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int64_t>::min()};
    const std::vector<std::uint32_t> uids {0, 255, 256, 65535, 65536, 4294967295U};
    const QStringList strings {
        "", "root", "exactly fifteen", QString(300, 'x'), "Jürgen Müller", "Łódź 😀", QString(20, QChar(0x4E2D))};
    BinaryPropertyListWriter writer;
    const Ref root = writer.dictionary();
    const auto arrayOf = [&](const char* key, const auto& values, auto make) {
        const Ref array = writer.array();
        writer.insert(root, key, array);
        for (const auto& value : values)
            writer.append(array, make(value));
    };
    arrayOf("integers", integers, [&](std::int64_t value) { return writer.integer(value); });
    arrayOf("uids", uids, [&](std::uint32_t value) { return writer.uid(value); });
    arrayOf("strings", strings, [&](const QString& value) { return writer.string(value); });
    std::vector<std::int64_t> many(70'000);  // so many objects that references and offsets need four bytes
    std::iota(many.begin(), many.end(), 0);
    arrayOf("many", many, [&](std::int64_t value) { return writer.integer(value * 1000); });
    const QByteArray bytes = writer.finish(root);
    EXPECT_EQ(bytes.right(32)[6], 4) << "offset size";
    EXPECT_EQ(bytes.right(32)[7], 4) << "reference size";

    plist_t theirs = nullptr;
    plist_from_bin(bytes.constData(), static_cast<std::uint32_t>(bytes.size()), &theirs);
    ASSERT_NE(theirs, nullptr);
    const BinaryPropertyList ours(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
    // The i-th element of an array as libplist and as our reader find it.
    const auto element = [&](const char* key, std::size_t i, std::size_t count) {
        plist_t array = plist_dict_get_item(theirs, key);
        const Ref ourArray = *ours.value(ours.top(), key);
        EXPECT_EQ(plist_array_get_size(array), count) << key;
        EXPECT_EQ(ours.count(ourArray), count) << key;
        return std::pair(plist_array_get_item(array, static_cast<std::uint32_t>(i)), ours.element(ourArray, i));
    };
    for (std::size_t i = 0; i < integers.size(); ++i) {
        const auto [their, our] = element("integers", i, integers.size());
        std::uint64_t bits = 0;
        plist_get_uint_val(their, &bits);
        EXPECT_EQ(static_cast<std::int64_t>(bits), integers[i]);
        EXPECT_EQ(ours.integer(our), integers[i]);
    }
    EXPECT_THROW(ours.uid(*ours.value(ours.top(), "uids")), BinaryPropertyList::Error) << "an array is no UID";
    EXPECT_THROW(ours.element(*ours.value(ours.top(), "uids"), uids.size()), BinaryPropertyList::Error);
    for (std::size_t i = 0; i < uids.size(); ++i) {
        const auto [their, our] = element("uids", i, uids.size());
        std::uint64_t value = 0;
        plist_get_uid_val(their, &value);
        EXPECT_EQ(value, uids[i]);
        EXPECT_EQ(ours.uid(our), uids[i]);
    }
    for (qsizetype i = 0; i < strings.size(); ++i) {
        const auto [their, our] = element("strings", static_cast<std::size_t>(i), strings.size());
        char* text = nullptr;
        plist_get_string_val(their, &text);
        EXPECT_EQ(QString::fromUtf8(text), strings[i]);
        std::free(text);
        EXPECT_EQ(ours.string(our), strings[i]);
    }
    const auto [their, our] = element("many", 69'999, many.size());
    std::uint64_t last = 0;
    plist_get_uint_val(their, &last);
    EXPECT_EQ(last, 69'999'000u);
    EXPECT_EQ(ours.integer(our), 69'999'000);
    plist_free(theirs);
}

}  // namespace
