// A platform with no display and no device, for timing passes of the real
// game: a clock that moves only when told, no input, the real mixer's channels
// (mixed only when told) and the real loader.
#pragma once

#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/mixer.h"
#include "platform/platform.h"
#include "platform/random.h"

namespace bench {

// Thrown where the real platform would end the process.
struct Ended : std::runtime_error {
  Ended() : std::runtime_error("the game ended") {}
};

class HeadlessPlatform final : public platform::Platform {
 public:
  explicit HeadlessPlatform(const char* sfxDir) : sfxDir_(sfxDir) {}

  // A tick of game time: the clock moves on 20 ms and the mixer paints them,
  // so sounds end as they would.
  void Advance();

  int ModeCount() override { return 0; }
  platform::Mode GetMode(int) override { return {}; }
  void OpenDisplay(int, int, int, int, int) override {}
  void HideCursor() override {}
  void MoveCursor(int, int) override {}
  int KeyDown(int) override { return 0; }
  int KeyHits(int) override { return 0; }
  int MouseHits(int) override { return 0; }
  int MouseXSpeed() override { return 0; }
  platform::Timer* CreateTimer(int) override { return &timer_; }
  int Millisecs() override { return now_; }
  void Delay(int) override { throw Ended(); }
  [[noreturn]] void End(int) override { throw Ended(); }
  void SeedRnd(int seed) override { random_.Seed(seed); }
  double Rnd() override { return random_.Next(); }
  bool BackendExists(const char*) override { return true; }
  void SetBackend(const char*) override {}
  // Paths are the game's own, sfx/...; read from the build's sound bank.
  const platform::Sound* LoadSound(const char* path, int flags) override;
  void PlaySound(const platform::Sound* snd) override { mixer_->PlayPlain(snd); }
  platform::Channel AllocChannel() override { return mixer_->Alloc(); }
  void ChannelPan(platform::Channel c, float pan) override { mixer_->SetPan(c, pan); }
  void ChannelVolume(platform::Channel c, float vol) override { mixer_->SetVolume(c, vol); }
  void ChannelPlay(platform::Channel c, const platform::Sound* snd) override { mixer_->Start(c, snd); }
  int ChannelPlaying(platform::Channel c) override { return mixer_->Playing(c); }
  void StopChannel(platform::Channel c) override { mixer_->Stop(c); }

 private:
  struct NoWait final : platform::Timer {
    void Wait() override {}
  };
  const char* sfxDir_;
  int now_ = 1000;
  NoWait timer_;
  platform::Random random_;
  std::unique_ptr<platform::Mixer> mixer_ = std::make_unique<platform::Mixer>();
  std::vector<std::unique_ptr<platform::Sound>> sounds_;
  std::vector<float> block_ = std::vector<float>(2 * platform::kMixRate / 50);
};

}  // namespace bench
