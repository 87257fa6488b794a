// The boom that closes the game, the target's beacon, and a zombie's lunge.
#include "dmath.h"
#include "voices.h"

namespace sfxgen {

Wave Boom() {
  Rng rng(0xE4);
  const double length = 4.2;
  Wave out(Samples(length), 0.0);
  Mix(out, Tick(rng, 0.012, 40, 14000), 0.7);

  // The blast: noise whose brightness dies within half a second.
  Wave blast = Filter(Noise(rng, 1.5), Pass::kLow, [](double t) { return Glide(t, 0.6, 4000, 120); }, 0.7);
  Shape(blast, [](double t) { return Rise(t, 0.003) * Decay(t, 0.35); });
  Mix(out, blast, 1.2);
  // The pressure wave: a deep sine falling from 60 to 30 Hz.
  Wave body = Tone(length, [](double t) { return Glide(t, 1.5, 60, 30); });
  Shape(body, [](double t) { return Rise(t, 0.005) * Decay(t, 0.9); });
  Mix(out, body, 1.0);

  // The rumble: low noise that swells after the blast and rolls unevenly away.
  Wave rumble = Filter(Filter(Noise(rng, length), Pass::kLow, 140, 0.7), Pass::kLow, 220, 0.7);
  const double p1 = rng.Range(0, 2 * kPi);
  const double p2 = rng.Range(0, 2 * kPi);
  Shape(rumble, [=](double t) {
    const double roll = 1 + 0.35 * Sin(2 * kPi * 1.3 * t + p1) + 0.25 * Sin(2 * kPi * 2.9 * t + p2);
    return Rise(t, 0.15) * Decay(t - 0.15, 1.1) * roll;
  });
  Mix(out, rumble, 4.0);

  // Debris pattering down a while later.
  for (int d = 0; d < 9; ++d) {
    const double tau = rng.Range(0.002, 0.006);
    const double level = rng.Range(0.05, 0.15);
    const double at = rng.Range(0.3, 1.6);
    Mix(out, Filter(Tick(rng, tau, 200, 6000), Pass::kLow, 1500, 0.7), level, at);
  }
  out.resize(Samples(length));
  Saturate(out, 1.8);
  // The last second fades, so the tail dies away rather than stops.
  Shape(out, [=](double t) { return t < length - 1 ? 1 : Swell(t, -1, length - 1, length); });
  return out;
}

Wave Beacon() {
  Rng rng(0x1C);
  const double length = 0.62;
  Wave out(Samples(length), 0.0);
  Mix(out, Tick(rng, 0.0008, 3000, 16000), 0.5);

  // Two bell strokes a fourth apart, rising: frequency modulation at an
  // inharmonic ratio gives the bell its metal; the index dies faster than the
  // note, so each stroke starts bright and rings on purer.
  struct Stroke { double at, hz, tau; };
  const Stroke strokes[] = {{0.0, 1568, 0.11}, {0.13, 2093, 0.16}};
  for (const Stroke& s : strokes) {
    Wave w(Samples(length - s.at));
    for (std::size_t i = 0; i < w.size(); ++i) {
      const double t = Time(i);
      const double index = 2.5 * Decay(t, 0.06) + 0.6;
      const double mod = Sin(2 * kPi * 1.41 * s.hz * t);
      w[i] = (Sin(2 * kPi * s.hz * t + index * mod) + 0.3 * Sin(2 * kPi * 2 * s.hz * t)) *
             Rise(t, 0.002) * Decay(t, s.tau);
    }
    Mix(out, w, 1.0, s.at);
  }
  out.resize(Samples(length));
  return out;
}

Wave Whoosh() {
  Rng rng(0x3A);
  const double length = 0.55;
  Wave out(Samples(length), 0.0);
  Mix(out, Tick(rng, 0.003, 500, 12000), 0.25);

  // The sweep: fast up as the body comes through, slower down as it passes,
  // broad where a breath is narrow, over the low rush of a whole body moving.
  const Curve centre = [](double t) {
    return t < 0.2 ? Glide(t, 0.2, 250, 3500) : Glide(t - 0.2, 0.3, 3500, 400);
  };
  const Wave air = Noise(rng, length);
  Wave sweep = Filter(air, Pass::kBand, centre, 1.2);
  Mix(sweep, Filter(air, Pass::kLow, 300, 0.7), 0.5);
  Mix(sweep, Filter(air, Pass::kHigh, 3000, 0.7), 0.06);
  Shape(sweep, [](double t) { return Swell(t, 0.0, 0.2, 0.53); });
  Mix(out, sweep, 1.0);
  out.resize(Samples(length));
  return out;
}

}  // namespace sfxgen
