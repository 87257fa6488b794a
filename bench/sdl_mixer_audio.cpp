// SDL_mixer behind the game's channel calls, opened as it usually is:
// Mix_OpenAudio at 48 kHz, 16-bit stereo, with a 2048-frame chunk. The game's
// channels are SDL_mixer's reserved channels; plain plays take the few above.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "bench/peer_audio.h"
#include "bench/timing_log.h"
#include "platform/mixer.h"

namespace bench {
namespace {

constexpr int kChunkFrames = 2048;
constexpr int kPlainChannels = 64;

class SdlMixerAudio final : public PeerAudio {
 public:
  bool Open(std::string* why) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 ||
        Mix_OpenAudio(platform::kMixRate, MIX_DEFAULT_FORMAT, 2, kChunkFrames) != 0) {
      *why = Mix_GetError();
      return false;
    }
    opened_ = true;
    Mix_AllocateChannels(platform::kMaxChannels + kPlainChannels);
    Mix_ReserveChannels(platform::kMaxChannels);
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    Log().rate = rate;
    Log().held = kChunkFrames;
    // Called at the end of every mix, with the audio lock held: a play made
    // before it is in this block, since playing takes the same lock.
    Mix_SetPostMix([](void*, Uint8*, int) {
      const int64_t t = SteadyNanos();
      Log().Block(t, t);
    }, nullptr);
    free_.resize(platform::kMaxChannels);
    for (int i = 0; i < platform::kMaxChannels; ++i) free_[i] = platform::kMaxChannels - 1 - i;
    allocated_.assign(platform::kMaxChannels, false);
    return true;
  }

  ~SdlMixerAudio() override {
    if (!opened_) return;
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    for (auto& [snd, chunk] : chunks_) Mix_FreeChunk(chunk);
  }

  void Prepare(const platform::Sound* snd) override {
    // SDL_mixer plays chunks in the device's format: 16-bit stereo.
    std::vector<int16_t>& pcm = pcm_[snd];
    if (snd->channels == 2) {
      pcm = snd->samples;
    } else {
      pcm.reserve(2 * snd->samples.size());
      for (int16_t x : snd->samples) pcm.insert(pcm.end(), {x, x});
    }
    chunks_[snd] = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(pcm.data()), static_cast<Uint32>(pcm.size() * 2));
  }

  void PlaySound(const platform::Sound* snd) override {
    if (Mix_Chunk* chunk = Chunk(snd)) Mix_PlayChannel(-1, chunk, 0);
  }

  platform::Channel AllocChannel() override {
    if (free_.empty()) return platform::kNoChannel;
    const platform::Channel c = free_.back();
    free_.pop_back();
    allocated_[c] = true;
    Mix_Volume(c, MIX_MAX_VOLUME);
    Mix_SetPanning(c, 255, 255);
    return c;
  }

  void ChannelPan(platform::Channel c, float pan) override {
    if (!Owned(c)) return;
    const auto side = [](float g) { return static_cast<Uint8>(std::lround(255.0f * std::clamp(g, 0.0f, 1.0f))); };
    Mix_SetPanning(c, side(1.0f - pan), side(1.0f + pan));
  }

  void ChannelVolume(platform::Channel c, float vol) override {
    if (Owned(c)) Mix_Volume(c, static_cast<int>(std::lround(MIX_MAX_VOLUME * std::clamp(vol, 0.0f, 1.0f))));
  }

  void ChannelPlay(platform::Channel c, const platform::Sound* snd) override {
    if (!Owned(c)) return;
    if (Mix_Chunk* chunk = Chunk(snd)) Mix_PlayChannel(c, chunk, 0);
  }

  int ChannelPlaying(platform::Channel c) override { return Owned(c) && Mix_Playing(c) ? 1 : 0; }

  void StopChannel(platform::Channel c) override {
    if (!Owned(c)) return;
    Mix_HaltChannel(c);
    allocated_[c] = false;
    free_.insert(free_.begin(), c);
  }

 private:
  bool Owned(platform::Channel c) const { return c >= 0 && c < platform::kMaxChannels && allocated_[c]; }
  Mix_Chunk* Chunk(const platform::Sound* snd) const {
    const auto it = chunks_.find(snd);
    return it == chunks_.end() ? nullptr : it->second;
  }

  bool opened_ = false;
  std::map<const platform::Sound*, std::vector<int16_t>> pcm_;
  std::map<const platform::Sound*, Mix_Chunk*> chunks_;
  std::vector<platform::Channel> free_;
  std::vector<bool> allocated_;
};

}  // namespace

std::unique_ptr<PeerAudio> OpenSdlMixer(std::string* why) {
  auto a = std::make_unique<SdlMixerAudio>();
  if (!a->Open(why)) return nullptr;
  return a;
}

}  // namespace bench
