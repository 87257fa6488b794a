// Linked with --wrap=SDL_OpenAudioDevice: the shipped back end opens its
// device through here, and its callback is timed without a change to it.
#include <SDL.h>

#include "bench/timing_log.h"

extern "C" SDL_AudioDeviceID __real_SDL_OpenAudioDevice(const char* device, int iscapture, const SDL_AudioSpec* desired,
                                                         SDL_AudioSpec* obtained, int allowed_changes);

namespace {

SDL_AudioCallback gCallback = nullptr;
void* gUserdata = nullptr;

void TimedCallback(void*, Uint8* stream, int len) {
  const int64_t entry = bench::SteadyNanos();
  gCallback(gUserdata, stream, len);
  bench::Log().Block(entry, bench::SteadyNanos());
}

}  // namespace

extern "C" SDL_AudioDeviceID __wrap_SDL_OpenAudioDevice(const char* device, int iscapture, const SDL_AudioSpec* desired,
                                                         SDL_AudioSpec* obtained, int allowed_changes) {
  SDL_AudioSpec want = *desired;
  gCallback = desired->callback;
  gUserdata = desired->userdata;
  want.callback = &TimedCallback;
  want.userdata = nullptr;
  const SDL_AudioDeviceID id = __real_SDL_OpenAudioDevice(device, iscapture, &want, obtained, allowed_changes);
  if (id != 0 && obtained) {
    // SDL plays one buffer while the callback fills the next.
    bench::Log().held = obtained->samples;
    bench::Log().rate = obtained->freq;
  }
  return id;
}
