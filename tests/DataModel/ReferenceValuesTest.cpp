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

#include <bit>
#include <cmath>
#include <vector>

namespace {

using nlohmann::json;

// Same bits, not just the same value (0.0 and -0.0 differ here).
std::uint64_t bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

// The status and print the engine makes of a reference entry's input.
std::pair<int, ZRVoicePrint> calculate(const json& entry)
{
    std::vector<std::int16_t> samples = entry["prefix"].get<std::vector<std::int16_t>>();
    if (!entry["file"].is_null()) {
        const auto recording = TestData::samplesOf(Fsdd::recording(entry["file"]));
        samples.insert(samples.end(), recording.begin(), recording.end());
    }
    samples.resize(samples.size() + entry["suffix_zeros"].get<std::size_t>(), 0);
    ZRVoicePrint print;
    const int status = print.calculateVoicePrint(PcmBytes::bigEndian(samples));
    return {status, print};
}

TEST(ReferenceValuesTest, PrintsAndDistancesMatchBitForBit)
{
    std::vector<ZRVoicePrint> prints;
    for (const json& entry : TestData::golden()["prints"]) {
        auto [status, print] = calculate(entry);
        EXPECT_EQ(status, entry["status"].get<int>()) << entry["file"];
        EXPECT_EQ(print.voicePrint(), entry["print"].get<std::vector<std::int32_t>>()) << entry["file"];
        prints.push_back(std::move(print));
    }
    for (const json& pair : TestData::golden()["distances"]) {
        const ZRVoicePrint& a = prints.at(pair["a"].get<std::size_t>());
        const ZRVoicePrint& b = prints.at(pair["b"].get<std::size_t>());
        EXPECT_EQ(bits(a.distanceFromVoicePrint(&b)), bits(TestData::fromHex(pair["distance"])))
            << "pair " << pair["a"] << ", " << pair["b"];
    }
}

TEST(ReferenceValuesTest, CepstrumFromTablesGivesCepstrumsBits)
{
    // The engine takes the cepstrum from precomputed tables; on energies far
    // wider than speech gives, empty and negative ones among them, they must
    // never change a bit.
    BuildFilters();
    std::uint32_t seed = 11;
    for (int round = 0; round < 2000; ++round) {
        double energies[kFilterCount];
        for (double& energy : energies) {
            seed = seed * 1664525u + 1013904223u;
            energy = round % 7 == 0 && seed % 5 == 0 ? -static_cast<double>(seed % 3)
                                                     : std::ldexp(static_cast<double>(seed >> 8), -20 + round % 40);
        }
        double literal[kFilterCount];
        double tabled[kFilterCount] = {};
        Cepstrum(energies, literal, kFilterCount);
        CepstrumFromTables(energies, tabled, 0, kFilterCount - 1);
        for (int i = 0; i < kFilterCount; ++i)
            ASSERT_EQ(bits(tabled[i]), bits(literal[i])) << "round " << round << ", coefficient " << i;
    }
}

}  // namespace
