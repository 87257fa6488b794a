// A zombie's breath: air through a wet, rattling throat. Aspiration noise and
// a creaky voice run through two formants that glide during each gust, the
// throat's rattle chops the air, and spit crackles on top.
#include <vector>

#include "dmath.h"
#include "voices.h"

namespace sfxgen {

namespace {

struct Gust {  // one inhale or exhale
  double start, peak, end;
  double from_hz, to_hz;  // the first formant glides between these
  double voice;           // share of creaky voice beside the noise of the air
};

struct BreathRecipe {
  uint64_t seed;
  double length;
  std::vector<Gust> gusts;
  double q;              // formant narrowness
  double rattle_hz;      // the throat's rattle
  double rattle_depth;   // 0 smooth air, 1 fully chopped
  double voice_hz;       // pitch of the creak
  double crackles_per_s;
};

const BreathRecipe kRecipes[] = {
    // Slow and low: a long drawn rattle in, a groaning rattle out.
    {0xB1, 2.25,
     {{0.00, 0.70, 0.98, 550, 850, 0.15}, {1.10, 1.28, 2.2, 800, 420, 0.55}},
     4.0, 27, 0.75, 62, 10},
    // Quick and wet: a short sucking gasp and a bubbling exhale, higher.
    {0xB2, 1.55,
     {{0.00, 0.30, 0.48, 1300, 1800, 0.1}, {0.56, 0.64, 1.5, 1650, 1050, 0.3}},
     3.0, 52, 0.85, 96, 45},
    // A double catch of breath and a long hiss out, the highest of the three.
    {0xB3, 1.95,
     {{0.00, 0.12, 0.28, 2300, 2900, 0.05},
      {0.33, 0.46, 0.62, 2500, 3100, 0.05},
      {0.78, 0.88, 1.9, 3000, 2000, 0.12}},
     2.5, 36, 0.5, 120, 20},
};

}  // namespace

Wave Breath(int variant) {
  const BreathRecipe& r = kRecipes[variant];
  Rng rng(r.seed);
  const std::size_t n = Samples(r.length);

  // The source: air noise and a jittered train of glottal clicks, both chopped
  // by the rattle, which wanders in rate like a real throat.
  Wave air = Noise(rng, r.length);
  Wave voice(n, 0.0);
  double rattle_phase = 0;
  double voice_phase = 0;
  double wander = 0;
  for (std::size_t i = 0; i < n; ++i) {
    wander += 0.002 * (rng.Bipolar() - wander);
    rattle_phase += r.rattle_hz * (1 + 4 * wander) / kRate;
    voice_phase += r.voice_hz * (1 + 3 * wander) / kRate;
    if (voice_phase >= 1) {
      voice_phase -= 1;
      voice[i] = 6 * rng.Range(0.6, 1.0);
    }
    const double s = Sin(2 * kPi * rattle_phase);
    const double chop = s > 0 ? s * s * s : 0;
    const double gate = 1 - r.rattle_depth + r.rattle_depth * 2 * chop;
    air[i] *= gate;
    voice[i] *= gate;
  }

  Wave out(n, 0.0);
  for (const Gust& g : r.gusts) {
    Wave source(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) source[i] = (1 - g.voice) * air[i] + g.voice * voice[i];
    const Curve formant = [&g](double t) {
      return Glide(t - g.start, g.end - g.start, g.from_hz, g.to_hz);
    };
    Wave shaped = Filter(source, Pass::kBand, formant, r.q);
    Mix(shaped, Filter(source, Pass::kBand, [&](double t) { return 2.4 * formant(t); }, r.q), 0.5);
    Mix(shaped, Filter(air, Pass::kHigh, 4000, 0.7), 0.08);
    Shape(shaped, [&g](double t) { return Swell(t, g.start, g.peak, g.end); });
    Mix(out, shaped, 1.0);
  }

  // Spit: short clicks where the air flows, the first on the very onset so
  // the breath can be placed from its start.
  Wave wet(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    double flow = 0;
    for (const Gust& g : r.gusts) flow += Swell(Time(i), g.start, g.peak, g.end);
    if (rng.Unit() < r.crackles_per_s / kRate * 1.5 * flow) {
      const double tau = rng.Range(0.0003, 0.0012);
      const double level = rng.Range(0.1, 0.35);
      Mix(wet, Tick(rng, tau, 1500, 9000), level, Time(i));
    }
  }
  Mix(wet, Tick(rng, 0.002, 300, 12000), 0.4, r.gusts.front().start + 0.01);
  wet.resize(n);
  Mix(out, wet, 1.0);
  // Clipping the spit and the creak's peaks keeps the breath as loud as the
  // rest of the bank without raising its peak.
  Saturate(out, 2.5);
  return out;
}

}  // namespace sfxgen
