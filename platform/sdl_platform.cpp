// The platform that players run. Every service lives in a file of its own;
// this one starts them in order, routes SDL's events to them and ends the
// process with the sound stopped and the desktop's mode back.
#define SDL_MAIN_HANDLED
#include "platform/sdl_platform.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>

#include "platform/backend_registry.h"
#include "platform/end_signals.h"
#include "platform/game_clock.h"
#include "platform/mixer.h"
#include "platform/random.h"
#include "platform/sdl_audio.h"
#include "platform/sdl_display.h"
#include "platform/sdl_input.h"
#include "platform/sdl_timer.h"
#include "platform/sound_loader.h"
#include "platform/working_dir.h"

namespace platform {
namespace {

class SdlPlatform final : public Platform {
 public:
  SdlPlatform() { RegisterSdlBackends(registry_); }

  void StartDisplay() {
    std::string why;
    if (!display_.Start(&why)) NoDisplay(why);
    modes_ = display_.Modes();
  }

  int ModeCount() override { return static_cast<int>(modes_.size()); }
  Mode GetMode(int i) override {
    return i >= 0 && i < ModeCount() ? modes_[static_cast<std::size_t>(i)] : Mode{};
  }
  void OpenDisplay(int w, int h, int bpp, int hz, int /*flags*/) override {
    std::string why;
    if (!display_.Open(w, h, bpp, hz, &why)) NoDisplay(why);
    MoveCursor(w / 2, h / 2);
  }
  void HideCursor() override { display_.HideCursor(); }
  void MoveCursor(int x, int y) override {
    // Motion already queued belongs to before the jump; taken up after it, it
    // would count the way back from the centre as a turn.
    Pump();
    display_.Warp(x, y);
    input_.Recentre(x);
  }

  int KeyDown(int key) override {
    Pump();
    return input_.KeyDown(key);
  }
  int KeyHits(int key) override {
    Pump();
    return input_.KeyHits(key);
  }
  int MouseHits(int button) override {
    Pump();
    return input_.MouseHits(button);
  }
  int MouseXSpeed() override {
    Pump();
    return input_.MouseXSpeed();
  }

  Timer* CreateTimer(int hz) override {
    timers_.push_back(std::make_unique<TickTimer>(hz, SteadyNow, [this](TickTimer::Nanos left) { Idle(left); }));
    return timers_.back().get();
  }
  int Millisecs() override { return clock_.Millisecs(); }
  void Delay(int ms) override {
    // In slices, so Ctrl+C ends even the seven-second pause at once.
    const Uint64 end = SDL_GetTicks64() + static_cast<Uint64>(ms > 0 ? ms : 0);
    for (Uint64 now = SDL_GetTicks64(); now < end; now = SDL_GetTicks64()) {
      CheckSignals();
      SDL_Delay(static_cast<Uint32>(end - now < 10 ? end - now : 10));
    }
    CheckSignals();
  }
  [[noreturn]] void End(int status) override {
    MarkEnding();
    // The audio thread reads the mixer and the sounds: it stops before
    // anything else goes.
    registry_.MakeCurrent("Null");
    display_.Close();
    SDL_Quit();
    std::fflush(stdout);
    std::fflush(stderr);
    // Without static destructors: nothing may run into what was shut down.
    std::_Exit(status);
  }

  void SeedRnd(int seed) override { random_.Seed(seed); }
  double Rnd() override { return random_.Next(); }

  bool BackendExists(const char* name) override { return registry_.Exists(name); }
  void SetBackend(const char* name) override { registry_.MakeCurrent(name); }
  const Sound* LoadSound(const char* path, int /*flags*/) override {
    // The window is up while the bank loads: Ctrl+C must not wait for it.
    CheckSignals();
    std::string why;
    std::unique_ptr<Sound> snd = LoadOgg(path, kMixRate, &why);
    if (!snd) {
      std::fprintf(stderr, "earshot: cannot load %s: %s\n", path, why.c_str());
      return nullptr;
    }
    sounds_.push_back(std::move(snd));
    return sounds_.back().get();
  }
  void PlaySound(const Sound* snd) override { registry_.Current().PlaySound(snd); }

  Channel AllocChannel() override { return registry_.Current().AllocChannel(); }
  void ChannelPan(Channel c, float pan) override { registry_.Current().ChannelPan(c, pan); }
  void ChannelVolume(Channel c, float vol) override { registry_.Current().ChannelVolume(c, vol); }
  void ChannelPlay(Channel c, const Sound* snd) override { registry_.Current().ChannelPlay(c, snd); }
  int ChannelPlaying(Channel c) override { return registry_.Current().ChannelPlaying(c); }
  void StopChannel(Channel c) override { registry_.Current().StopChannel(c); }

 private:
  [[noreturn]] void NoDisplay(const std::string& why) {
    std::fprintf(stderr, "earshot: no display: %s\n", why.c_str());
    End(1);
  }

  void CheckSignals() {
    if (const int sig = PendingEndSignal()) End(128 + sig);
  }

  // A request to close the window (SDL_QUIT, SDL_WINDOWEVENT_CLOSE) reaches
  // neither service: only Escape and the end of a game end it.
  void Handle(const SDL_Event& ev) {
    input_.Handle(ev);
    display_.Handle(ev);
  }

  void Pump() {
    CheckSignals();
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) Handle(ev);
    CheckSignals();
  }

  void Idle(TickTimer::Nanos left) {
    Pump();
    if (left <= TickTimer::Nanos::zero()) return;
    WaitForSdlEvent(left, [this](const SDL_Event& ev) { Handle(ev); });
    CheckSignals();
  }

  // The sounds outlive the back end that plays them: members go in reverse.
  std::vector<std::unique_ptr<Sound>> sounds_;
  SdlDisplay display_;
  InputRecord input_;
  GameClock clock_;
  Random random_;
  std::vector<Mode> modes_;
  std::vector<std::unique_ptr<TickTimer>> timers_;
  BackendRegistry registry_;
};

}  // namespace

std::unique_ptr<Platform> MakeSdlPlatform() {
  SDL_SetMainReady();
  std::string why;
  if (!EnterProgramFolder(&why)) std::fprintf(stderr, "earshot: %s\n", why.c_str());
  // SDL would turn Ctrl+C into a close request, which the game ignores.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  InstallEndSignals();
  auto p = std::make_unique<SdlPlatform>();
  p->StartDisplay();
  return p;
}

}  // namespace platform
