#include "bench/timing_platform.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/timing_log.h"

namespace bench {

TimingPlatform::TimingPlatform(std::unique_ptr<platform::Platform> inner, PeerOpener openPeer)
    : in_(std::move(inner)), openPeer_(std::move(openPeer)) {}

int TimingPlatform::KeyHits(int key) {
  if (key == platform::kKeyEscape) Log().passes.push_back(SteadyNanos());
  return in_->KeyHits(key);
}

platform::Timer* TimingPlatform::CreateTimer(int hz) {
  // The timer lays its grid from its creation, which is within this call.
  Log().timer = SteadyNanos();
  return in_->CreateTimer(hz);
}

void TimingPlatform::End(int status) {
  if (const char* path = std::getenv("EARSHOT_TIMING_FILE")) Log().Write(path, status);
  peer_.reset();
  in_->End(status);
  std::abort();  // End never returns; the compiler can't see that through the virtual call
}

void TimingPlatform::OpenDisplay(int w, int h, int bpp, int hz, int flags) {
  Log().marks.emplace_back("display_asked", SteadyNanos());
  in_->OpenDisplay(w, h, bpp, hz, flags);
  Log().marks.emplace_back("display_open", SteadyNanos());
}

void TimingPlatform::SetBackend(const char* name) {
  if (openPeer_) {
    std::string why;
    peer_ = openPeer_(&why);
    if (!peer_) std::fprintf(stderr, "earshot_timed: the peer's audio didn't open: %s\n", why.c_str());
  } else {
    in_->SetBackend(name);
  }
  Log().marks.emplace_back("audio_open", SteadyNanos());
}

const platform::Sound* TimingPlatform::LoadSound(const char* path, int flags) {
  const platform::Sound* snd = in_->LoadSound(path, flags);
  if (peer_ && snd) peer_->Prepare(snd);
  Log().marks.emplace_back("sound_loaded", SteadyNanos());
  return snd;
}

void TimingPlatform::PlaySound(const platform::Sound* snd) {
  Log().plays.push_back(SteadyNanos());
  if (peer_) return peer_->PlaySound(snd);
  in_->PlaySound(snd);
}

void TimingPlatform::ChannelPan(platform::Channel c, float pan) {
  if (peer_) return peer_->ChannelPan(c, pan);
  in_->ChannelPan(c, pan);
}

void TimingPlatform::ChannelVolume(platform::Channel c, float vol) {
  if (peer_) return peer_->ChannelVolume(c, vol);
  in_->ChannelVolume(c, vol);
}

void TimingPlatform::ChannelPlay(platform::Channel c, const platform::Sound* snd) {
  if (peer_) return peer_->ChannelPlay(c, snd);
  in_->ChannelPlay(c, snd);
}

int TimingPlatform::ChannelPlaying(platform::Channel c) {
  return peer_ ? peer_->ChannelPlaying(c) : in_->ChannelPlaying(c);
}

void TimingPlatform::StopChannel(platform::Channel c) {
  if (peer_) return peer_->StopChannel(c);
  in_->StopChannel(c);
}

}  // namespace bench
