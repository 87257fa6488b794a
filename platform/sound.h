// A sound decoded whole into memory at load time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct Sound {
  int channels = 1;              // 1 (mono) or 2 (stereo)
  std::vector<int16_t> samples;  // interleaved, at the mixer's rate
  std::size_t Frames() const { return channels ? samples.size() / channels : 0; }
};

}  // namespace platform
