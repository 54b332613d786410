#include "DataModel/CepstralFrontEnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <numeric>
#include <vector>

namespace {

class CepstralFrontEndTest : public ::testing::Test {
protected:
    void SetUp() override { BuildFilters(); }
};

std::vector<double> pseudoRandom(int count, unsigned seed)
{
    std::vector<double> values(count);
    for (double& value : values) {
        seed = seed * 1103515245u + 12345u;
        value = static_cast<double>(seed >> 8) / (1u << 24) - 0.5;
    }
    return values;
}

TEST_F(CepstralFrontEndTest, FilterBankLiesOnTheThirtyOneHertzGrid)
{
    // Left edge in Hz and number of weights of each of the 16 mel filters.
    const double leftEdges[kFilterCount]
        = {186, 279, 403, 496, 620, 775, 899, 1085, 1271, 1457, 1674, 1922, 2201, 2480, 2821, 3162};
    const int widths[kFilterCount] = {7, 7, 7, 9, 9, 10, 12, 12, 13, 15, 17, 18, 20, 22, 24, 27};
    const int firstBins[kFilterCount] = {6, 9, 13, 16, 20, 25, 29, 35, 41, 47, 54, 62, 71, 80, 91, 102};
    for (int j = 0; j < kFilterCount; ++j) {
        EXPECT_EQ(left_apex[j], leftEdges[j]) << "filter " << j;
        EXPECT_EQ(width[j], widths[j]) << "filter " << j;
        EXPECT_EQ(static_cast<int>(left_apex[j] / 31.0), firstBins[j]) << "filter " << j;
    }
    EXPECT_NEAR(filt_edge[0], 200.0, 1e-9);
    EXPECT_NEAR(filt_edge[kFilterCount + 1], 4000.0, 1e-9);
}

TEST_F(CepstralFrontEndTest, EveryFilterIsATriangleOfUnitArea)
{
    for (int j = 0; j < kFilterCount; ++j) {
        EXPECT_EQ(filter_coeffs[j][0], 0.0) << "filter " << j << " starts at its left edge";
        const double sum = std::accumulate(filter_coeffs[j], filter_coeffs[j] + width[j], 0.0);
        EXPECT_NEAR(sum, 1.0 / 31.0, 1e-15) << "filter " << j;
        // Rising strictly to one peak, then falling, never reaching 0 again.
        const double* w = filter_coeffs[j];
        const int peak = static_cast<int>(std::max_element(w, w + width[j]) - w);
        for (int k = 1; k <= peak; ++k)
            EXPECT_GT(w[k], w[k - 1]) << "filter " << j << " weight " << k;
        for (int k = peak + 1; k < width[j]; ++k) {
            EXPECT_LT(w[k], w[k - 1]) << "filter " << j << " weight " << k;
            EXPECT_GT(w[k], 0.0) << "filter " << j << " weight " << k;
        }
    }
}

TEST_F(CepstralFrontEndTest, WindowAndTwiddlesAreComputedNotRounded)
{
    EXPECT_NEAR(HammingWindow[0], 0.08, 1e-15);
    EXPECT_NEAR(HammingWindow[255], 0.08, 1e-15);
    EXPECT_NEAR(HammingWindow[127], 1.0, 1e-4);
    EXPECT_EQ(HammingWindow[100], HammingWindow[155]);
    // cos(π/2) in double precision is a tiny number, not zero.
    EXPECT_NE(COS[64], 0.0);
    EXPECT_NEAR(COS[64], 6.1e-17, 1e-18);
    EXPECT_EQ(SIN[64], -1.0);
    EXPECT_EQ(COS[0], 1.0);
}

TEST_F(CepstralFrontEndTest, ConstantInputTransformsToBinZeroOnly)
{
    std::vector<double> re(kFFTLength, 1.0);
    std::vector<double> im(kFFTLength, 0.0);
    FourierTransform(re.data(), im.data(), kFFTLength);
    EXPECT_EQ(re[0], 256.0);
    EXPECT_EQ(im[0], 0.0);
    for (int k = 1; k < kFFTLength; ++k) {
        EXPECT_NEAR(re[k], 0.0, 1e-12) << "bin " << k;
        EXPECT_NEAR(im[k], 0.0, 1e-12) << "bin " << k;
    }
}

TEST_F(CepstralFrontEndTest, TransformEqualsTheDirectFourierSum)
{
    std::vector<double> re = pseudoRandom(kFFTLength, 7);
    std::vector<double> im = pseudoRandom(kFFTLength, 11);
    std::vector<std::complex<double>> expected(kFFTLength);
    for (int k = 0; k < kFFTLength; ++k) {
        for (int m = 0; m < kFFTLength; ++m)
            expected[k] += std::complex<double>(re[m], im[m]) * std::polar(1.0, -2 * M_PI * k * m / kFFTLength);
    }
    FourierTransform(re.data(), im.data(), kFFTLength);
    for (int k = 0; k < kFFTLength; ++k) {
        EXPECT_NEAR(re[k], expected[k].real(), 1e-10) << "bin " << k;
        EXPECT_NEAR(im[k], expected[k].imag(), 1e-10) << "bin " << k;
    }
}

TEST_F(CepstralFrontEndTest, FilterEnergiesOfAFlatSpectrumAreTheWeightSums)
{
    std::vector<double> flat(kSpectrumBins, 1.0);
    double energies[kFilterCount];
    GetMFCC(flat.data(), energies, 0);
    for (int j = 0; j < kFilterCount - 1; ++j)
        EXPECT_NEAR(energies[j], 1.0 / 31.0, 1e-15) << "filter " << j;
    // The top filter's last weight falls on bin 128, which does not exist.
    EXPECT_NEAR(energies[15], 1.0 / 31.0 - filter_coeffs[15][26], 1e-15);
}

TEST_F(CepstralFrontEndTest, FilterEnergiesNeverReadPastBin127)
{
    // Power only beyond the 128 bins, where a careless loop would read it.
    std::vector<double> spectrum(2 * kSpectrumBins, 0.0);
    std::fill(spectrum.begin() + kSpectrumBins, spectrum.end(), 1e9);
    double out[kFilterCount + 4] = {};
    GetMFCC(spectrum.data(), out, 4);
    for (int j = 0; j < kFilterCount; ++j)
        EXPECT_EQ(out[4 + j], 0.0) << "filter " << j;
}

TEST_F(CepstralFrontEndTest, EmptyOrNegativeEnergiesCountAsMinusOneHundredThousand)
{
    double silent[kFilterCount] = {};
    double negative[kFilterCount];
    std::fill(negative, negative + kFilterCount, -3.0);
    double fromSilent[kFilterCount];
    double fromNegative[kFilterCount];
    Cepstrum(silent, fromSilent, kFilterCount);
    Cepstrum(negative, fromNegative, kFilterCount);
    EXPECT_NEAR(fromSilent[0], 16 * -100000.0 * std::sqrt(2.0 / 16), 1e-6);
    for (int i = 0; i < kFilterCount; ++i)
        EXPECT_EQ(fromSilent[i], fromNegative[i]) << "coefficient " << i;
}

TEST_F(CepstralFrontEndTest, CepstrumOfEqualEnergiesHasOnlyItsFirstCoefficient)
{
    double energies[kFilterCount];
    std::fill(energies, energies + kFilterCount, std::exp(2.0));
    double c[kFilterCount];
    Cepstrum(energies, c, kFilterCount);
    EXPECT_NEAR(c[0], 16 * 2.0 * std::sqrt(2.0 / 16), 1e-12);
    for (int i = 1; i < kFilterCount; ++i)
        EXPECT_NEAR(c[i], 0.0, 1e-12) << "coefficient " << i;
}

TEST_F(CepstralFrontEndTest, CepstrumFromTablesGivesCepstrumsBits)
{
    // Energies over many orders of magnitude, empty and negative ones among them.
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
            ASSERT_EQ(std::bit_cast<std::uint64_t>(tabled[i]), std::bit_cast<std::uint64_t>(literal[i]))
                << "round " << round << ", coefficient " << i;
    }
}

}  // namespace
