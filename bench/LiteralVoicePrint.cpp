// The voice print calculation as the literal algorithm reads, per frame:
// the window applied with the gain, and a cepstrum that takes the log of
// each filter energy and the cosine of each term anew for every output.

#include "LiteralVoicePrint.h"

#include "DataModel/CepstralFrontEnd.h"
#include "DataModel/ZRVoicePrint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kHop = 128;        // 16 ms at 8000 Hz
constexpr int kLeadInRun = 10;   // nonzero samples that end the lead-in
constexpr int kNoiseFrames = 2;  // frames that measure the background
constexpr int kBandWidth = 8;    // spectrogram rows per energy band
constexpr double kLn10 = 2.302585093;
constexpr double kWindowGain = 0.54;  // mean of the Hamming window
constexpr int kSpeechEnergy = 512;    // a frame above this carries speech
constexpr double kTopValue = 255.0;

using Frame = std::array<double, ZRVoicePrint::kFrameSize>;

struct Spectrum {
    double re[kFFTLength];
    double im[kFFTLength];

    double power(int k) const { return re[k] * re[k] + im[k] * im[k]; }
};

// The samples as signed 16-bit big-endian values, scaled to [-1, 1), without
// the lead-in: everything up to and including the first run of ten nonzero
// samples is dropped. Without such a run, everything up to the last nonzero
// sample is dropped.
std::vector<double> samplesAfterLeadIn(std::span<const std::uint8_t> data)
{
    const std::size_t n = data.size() / 2;
    const auto sample
        = [&data](std::size_t i) { return static_cast<std::int16_t>((data[2 * i] << 8) | data[2 * i + 1]); };

    std::size_t start = 0;
    int run = 0;
    for (std::size_t i = 0; i < n && run < kLeadInRun; ++i) {
        if (sample(i) == 0) {
            run = 0;
        } else {
            ++run;
            start = i + 1;
        }
    }

    std::vector<double> x(n - start);
    for (std::size_t j = 0; j < x.size(); ++j)
        x[j] = sample(start + j) * 3.0517578125e-05;  // 2^-15
    return x;
}

// Brings the loudest sample to 0.95.
double levelGain(const std::vector<double>& x)
{
    double peak = 0;
    for (double value : x)
        peak = std::max(peak, std::abs(value));
    return peak != 0 ? 0.95 / peak : 1.0;
}

void transformFrame(const std::vector<double>& x, double gain, int f, Spectrum& s)
{
    const double* frame = x.data() + static_cast<std::size_t>(f) * kHop;
    for (int k = 0; k < kFFTLength; ++k) {
        s.re[k] = gain * frame[k] * HammingWindow[k];
        s.im[k] = 0;
    }
    FourierTransform(s.re, s.im, kFFTLength);
}

// Energy of a frame over every bin but the Nyquist one.
double noiseEnergyOf(const Spectrum& s)
{
    double sum = 0;
    for (int k = 1; k < kSpectrumBins; ++k)
        sum += s.power(k) + s.power(kFFTLength - k);
    return s.power(0) + sum;
}

// 3 dB minus the background level in dB; -50 when the background is silent.
double noiseOffset(double noiseEnergy)
{
    if (noiseEnergy == 0)
        return -50.0;
    const double level = noiseEnergy / kWindowGain / kWindowGain * 0.0078125 * 0.5;
    return 20 * std::log(level) / -kLn10 + 3.0;
}

void powerSpectrum(const Spectrum& s, double* P)
{
    P[0] = s.power(0);
    for (int k = 1; k < kSpectrumBins; ++k)
        P[k] = (s.power(k) + s.power(kFFTLength - k)) / kWindowGain / kWindowGain;
}

// Maps levels from `offset` dB below 0 dB up to 0 dB onto 0 ... 255 (louder
// bins exceed 255); quieter bins and empty bins are 0.
double spectrogramLevel(double power, double offset)
{
    if (power == 0)
        return 0;
    const double level = 20 * std::log(power) / kLn10;
    return level > -offset ? (offset + level) * kTopValue / offset : 0;
}

void bandLevels(const double* P, double offset, Frame& bands)
{
    for (int band = 0; band < ZRVoicePrint::kFrameSize; ++band) {
        double sum = 0;
        for (int l = 0; l < kBandWidth; ++l)
            sum += spectrogramLevel(P[kBandWidth * band + l], offset);
        bands[band] = 0.125 * sum;
    }
}

// Cepstral coefficients c1 ... c13 in elements 1 ... 13; the rest stay 0.
void cepstralRow(const double* P, Frame& row)
{
    double energies[kFilterCount];
    double c[ZRVoicePrint::kFrameSize];
    GetMFCC(P, energies, 0);
    Cepstrum(energies, c, ZRVoicePrint::kFrameSize);
    for (int m = 1; m <= 13; ++m)
        row[m] = c[m];
}

// Speech energy of every frame, 0 ... 4080: each band's level is placed
// between a threshold a fifth of the way up from the quietest band level and
// the loudest, scaled to 0 ... 255, with values below 32 ignored.
std::vector<int> frameEnergies(const std::vector<Frame>& bands)
{
    double maxE = -1.0;
    double minE = 300.0;
    for (const Frame& frame : bands) {
        for (double level : frame) {
            maxE = std::max(maxE, level);
            minE = std::min(minE, level);
        }
    }
    const double threshold = (maxE - minE) * 0.2 + minE;
    const double range = maxE - threshold;

    std::vector<int> energies(bands.size(), 0);
    // Every band level equal, as in digital silence, leaves no range: no
    // frame is speech. (A range that is not a number is treated alike, so
    // that no NaN ever reaches the integer conversion below.)
    if (!(range > 0))
        return energies;
    for (std::size_t f = 0; f < bands.size(); ++f) {
        double sum = 0;
        for (double level : bands[f]) {
            double v = (level - threshold) * kTopValue / range;
            if (v < 0)
                v = 0;
            else if (v > kTopValue)
                v = kTopValue;
            else if (v < 32)
                v = 0;
            sum += v;
        }
        energies[f] = static_cast<std::int32_t>(sum);
    }
    return energies;
}

// The first and last frame carrying speech, or all frames when none does.
std::pair<int, int> speechFrames(const std::vector<int>& energies)
{
    const auto isSpeech = [](int energy) { return energy > kSpeechEnergy; };
    const auto first = std::find_if(energies.begin(), energies.end(), isSpeech);
    if (first == energies.end())
        return {0, static_cast<int>(energies.size()) - 1};
    const auto last = std::find_if(energies.rbegin(), energies.rend(), isSpeech);
    return {static_cast<int>(first - energies.begin()), static_cast<int>(energies.rend() - last) - 1};
}

// Scales the kept rows so that the largest magnitude becomes about 255.
std::vector<std::int32_t> scaledPrint(const std::vector<Frame>& rows, int first, int last)
{
    double maxC = -100000.0;
    double minC = 100000.0;
    for (int f = first; f <= last; ++f) {
        for (double value : rows[f]) {
            maxC = std::max(maxC, value);
            minC = std::min(minC, value);
        }
    }
    const double scale = std::max(std::abs(static_cast<std::int32_t>(minC)), std::abs(static_cast<std::int32_t>(maxC)));

    std::vector<std::int32_t> print;
    print.reserve(static_cast<std::size_t>(last - first + 1) * ZRVoicePrint::kFrameSize);
    for (int f = first; f <= last; ++f) {
        for (double value : rows[f]) {
            // Coefficients all strictly between -1 and 1 leave no scale: they count as 0.
            print.push_back(scale == 0 ? 0 : static_cast<std::int32_t>(kTopValue * value / scale));
        }
    }
    return print;
}

// Features of `frames` overlapping frames of x: one cepstral row per frame,
// trimmed to the frames that carry speech and scaled to integers.
std::vector<std::int32_t> featuresOf(const std::vector<double>& x, double gain, int frames)
{
    std::vector<Frame> rows(frames, Frame {});   // zero for the two noise frames
    std::vector<Frame> bands(frames, Frame {});  // likewise
    Spectrum spectrum;
    double P[kSpectrumBins];
    double noiseEnergy = 0;
    double offset = 0;

    for (int f = 0; f < frames; ++f) {
        transformFrame(x, gain, f, spectrum);
        if (f < kNoiseFrames) {
            noiseEnergy += noiseEnergyOf(spectrum);
            continue;
        }
        if (f == kNoiseFrames)
            offset = noiseOffset(noiseEnergy);
        powerSpectrum(spectrum, P);
        bandLevels(P, offset, bands[f]);
        cepstralRow(P, rows[f]);
    }

    const auto [first, last] = speechFrames(frameEnergies(bands));
    return scaledPrint(rows, first, last);
}

}  // namespace

std::vector<std::int32_t> Literal::voicePrintOf(std::span<const std::uint8_t> data)
{
    BuildFilters();
    const std::vector<double> x = samplesAfterLeadIn(data);
    const double gain = levelGain(x);
    const int frames = static_cast<int>(x.size() / kHop) - 1;
    return frames > 0 ? featuresOf(x, gain, frames) : std::vector<std::int32_t> {};
}
