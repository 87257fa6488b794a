// The stereo mixer: channels in a flat array, painted into a float buffer that
// the caller owns.
//
// Two threads meet here and neither ever waits on the other: the game thread
// allocates, places, starts and stops channels; the audio thread calls Mix.
// They share only atomics, no lock.
#pragma once

#include <cstddef>

#include "platform/platform.h"

namespace platform {

inline constexpr int kMixRate = 48000;     // frames per second
inline constexpr int kBlockFrames = 256;   // frames per mixing block
inline constexpr int kMaxChannels = 4095;  // allocated at once

class Mixer {
 public:
  Mixer();
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // Game thread. The semantics are those of the channel operations of
  // Platform; a new pan is taken up from the next block, and a change of
  // volume is ramped linearly across the next block.
  Channel Alloc();  // kNoChannel when all kMaxChannels are taken
  void SetPan(Channel c, float pan);
  void SetVolume(Channel c, float vol);
  void Start(Channel c, const Sound* snd);
  int Playing(Channel c);
  void Stop(Channel c);
  void PlayPlain(const Sound* snd);  // on a channel the mixer takes and frees itself
  // Only while no thread mixes (the output went away): every sound ends where
  // it stands, as if its last sample had been mixed. Channels stay allocated.
  void EndAll();

  // Audio thread: overwrites out with frames stereo frames, interleaved L R.
  void Mix(float* out, std::size_t frames);

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace platform
