#include "platform/sdl_audio.h"

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/mixer.h"
#include "platform/mixer_backend.h"

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

// SDL's default output device for the driver that SDL's audio subsystem was
// started with. It owns the subsystem while it lives, so that the next back
// end may start it afresh with another driver.
class SdlOutput final : public OutputDevice {
 public:
  // driver null: SDL's own choice, which honours SDL_AUDIODRIVER.
  static std::unique_ptr<SdlOutput> Start(const char* driver, std::string* why) {
    if (SDL_AudioInit(driver) != 0) {
      *why = SDL_GetError();
      return nullptr;
    }
    return std::unique_ptr<SdlOutput>(new SdlOutput);
  }

  ~SdlOutput() override {
    Close();
    SDL_AudioQuit();
  }

  bool Open(Mixer* mixer, std::string* why) override {
    SDL_AudioSpec want{}, have{};
    want.freq = kMixRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = kBlockFrames;
    want.callback = &Fill;
    want.userdata = mixer;
    // No changes allowed: SDL converts for the device, so the mixer always
    // paints 48 kHz stereo float. The default device, whichever it is now.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
      *why = SDL_GetError();
      return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

  // A device that was unplugged turns to stopped (SDL_AUDIODEVICEREMOVED);
  // a status read is an atomic load, cheap enough for every call.
  bool Lost() override { return device_ != 0 && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED; }

  void Close() override {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    device_ = 0;
  }

 private:
  SdlOutput() = default;

  static void Fill(void* mixer, Uint8* stream, int len) {
    static_cast<Mixer*>(mixer)->Mix(reinterpret_cast<float*>(stream),
                                    static_cast<std::size_t>(len) / (2 * sizeof(float)));
  }

  SDL_AudioDeviceID device_ = 0;
};

std::unique_ptr<AudioBackend> OpenSdl(const char* driver, std::string* why) {
  std::unique_ptr<SdlOutput> out = SdlOutput::Start(driver, why);
  if (!out) return nullptr;
  return MixerBackend::Open(std::move(out), why);
}

std::unique_ptr<AudioBackend> OpenNative(std::string* why) {
  *why = "no PipeWire or PulseAudio driver";
  for (const char* driver : NativeDrivers()) {
    if (auto b = OpenSdl(driver, why)) return b;
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
                [](std::string* why) { return OpenSdl(nullptr, why); }});
  registry.Add({"Mixer", [] { return true; },
                [](std::string* why) {
                  std::string standardWhy;
                  if (auto b = OpenSdl(nullptr, &standardWhy)) return b;
                  auto b = OpenNative(why);
                  if (!b) *why = standardWhy + "; " + *why;
                  return b;
                }});
}

}  // namespace platform
