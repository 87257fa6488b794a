// The last step of every sound: clean ends and a level that matches the rest
// of the bank, so the game's own volumes decide what is loud.
#pragma once

#include <cstdint>
#include <vector>

#include "dsp.h"

namespace sfxgen {

// Highest synthesised peak: the codec overshoots a little and the decoded
// sound must stay clear of full scale.
inline constexpr double kPeakLimit = 0.85;

// RMS over the sound's active part: the 10 ms frames within 20 dB of its
// loudest frame, so a long quiet tail doesn't make a sound count as soft.
double ActiveRms(const Wave& w);

// Removes DC, fades both ends (a short fade-in, a 15 ms fade-out so nothing
// ends with a click), scales to level_db dBFS of active RMS, or lower where
// the peak would pass kPeakLimit, and rounds to 16 bits.
std::vector<int16_t> Finish(Wave w, double level_db);

}  // namespace sfxgen
