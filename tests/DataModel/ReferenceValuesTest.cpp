// Compares the engine bit for bit with reference values computed by an
// independent, deliberately plain transcription of the same algorithm
// (tests/reference/literal_voiceprint.py, run by make_golden.py), on real
// recordings and on inputs that take the unusual paths (silent background,
// broken lead-in, digital silence, too little audio).

#include "DataModel/CepstralFrontEnd.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Audio/PcmBytes.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

namespace {

using nlohmann::json;

// Same bits, not just the same value (0.0 and -0.0 differ here).
::testing::AssertionResult sameBits(double actual, double expected)
{
    if (std::memcmp(&actual, &expected, sizeof actual) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hexfloat << actual << " is not " << expected;
}

void expectTable(const double* table, const json& expected, const char* name)
{
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(sameBits(table[i], TestData::fromHex(expected[i]))) << name << "[" << i << "]";
}

// The input of a reference print, or nothing when its recording is not here.
std::optional<std::vector<std::int16_t>> inputOf(const json& entry)
{
    std::vector<std::int16_t> samples = entry["prefix"].get<std::vector<std::int16_t>>();
    if (!entry["file"].is_null()) {
        if (Fsdd::directory().empty())
            return std::nullopt;
        const auto recording = TestData::samplesOf(Fsdd::recording(entry["file"]));
        samples.insert(samples.end(), recording.begin(), recording.end());
    }
    samples.resize(samples.size() + entry["suffix_zeros"].get<std::size_t>(), 0);
    return samples;
}

struct Calculated {
    int status;
    ZRVoicePrint print;
};

Calculated calculate(const std::vector<std::int16_t>& samples)
{
    Calculated result {0, ZRVoicePrint()};
    result.status = result.print.calculateVoicePrint(PcmBytes::bigEndian(samples));
    return result;
}

TEST(ReferenceValuesTest, SpectralTablesMatchBitForBit)
{
    BuildFilters();
    const json& tables = TestData::golden()["tables"];
    expectTable(COS, tables["COS"], "COS");
    expectTable(SIN, tables["SIN"], "SIN");
    expectTable(HammingWindow, tables["HammingWindow"], "HammingWindow");
    expectTable(filt_edge, tables["filt_edge"], "filt_edge");
    expectTable(left_apex, tables["left_apex"], "left_apex");
    for (int j = 0; j < kFilterCount; ++j) {
        EXPECT_EQ(width[j], tables["width"][j].get<int>());
        expectTable(filter_coeffs[j], tables["filter_coeffs"][j], "filter_coeffs");
    }
}

TEST(ReferenceValuesTest, PrintsMatchBitForBit)
{
    int compared = 0;
    for (const json& entry : TestData::golden()["prints"]) {
        const auto samples = inputOf(entry);
        if (!samples)
            continue;
        const Calculated calculated = calculate(*samples);
        EXPECT_EQ(calculated.status, entry["status"].get<int>()) << entry["file"];
        EXPECT_EQ(calculated.print.voicePrint(), entry["print"].get<std::vector<std::int32_t>>()) << entry["file"];
        ++compared;
    }
    if (Fsdd::directory().empty())
        GTEST_SKIP() << "compared only the " << compared << " prints made without recordings";
}

TEST(ReferenceValuesTest, DistancesMatchBitForBit)
{
    SKIP_WITHOUT_FSDD();
    std::vector<ZRVoicePrint> prints;
    for (const json& entry : TestData::golden()["prints"])
        prints.push_back(calculate(*inputOf(entry)).print);
    for (const json& pair : TestData::golden()["distances"]) {
        const ZRVoicePrint& a = prints.at(pair["a"].get<std::size_t>());
        const ZRVoicePrint& b = prints.at(pair["b"].get<std::size_t>());
        EXPECT_TRUE(sameBits(a.distanceFromVoicePrint(&b), TestData::fromHex(pair["distance"])))
            << "pair " << pair["a"] << ", " << pair["b"];
    }
}

}  // namespace
