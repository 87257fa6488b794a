// Sounds of constant value and a mixer painted one block at a time, so that
// every output sample is the channel's gain times a known level.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/mixer.h"

namespace platform::test {

inline constexpr int16_t kHalf = 16384;  // 0.5 after scaling by 1/32768
inline constexpr float kLevel = 0.5f;

inline Sound ConstantMono(std::size_t frames, int16_t value = kHalf) {
  Sound s;
  s.channels = 1;
  s.samples.assign(frames, value);
  return s;
}

inline Sound ConstantStereo(std::size_t frames, int16_t left, int16_t right) {
  Sound s;
  s.channels = 2;
  for (std::size_t i = 0; i < frames; ++i) {
    s.samples.push_back(left);
    s.samples.push_back(right);
  }
  return s;
}

// One block of output, interleaved L R.
struct Block {
  std::vector<float> s;
  float L(std::size_t i) const { return s[2 * i]; }
  float R(std::size_t i) const { return s[2 * i + 1]; }
  bool Silent() const {
    for (float x : s) {
      if (x != 0.0f) return false;
    }
    return true;
  }
};

class MixerTest : public ::testing::Test {
 protected:
  Block Next(std::size_t frames = kBlockFrames) {
    // Garbage first: Mix must overwrite, not add to, what it is given.
    Block b{std::vector<float>(2 * frames, 123.0f)};
    mixer.Mix(b.s.data(), frames);
    return b;
  }

  Mixer mixer;
  Sound longSound = ConstantMono(100 * kBlockFrames);
};

}  // namespace platform::test
