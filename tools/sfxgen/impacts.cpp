// Bodies hitting things: a zombie falling, a zombie striking.
#include "voices.h"

namespace sfxgen {

namespace {

// A low sine whose pitch sags as it dies: the weight in every impact.
Wave Thud(double from_hz, double to_hz, double glide, double tau) {
  Wave w = Tone(tau * 7, [=](double t) { return Glide(t, glide, from_hz, to_hz); });
  Shape(w, [tau](double t) { return Rise(t, 0.002) * Decay(t, tau); });
  return w;
}

Wave DullKnock(Rng& rng, double hz, double tau) {
  Wave w = Filter(Noise(rng, tau * 7), Pass::kLow, hz, 0.8);
  Shape(w, [tau](double t) { return Decay(t, tau); });
  return w;
}

}  // namespace

Wave BodyFall() {
  Rng rng(0xD7);
  const double length = 0.95;
  Wave out(Samples(length), 0.0);
  Mix(out, Tick(rng, 0.003, 100, 8000), 0.5);
  Mix(out, Thud(75, 38, 0.25, 0.14), 1.0);
  Mix(out, DullKnock(rng, 350, 0.06), 1.4);

  // The crumple: limbs and gear settling in smaller, quicker knocks.
  const double knocks[] = {0.11, 0.19, 0.27, 0.36, 0.47, 0.6};
  double level = 0.6;
  for (double at : knocks) {
    at += rng.Range(-0.015, 0.015);
    const double hz = rng.Range(600, 1500);
    const double tau = rng.Range(0.012, 0.03);
    Mix(out, DullKnock(rng, hz, tau), level, at);
    Mix(out, Tick(rng, 0.0008, 2000, 10000), level * 0.3, at);
    level *= 0.78;
  }
  // Cloth dragging along the ground.
  Wave cloth = Filter(Noise(rng, length), Pass::kBand, 1500, 1.0);
  Shape(cloth, [](double t) { return Swell(t, 0.05, 0.15, 0.75); });
  Mix(out, cloth, 0.12);
  out.resize(Samples(length));
  Saturate(out, 1.5);
  return out;
}

Wave Strike() {
  Rng rng(0x9C);
  const double length = 0.36;
  Wave out(Samples(length), 0.0);
  Mix(out, Tick(rng, 0.0015, 150, 12000), 0.8);
  Mix(out, Thud(120, 55, 0.08, 0.05), 1.0);

  // The slap of a hand on flesh: a flash of mid-band noise.
  Wave slap = Filter(Noise(rng, 0.12), Pass::kBand, 1300, 1.2);
  Shape(slap, [](double t) { return Rise(t, 0.0005) * Decay(t, 0.018); });
  Mix(out, slap, 1.6);

  // The squelch behind it, falling in pitch.
  Wave squelch = Filter(Noise(rng, length), Pass::kBand,
                        [](double t) { return Glide(t, 0.14, 1800, 350); }, 3.0);
  Shape(squelch, [](double t) { return Swell(t, 0.008, 0.03, 0.17); });
  Mix(out, squelch, 0.9);

  for (int g = 0; g < 5; ++g) {
    const double level = rng.Range(0.1, 0.3);
    const double at = rng.Range(0.004, 0.06);
    Mix(out, Tick(rng, 0.0006, 2500, 12000), level, at);
  }
  out.resize(Samples(length));
  Saturate(out, 2.0);
  return out;
}

}  // namespace sfxgen
