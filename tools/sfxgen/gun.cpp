// The player's gun: the shot, and the trigger on an empty chamber.
#include "voices.h"

namespace sfxgen {

namespace {

// One small part of the mechanism knocking: a snap of noise and the steel's
// own ringing, which dies within milliseconds.
Wave Click(Rng& rng, const double (&rings)[3], double tau) {
  Wave w = Tick(rng, 0.0004, 1500, 14000);
  double level = 0.5;
  for (double hz : rings) {
    Mix(w, Ping(hz * rng.Range(0.97, 1.03), tau), level);
    level *= 0.7;
    tau *= 0.75;
  }
  return w;
}

}  // namespace

Wave DryFire() {
  Rng rng(0xD2);
  const double length = 0.10;
  Wave out(Samples(length), 0.0);
  // The trigger's sear letting go, then the hammer falling on nothing.
  Mix(out, Click(rng, {3100, 5300, 7900}, 0.003), 0.55);
  Mix(out, Click(rng, {2600, 4400, 6900}, 0.005), 1.0, 0.036);
  Mix(out, Ping(900, 0.004), 0.25, 0.036);
  out.resize(Samples(length));
  Saturate(out, 2.0);
  return out;
}

Wave Shot() {
  Rng rng(0x5A);
  const double length = 0.8;
  Wave out(Samples(length), 0.0);

  // The crack: as sharp an edge as the rate allows, across the whole band.
  Wave crack = Filter(Noise(rng, 0.05), Pass::kHigh, 300, 0.7);
  Shape(crack, [](double t) { return Rise(t, 0.0002) * Decay(t, 0.004); });
  Mix(out, crack, 1.5);
  Wave blast = Filter(Noise(rng, 0.3), Pass::kLow, 4000, 0.7);
  Shape(blast, [](double t) { return Decay(t, 0.035); });
  Mix(out, blast, 1.0);
  Wave thump = Tone(0.4, [](double t) { return Glide(t, 0.06, 140, 70); });
  Shape(thump, [](double t) { return Rise(t, 0.001) * Decay(t, 0.05); });
  Mix(out, thump, 0.4);

  // The tail: the report rolling away, duller as it goes, with two echoes.
  Wave tail = Filter(Noise(rng, length), Pass::kLow,
                     [](double t) { return Glide(t, 0.6, 5000, 600); }, 0.7);
  Shape(tail, [](double t) { return Rise(t, 0.01) * Decay(t, 0.18); });
  Mix(out, tail, 0.35);
  const Wave echo = Filter(crack, Pass::kLow, 3000, 0.7);
  Mix(out, echo, 0.3, 0.09);
  Mix(out, echo, 0.15, 0.21);
  out.resize(Samples(length));
  Saturate(out, 3.0);
  return out;
}

}  // namespace sfxgen
