#pragma once

#include <cstdint>

// The numerical building blocks of a voice print: a 256-point Hamming window,
// a 256-point complex FFT over precomputed twiddle tables, a bank of 16
// triangular mel filters between 200 Hz and 4000 Hz, and a liftered cepstrum
// of the filter outputs. Audio is mono, 8000 samples per second, cut into
// 256-sample frames.
//
// The tables are process-wide, zero until the first BuildFilters() call, and
// rewritten with the same values by every later call. Only the main thread
// touches them.

inline constexpr int kFFTLength = 256;
inline constexpr int kSpectrumBins = 128;
inline constexpr int kFilterCount = 16;

extern double COS[kFFTLength];
extern double SIN[kFFTLength];  // negated sine: the forward-transform twiddle
extern double HammingWindow[kFFTLength];
extern double filt_edge[kFilterCount + 2];  // filter edges in Hz, equally spaced in mel
extern double left_apex[kFilterCount];      // left edge of each filter on the 31 Hz grid
extern std::int32_t width[kFilterCount];    // number of weights each filter uses
extern double filter_coeffs[kFilterCount][kFFTLength];

double Hamming(int N, int n);
double Mel(double f);
double MelInv(double m);

// Fills every table above.
void BuildFilters();

// In-place unnormalised forward transform of 256 complex points in natural
// order. Any other length leaves the arrays untouched: the stage count and
// the twiddle tables are made for 256 points only.
void FourierTransform(double* re, double* im, int n);

// Writes the 16 filter-bank energies of a 128-bin power spectrum P to
// out[index] ... out[index + 15].
void GetMFCC(const double* P, double* out, int index);

// Log, DCT-II and sinusoidal lifter of 16 filter energies; writes count outputs.
void Cepstrum(const double* in, double* out, int count);

// Outputs first ... last of Cepstrum(in, out, 16), to the last bit, with
// what does not depend on the input done once: each filter energy's log is
// taken once per frame instead of once per output, and the cosine and lifter
// terms come from tables made on first use.
void CepstrumFromTables(const double* in, double* out, int first, int last);
