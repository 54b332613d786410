#include "DataModel/CepstralFrontEnd.h"

#include <cmath>
#include <utility>

double COS[kFFTLength];
double SIN[kFFTLength];
double HammingWindow[kFFTLength];
double filt_edge[kFilterCount + 2];
double left_apex[kFilterCount];
std::int32_t width[kFilterCount];
double filter_coeffs[kFilterCount][kFFTLength];

namespace {

// The filter bank treats one FFT bin as 31 Hz wide (the true spacing is
// 31.25 Hz); every frequency is placed on this grid and bin = frequency / 31.
constexpr double kGridHz = 31.0;

double roundToGrid(double hz)
{
    return kGridHz * static_cast<std::int32_t>(hz / kGridHz + 0.5);
}

int firstBinOf(int filter)
{
    return static_cast<std::int32_t>(left_apex[filter] / kGridHz + 0.5);
}

double logOrFloor(double x)
{
    return x > 0 ? std::log(x) : -100000.0;
}

void buildTriangle(int j)
{
    const double a = roundToGrid(filt_edge[j]);
    const double b = roundToGrid(filt_edge[j + 1]);
    const double c = roundToGrid(filt_edge[j + 2]);
    left_apex[j] = a;

    // A triangle of unit area over Hz, sampled every 31 Hz from its left edge
    // (weight 0) up to but not including its right edge.
    const double h = 2.0 / (c - a);
    double rising = 0.0;
    double falling = 0.0;
    if (a != b)
        rising = h / (b - a);
    if (b != c)
        falling = h / (b - c);

    double t = roundToGrid(a);
    int k = 0;
    for (; t < b; t += kGridHz)
        filter_coeffs[j][k++] = rising * (t - a);
    if (t == b) {
        filter_coeffs[j][k++] = h;
        t += kGridHz;
    }
    for (; t < c; t += kGridHz)
        filter_coeffs[j][k++] = falling * (t - c);
    width[j] = k;
}

// The input-independent terms of Cepstrum(in, out, 16), each computed with
// the very expression Cepstrum evaluates.
struct CepstrumTables {
    double cosine[kFilterCount][kFilterCount];  // [output][energy]
    double lifter[kFilterCount];

    CepstrumTables()
    {
        const double N = kFilterCount;
        for (int i = 0; i < kFilterCount; ++i) {
            for (int j = 1; j <= kFilterCount; ++j)
                cosine[i][j - 1] = std::cos(i * 0.19634954084936207 * (j - 0.5));
            lifter[i] = 1 + (N * std::sin(i * M_PI / N)) * 0.5;
        }
    }
};

void bitReverse(double* re, double* im, int n)
{
    int j = 0;
    for (int i = 0; i < n - 1; ++i) {
        if (i < j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
        int k = n / 2;
        while (k <= j) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
}

}  // namespace

double Hamming(int N, int n)
{
    return 0.54 + (-0.46) * std::cos(2 * M_PI * n / (N - 1));
}

double Mel(double f)
{
    return 2595.0 * std::log10(1 + f / 700.0);
}

double MelInv(double m)
{
    return (std::pow(10, m / 2595.0) - 1) * 700.0;
}

void BuildFilters()
{
    for (int i = 0; i < kFFTLength; ++i) {
        HammingWindow[i] = Hamming(kFFTLength, i);
        const double theta = i * 0.02454369260617026;  // 2π/256
        SIN[i] = -std::sin(theta);
        COS[i] = std::cos(theta);
    }

    const double melLow = Mel(200.0);
    const double melHigh = Mel(4000.0);
    const double step = (melHigh - melLow) / 17.0;
    for (int j = 0; j < kFilterCount + 2; ++j)
        filt_edge[j] = MelInv(melLow + j * step);

    for (int j = 0; j < kFilterCount; ++j)
        buildTriangle(j);
}

void FourierTransform(double* re, double* im, int n)
{
    if (n != kFFTLength)
        return;
    bitReverse(re, im, n);

    // Radix-2 decimation in time: eight butterfly stages.
    for (int stage = 1; stage <= 8; ++stage) {
        const int span = 1 << stage;
        const int half = span / 2;
        const int stride = n / span;
        for (int i = 0; i < half; ++i) {
            const int t = i * stride;
            for (int p = i; p < n; p += span) {
                const int q = p + half;
                double tr = re[q];
                double ti = im[q];
                if (i != 0) {
                    tr = re[q] * COS[t] - im[q] * SIN[t];
                    ti = re[q] * SIN[t] + COS[t] * im[q];
                }
                re[q] = re[p] - tr;
                im[q] = im[p] - ti;
                re[p] = re[p] + tr;
                im[p] = im[p] + ti;
            }
        }
    }
}

void GetMFCC(const double* P, double* out, int index)
{
    for (int i = 0; i < kFilterCount; ++i) {
        const int first = firstBinOf(i);
        double& energy = out[index + i];
        energy = 0;
        // Bins above 127 do not exist in the power spectrum; this drops the
        // last weight of the top filter.
        for (int j = 0; j < width[i]; ++j) {
            if (first + j <= kSpectrumBins - 1)
                energy += filter_coeffs[i][j] * P[first + j];
        }
    }
}

void Cepstrum(const double* in, double* out, int count)
{
    const double N = count;
    for (int i = 0; i < count; ++i) {
        // The DCT always spans the 16 filter energies; count only sets the
        // number of outputs and the lifter length.
        double sum = 0;
        for (int j = 1; j <= kFilterCount; ++j)
            sum += logOrFloor(in[j - 1]) * std::cos(i * 0.19634954084936207 * (j - 0.5));
        out[i] = sum * 0.3535533905932738;  // √(2/16)
        out[i] = out[i] * (1 + (N * std::sin(i * M_PI / N)) * 0.5);
    }
}

void CepstrumFromTables(const double* in, double* out, int first, int last)
{
    static const CepstrumTables tables;
    double logs[kFilterCount];
    for (int j = 0; j < kFilterCount; ++j)
        logs[j] = logOrFloor(in[j]);
    for (int i = first; i <= last; ++i) {
        double sum = 0;
        for (int j = 0; j < kFilterCount; ++j)
            sum += logs[j] * tables.cosine[i][j];
        out[i] = sum * 0.3535533905932738 * tables.lifter[i];
    }
}
