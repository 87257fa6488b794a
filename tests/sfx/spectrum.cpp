#include "spectrum.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace sfx_test {

namespace {

constexpr std::size_t kFrame = 4096;
constexpr double kLowHz = 60;
constexpr double kHighHz = 18000;
constexpr double kFloorDb = -60;

void Fft(std::vector<std::complex<double>>& x) {
  const std::size_t n = x.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(x[i], x[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> step = std::polar(1.0, -2 * std::numbers::pi / len);
    for (std::size_t start = 0; start < n; start += len) {
      std::complex<double> w = 1;
      for (std::size_t k = 0; k < len / 2; ++k) {
        const std::complex<double> even = x[start + k];
        const std::complex<double> odd = x[start + k + len / 2] * w;
        x[start + k] = even + odd;
        x[start + k + len / 2] = even - odd;
        w *= step;
      }
    }
  }
}

}  // namespace

Envelope SpectralEnvelope(const std::vector<int16_t>& samples, int rate) {
  std::vector<double> power(kFrame / 2, 0.0);
  // Half-overlapping frames; the last one padded with silence, so even a
  // click shorter than a frame is measured.
  for (std::size_t start = 0; start < samples.size(); start += kFrame / 2) {
    std::vector<std::complex<double>> x(kFrame);
    for (std::size_t i = 0; i < kFrame && start + i < samples.size(); ++i) {
      const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / kFrame);
      x[i] = hann * samples[start + i] / 32768.0;
    }
    Fft(x);
    for (std::size_t k = 0; k < kFrame / 2; ++k) power[k] += std::norm(x[k]);
  }
  Envelope bands{};
  for (std::size_t k = 1; k < kFrame / 2; ++k) {
    const double hz = static_cast<double>(k) * rate / kFrame;
    if (hz < kLowHz || hz >= kHighHz) continue;
    const int band = static_cast<int>(kBands * std::log(hz / kLowHz) / std::log(kHighHz / kLowHz));
    bands[band] += power[k];
  }
  double total = 0;
  for (double e : bands) total += e;
  for (double& e : bands) e = std::max(kFloorDb, 10 * std::log10(e / total));
  return bands;
}

double Distance(const Envelope& a, const Envelope& b) {
  double sum = 0;
  for (int i = 0; i < kBands; ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
  return std::sqrt(sum / kBands);
}

double ActiveLevelDb(const std::vector<int16_t>& samples, int rate) {
  const std::size_t frame = static_cast<std::size_t>(rate / 100);
  std::vector<double> energies;
  for (std::size_t start = 0; start < samples.size(); start += frame) {
    const std::size_t end = std::min(start + frame, samples.size());
    double sum = 0;
    for (std::size_t i = start; i < end; ++i) {
      const double s = samples[i] / 32768.0;
      sum += s * s;
    }
    energies.push_back(sum / static_cast<double>(end - start));
  }
  const double loudest = *std::max_element(energies.begin(), energies.end());
  double sum = 0;
  int count = 0;
  for (double e : energies) {
    if (e >= loudest / 100) {
      sum += e;
      ++count;
    }
  }
  return 10 * std::log10(sum / count);
}

}  // namespace sfx_test
