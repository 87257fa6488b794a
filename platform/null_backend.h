// "Null": accepts every sound and channel and plays nothing.
#pragma once

#include "platform/audio_backend.h"

namespace platform {

class NullBackend final : public AudioBackend {
 public:
  void PlaySound(const Sound*) override {}
  Channel AllocChannel() override { return 0; }
  void ChannelPan(Channel, float) override {}
  void ChannelVolume(Channel, float) override {}
  void ChannelPlay(Channel, const Sound*) override {}
  int ChannelPlaying(Channel) override { return 0; }
  void StopChannel(Channel) override {}
};

}  // namespace platform
