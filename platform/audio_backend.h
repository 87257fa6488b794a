// An audio back end: what the platform forwards the game's sound calls to.
// Every operation is called from the game thread and returns at once.
#pragma once

#include "platform/platform.h"

namespace platform {

class AudioBackend {
 public:
  virtual ~AudioBackend() = default;
  virtual void PlaySound(const Sound* snd) = 0;
  virtual Channel AllocChannel() = 0;
  virtual void ChannelPan(Channel c, float pan) = 0;
  virtual void ChannelVolume(Channel c, float vol) = 0;
  virtual void ChannelPlay(Channel c, const Sound* snd) = 0;
  virtual int ChannelPlaying(Channel c) = 0;
  virtual void StopChannel(Channel c) = 0;
};

}  // namespace platform
