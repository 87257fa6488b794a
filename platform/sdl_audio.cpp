#include "platform/sdl_audio.h"

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/mixer.h"

namespace platform {
namespace {

bool IsNativeDriver(const char* driver) {
  return driver && (SDL_strcasecmp(driver, "pipewire") == 0 || SDL_strcasecmp(driver, "pulseaudio") == 0);
}

// The sound servers of a Linux desktop, unless SDL_AUDIODRIVER pins a driver:
// then that one alone, and only if it is one of them.
std::vector<const char*> NativeDrivers() {
  const char* pinned = SDL_getenv("SDL_AUDIODRIVER");
  if (pinned && *pinned) return IsNativeDriver(pinned) ? std::vector<const char*>{pinned} : std::vector<const char*>{};
  return {"pipewire", "pulseaudio"};
}

// The mixer playing through one SDL output device. It owns SDL's audio
// subsystem while it lives, so that the next back end may start it afresh
// with another driver.
class SdlMixerBackend final : public AudioBackend {
 public:
  // driver null: SDL's own choice, which honours SDL_AUDIODRIVER.
  static std::unique_ptr<AudioBackend> Open(const char* driver, std::string* why) {
    if (SDL_AudioInit(driver) != 0) {
      *why = SDL_GetError();
      return nullptr;
    }
    std::unique_ptr<SdlMixerBackend> b(new SdlMixerBackend);
    SDL_AudioSpec want{}, have{};
    want.freq = kMixRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = kBlockFrames;
    want.callback = &Fill;
    want.userdata = &b->mixer_;
    // No changes allowed: SDL converts for the device, so the mixer always
    // paints 48 kHz stereo float.
    b->device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (b->device_ == 0) {
      *why = SDL_GetError();
      return nullptr;
    }
    SDL_PauseAudioDevice(b->device_, 0);
    return b;
  }

  ~SdlMixerBackend() override {
    // Closing the device stops the callback before the mixer goes.
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    SDL_AudioQuit();
  }

  void PlaySound(const Sound* snd) override { mixer_.PlayPlain(snd); }
  Channel AllocChannel() override { return mixer_.Alloc(); }
  void ChannelPan(Channel c, float pan) override { mixer_.SetPan(c, pan); }
  void ChannelVolume(Channel c, float vol) override { mixer_.SetVolume(c, vol); }
  void ChannelPlay(Channel c, const Sound* snd) override { mixer_.Start(c, snd); }
  int ChannelPlaying(Channel c) override { return mixer_.Playing(c); }
  void StopChannel(Channel c) override { mixer_.Stop(c); }

 private:
  SdlMixerBackend() = default;

  static void Fill(void* mixer, Uint8* stream, int len) {
    static_cast<Mixer*>(mixer)->Mix(reinterpret_cast<float*>(stream),
                                    static_cast<std::size_t>(len) / (2 * sizeof(float)));
  }

  Mixer mixer_;
  SDL_AudioDeviceID device_ = 0;
};

std::unique_ptr<AudioBackend> OpenNative(std::string* why) {
  *why = "no PipeWire or PulseAudio driver";
  for (const char* driver : NativeDrivers()) {
    if (auto b = SdlMixerBackend::Open(driver, why)) return b;
  }
  return nullptr;
}

}  // namespace

void RegisterSdlBackends(BackendRegistry& registry) {
  // A probe starts and quits SDL's audio, which would close a device that is
  // playing; while one plays, the answer of the last probe stands.
  auto nativeFound = std::make_shared<bool>(false);
  registry.Add({"Mixer Native",
                [nativeFound] {
                  if (SDL_GetCurrentAudioDriver()) return *nativeFound;
                  *nativeFound = false;
                  for (const char* driver : NativeDrivers()) {
                    if (SDL_AudioInit(driver) == 0) {
                      SDL_AudioQuit();
                      *nativeFound = true;
                      break;
                    }
                  }
                  return *nativeFound;
                },
                OpenNative});
  registry.Add({"Mixer System", [] { return true; },
                [](std::string* why) { return SdlMixerBackend::Open(nullptr, why); }});
  registry.Add({"Mixer", [] { return true; },
                [](std::string* why) {
                  std::string standardWhy;
                  if (auto b = SdlMixerBackend::Open(nullptr, &standardWhy)) return b;
                  auto b = OpenNative(why);
                  if (!b) *why = standardWhy + "; " + *why;
                  return b;
                }});
}

}  // namespace platform
