// Measures of a decoded sound that the bank's tests compare: how loud its
// active part is and how its energy spreads over the spectrum.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace sfx_test {

inline constexpr int kBands = 24;
using Envelope = std::array<double, kBands>;  // dB share of energy per band

// Energy in 24 log-spaced bands from 60 Hz to 18 kHz, averaged over Hann
// windowed frames, each band as its share of the total in dB (floored at
// -60 dB so empty bands don't dominate).
Envelope SpectralEnvelope(const std::vector<int16_t>& samples, int rate);

// RMS difference between two envelopes, in dB.
double Distance(const Envelope& a, const Envelope& b);

// RMS in dBFS over the 10 ms frames within 20 dB of the loudest one.
double ActiveLevelDb(const std::vector<int16_t>& samples, int rate);

}  // namespace sfx_test
