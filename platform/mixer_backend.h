// The mixer behind an output device that pulls its frames, and what happens
// when the device goes away in the middle of a game (headphones unplugged):
// nothing mixes any more, so no sound would ever end, every positional sound
// would stay listed and the channels would run out. Instead the sounds that
// were playing end at once, the default output is opened afresh, and where
// none opens the game plays on in silence, as under "Null".
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/audio_backend.h"
#include "platform/mixer.h"

namespace platform {

// An audio output that calls Mixer::Mix on a thread of its own.
class OutputDevice {
 public:
  virtual ~OutputDevice() = default;
  // Starts pulling from mixer; false, with *why set, where nothing opens.
  virtual bool Open(Mixer* mixer, std::string* why) = 0;
  // The opened output has gone away: it pulls no more.
  virtual bool Lost() = 0;
  // Once it returns, Mix is not called any more. Closing twice is harmless.
  virtual void Close() = 0;
};

class MixerBackend final : public AudioBackend {
 public:
  // Null, with *why set, where the output doesn't open.
  static std::unique_ptr<MixerBackend> Open(std::unique_ptr<OutputDevice> out, std::string* why) {
    std::unique_ptr<MixerBackend> b(new MixerBackend(std::move(out)));
    if (!b->out_->Open(&b->mixer_, why)) return nullptr;
    return b;
  }

  // The output stops calling the mixer before the mixer goes.
  ~MixerBackend() override { out_->Close(); }

  void PlaySound(const Sound* snd) override {
    if (Live()) mixer_.PlayPlain(snd);
  }
  Channel AllocChannel() override {
    Live();
    return mixer_.Alloc();
  }
  void ChannelPan(Channel c, float pan) override { mixer_.SetPan(c, pan); }
  void ChannelVolume(Channel c, float vol) override { mixer_.SetVolume(c, vol); }
  void ChannelPlay(Channel c, const Sound* snd) override {
    if (Live()) mixer_.Start(c, snd);
  }
  int ChannelPlaying(Channel c) override {
    Live();
    return mixer_.Playing(c);
  }
  void StopChannel(Channel c) override { mixer_.Stop(c); }

 private:
  explicit MixerBackend(std::unique_ptr<OutputDevice> out) : out_(std::move(out)) {}

  // Asked on the calls that start sounds or learn of their end, so a lost
  // output is noticed within the tick it goes; false while silent.
  bool Live() {
    if (silent_) return false;
    if (!out_->Lost()) return true;
    out_->Close();
    // Nothing mixes now: what was playing has ended, and the upkeep drops it.
    mixer_.EndAll();
    std::string why;
    if (out_->Open(&mixer_, &why)) return true;
    silent_ = true;
    std::fprintf(stderr, "earshot: running without sound: the audio output went away: %s\n", why.c_str());
    return false;
  }

  Mixer mixer_;
  std::unique_ptr<OutputDevice> out_;
  bool silent_ = false;
};

}  // namespace platform
