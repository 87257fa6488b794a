#include "finish.h"

#include <algorithm>
#include <cmath>

#include "dmath.h"

namespace sfxgen {

namespace {

constexpr double kFrameSeconds = 0.010;
constexpr double kActiveRangeDb = 20;
constexpr double kFadeInSeconds = 0.0003;
constexpr double kFadeOutSeconds = 0.015;

void RemoveDc(Wave& w) {
  const double pole = 1 - 2 * kPi * 15.0 / kRate;
  double last_in = 0;
  double last_out = 0;
  for (double& s : w) {
    const double out = s - last_in + pole * last_out;
    last_in = s;
    last_out = out;
    s = out;
  }
}

void FadeEnds(Wave& w) {
  const std::size_t in = std::min(Samples(kFadeInSeconds), w.size());
  for (std::size_t i = 0; i < in; ++i) w[i] *= static_cast<double>(i) / in;
  const std::size_t out = std::min(Samples(kFadeOutSeconds), w.size());
  for (std::size_t i = 0; i < out; ++i) {
    const double c = Cos(kPi / 2 * static_cast<double>(i + 1) / out);
    w[w.size() - out + i] *= c * c;
  }
}

}  // namespace

double ActiveRms(const Wave& w) {
  const std::size_t frame = Samples(kFrameSeconds);
  std::vector<double> energies;
  for (std::size_t start = 0; start < w.size(); start += frame) {
    const std::size_t end = std::min(start + frame, w.size());
    double sum = 0;
    for (std::size_t i = start; i < end; ++i) sum += w[i] * w[i];
    energies.push_back(sum / static_cast<double>(end - start));
  }
  const double loudest = *std::max_element(energies.begin(), energies.end());
  const double floor = loudest * Exp(-kActiveRangeDb / 10 * Log(10.0));
  double sum = 0;
  int count = 0;
  for (double e : energies) {
    if (e >= floor) {
      sum += e;
      ++count;
    }
  }
  return std::sqrt(sum / count);
}

std::vector<int16_t> Finish(Wave w, double level_db) {
  RemoveDc(w);
  FadeEnds(w);
  double peak = 0;
  for (double s : w) peak = std::max(peak, std::fabs(s));
  const double target = Exp(level_db / 20 * Log(10.0));
  const double gain = std::min(target / ActiveRms(w), kPeakLimit / peak);
  std::vector<int16_t> out(w.size());
  for (std::size_t i = 0; i < w.size(); ++i) {
    out[i] = static_cast<int16_t>(std::lround(w[i] * gain * 32767));
  }
  return out;
}

}  // namespace sfxgen
