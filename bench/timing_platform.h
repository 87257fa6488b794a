// The SDL platform with timing around it: every call goes through to the
// platform that players run, and the timed ones are logged on the way. Given a
// peer, the game's sounds go to that library instead of our mixer. The log is
// written to EARSHOT_TIMING_FILE when the game ends.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "bench/peer_audio.h"
#include "platform/platform.h"

namespace bench {

class TimingPlatform final : public platform::Platform {
 public:
  using PeerOpener = std::function<std::unique_ptr<PeerAudio>(std::string* why)>;
  // openPeer null: the SDL platform's own back ends, as players have them.
  TimingPlatform(std::unique_ptr<platform::Platform> inner, PeerOpener openPeer);

  int ModeCount() override { return in_->ModeCount(); }
  platform::Mode GetMode(int i) override { return in_->GetMode(i); }
  void OpenDisplay(int w, int h, int bpp, int hz, int flags) override;
  void HideCursor() override { in_->HideCursor(); }
  void MoveCursor(int x, int y) override { in_->MoveCursor(x, y); }
  int KeyDown(int key) override { return in_->KeyDown(key); }
  // The loop asks for Escape at the head of every pass.
  int KeyHits(int key) override;
  int MouseHits(int button) override { return in_->MouseHits(button); }
  int MouseXSpeed() override { return in_->MouseXSpeed(); }
  platform::Timer* CreateTimer(int hz) override;
  int Millisecs() override { return in_->Millisecs(); }
  void Delay(int ms) override { in_->Delay(ms); }
  [[noreturn]] void End(int status) override;
  void SeedRnd(int seed) override { in_->SeedRnd(seed); }
  double Rnd() override { return in_->Rnd(); }
  bool BackendExists(const char* name) override { return in_->BackendExists(name); }
  void SetBackend(const char* name) override;
  const platform::Sound* LoadSound(const char* path, int flags) override;
  void PlaySound(const platform::Sound* snd) override;
  platform::Channel AllocChannel() override { return peer_ ? peer_->AllocChannel() : in_->AllocChannel(); }
  void ChannelPan(platform::Channel c, float pan) override;
  void ChannelVolume(platform::Channel c, float vol) override;
  void ChannelPlay(platform::Channel c, const platform::Sound* snd) override;
  int ChannelPlaying(platform::Channel c) override;
  void StopChannel(platform::Channel c) override;

 private:
  std::unique_ptr<platform::Platform> in_;
  PeerOpener openPeer_;
  std::unique_ptr<PeerAudio> peer_;
};

}  // namespace bench
