// One footstep on hard, gritty ground: the heel's thump, the toe's smaller
// one, and grit crunching and scuffing under the sole. Every variant is the
// same walker; only the small chances of each step differ.
#include "voices.h"

namespace sfxgen {

namespace {

Wave Thump(Rng& rng, double hz, double tau) {
  Wave body = Tone(tau * 7, [hz](double t) { return Glide(t, 0.04, hz, hz * 0.65); });
  Shape(body, [tau](double t) { return Decay(t, tau); });
  Wave knock = Filter(Noise(rng, tau * 5), Pass::kLow, 420, 0.8);
  Shape(knock, [tau](double t) { return Decay(t, tau * 0.6); });
  Mix(body, knock, 1.6);
  // The hard ground answers with a clack, not only a thud.
  const double clack_hz = rng.Range(1600, 2000);
  Wave clack = Filter(Noise(rng, 0.03), Pass::kBand, clack_hz, 1.5);
  Shape(clack, [](double t) { return Decay(t, 0.004); });
  Mix(body, clack, 2.5);
  return body;
}

}  // namespace

Wave Footstep(int variant) {
  Rng rng(0x5700 + static_cast<uint64_t>(variant));
  const double length = rng.Range(0.22, 0.30);
  Wave out(Samples(length), 0.0);

  // Heel, then toe a little later and softer.
  const double toe_at = rng.Range(0.045, 0.075);
  const double heel_hz = rng.Range(95, 120);
  const double heel_tau = rng.Range(0.018, 0.026);
  Mix(out, Thump(rng, heel_hz, heel_tau), 0.8);
  const double toe_hz = rng.Range(130, 160);
  const double toe_level = rng.Range(0.35, 0.55);
  Mix(out, Thump(rng, toe_hz, 0.014), toe_level, toe_at);
  Mix(out, Tick(rng, 0.0008, 200, 14000), 0.6);
  Mix(out, Tick(rng, 0.0006, 400, 14000), 0.3, toe_at);

  // Grit: tiny crunches, thick at heel and toe, thinning as the foot settles.
  const int grains = static_cast<int>(rng.Range(10, 17));
  for (int g = 0; g < grains; ++g) {
    const double spread = rng.Range(0, 1);
    const double at = (g % 2 ? toe_at : 0.0) + spread * rng.Range(0, 0.11);
    const double tau = rng.Range(0.0003, 0.0015);
    const double level = rng.Range(0.15, 0.6) * Decay(at, 0.09);
    Mix(out, Tick(rng, tau, 2500, 12000), level, at);
  }

  // The sole scuffing on the grit.
  Wave scuff = Filter(Noise(rng, length), Pass::kHigh, 1800, 0.7);
  const double scuff_end = rng.Range(0.14, 0.2);
  Shape(scuff, [=](double t) { return Swell(t, 0.005, 0.03, scuff_end); });
  const double scuff_level = rng.Range(0.04, 0.07);
  Mix(out, scuff, scuff_level);
  out.resize(Samples(length));
  return out;
}

}  // namespace sfxgen
