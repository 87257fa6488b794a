// The building blocks of every sound: noise, tones, filters and envelopes,
// all at the game's mixing rate and all in seconds and hertz.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "rng.h"

namespace sfxgen {

inline constexpr int kRate = 48000;

using Wave = std::vector<double>;
using Curve = std::function<double(double)>;  // a value as a function of time

std::size_t Samples(double seconds);
double Time(std::size_t index);

// Envelope shapes; t in seconds from the start of the sound.
double Decay(double t, double tau);      // 1 falling by 1/e every tau; 0 before t = 0
double Rise(double t, double attack);    // linear 0 to 1 over attack, then 1
double Swell(double t, double start, double peak, double end);  // sin² up, cos² down
double Glide(double t, double length, double from, double to);  // exponential, then holds

Wave Noise(Rng& rng, double seconds);
Wave Tone(double seconds, const Curve& hz);  // a sine whose pitch follows hz
// A sine that starts at full level and decays by 1/e every tau.
Wave Ping(double hz, double tau);

enum class Pass { kLow, kBand, kHigh };
// A state-variable filter whose corner may move on every sample.
Wave Filter(const Wave& in, Pass pass, const Curve& hz, double q);
Wave Filter(const Wave& in, Pass pass, double hz, double q);

// A burst of noise between lo_hz and hi_hz that starts at once and decays
// by 1/e every tau: the broadband edge that lets an ear place a sound.
Wave Tick(Rng& rng, double tau, double lo_hz, double hi_hz);

void Shape(Wave& w, const Curve& envelope);
// Adds src × gain into dst from at seconds on, growing dst where needed.
void Mix(Wave& dst, const Wave& src, double gain, double at = 0);
// Soft clipping of the wave scaled to a peak of drive: thickens, tames peaks.
void Saturate(Wave& w, double drive);

}  // namespace sfxgen
