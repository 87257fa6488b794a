#include "dsp.h"

#include "dmath.h"

namespace sfxgen {

std::size_t Samples(double seconds) {
  return seconds <= 0 ? 0 : static_cast<std::size_t>(seconds * kRate + 0.5);
}

double Time(std::size_t index) { return static_cast<double>(index) / kRate; }

double Decay(double t, double tau) { return t < 0 ? 0 : Exp(-t / tau); }

double Rise(double t, double attack) {
  if (t <= 0) return 0;
  return t >= attack ? 1 : t / attack;
}

double Swell(double t, double start, double peak, double end) {
  if (t <= start || t >= end) return 0;
  const double s = t < peak ? Sin(kPi / 2 * (t - start) / (peak - start))
                            : Cos(kPi / 2 * (t - peak) / (end - peak));
  return s * s;
}

double Glide(double t, double length, double from, double to) {
  const double x = t <= 0 ? 0 : t >= length ? 1 : t / length;
  return from * Exp(x * Log(to / from));
}

Wave Noise(Rng& rng, double seconds) {
  Wave w(Samples(seconds));
  for (double& s : w) s = rng.Bipolar();
  return w;
}

Wave Tone(double seconds, const Curve& hz) {
  Wave w(Samples(seconds));
  double phase = 0;  // in turns, kept small so the sine stays exact
  for (std::size_t i = 0; i < w.size(); ++i) {
    w[i] = Sin(2 * kPi * phase);
    phase += hz(Time(i)) / kRate;
    phase -= static_cast<double>(static_cast<long>(phase));
  }
  return w;
}

Wave Ping(double hz, double tau) {
  Wave w = Tone(tau * 7, [hz](double) { return hz; });
  Shape(w, [tau](double t) { return Decay(t, tau); });
  return w;
}

Wave Filter(const Wave& in, Pass pass, const Curve& hz, double q) {
  Wave out(in.size());
  const double k = 1 / q;
  double ic1 = 0;
  double ic2 = 0;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const double wc = kPi * hz(Time(i)) / kRate;
    const double g = Sin(wc) / Cos(wc);
    const double a1 = 1 / (1 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = in[i] - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2 * v1 - ic1;
    ic2 = 2 * v2 - ic2;
    switch (pass) {
      case Pass::kLow: out[i] = v2; break;
      case Pass::kBand: out[i] = v1; break;
      case Pass::kHigh: out[i] = in[i] - k * v1 - v2; break;
    }
  }
  return out;
}

Wave Filter(const Wave& in, Pass pass, double hz, double q) {
  return Filter(in, pass, [hz](double) { return hz; }, q);
}

Wave Tick(Rng& rng, double tau, double lo_hz, double hi_hz) {
  Wave w = Noise(rng, tau * 7);
  w = Filter(Filter(w, Pass::kHigh, lo_hz, 0.7), Pass::kLow, hi_hz, 0.7);
  Shape(w, [tau](double t) { return Decay(t, tau); });
  return w;
}

void Shape(Wave& w, const Curve& envelope) {
  for (std::size_t i = 0; i < w.size(); ++i) w[i] *= envelope(Time(i));
}

void Mix(Wave& dst, const Wave& src, double gain, double at) {
  const std::size_t offset = Samples(at);
  if (dst.size() < offset + src.size()) dst.resize(offset + src.size(), 0.0);
  for (std::size_t i = 0; i < src.size(); ++i) dst[offset + i] += gain * src[i];
}

void Saturate(Wave& w, double drive) {
  double peak = 0;
  for (double s : w) peak = s > peak ? s : -s > peak ? -s : peak;
  if (peak == 0) return;
  for (double& s : w) s = Tanh(drive * s / peak);
}

}  // namespace sfxgen
