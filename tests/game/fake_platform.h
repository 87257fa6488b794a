// A platform for tests: a clock the test sets, scripted input and random
// draws, and an audio layer that records every channel. End() throws
// ProcessEnded, so a test can run the game up to its end and look at it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/random.h"

struct ProcessEnded {
  int status;
};

// One channel as the game left it.
struct FakeChannel {
  float pan = 0;
  float vol = 1;
  const platform::Sound* snd = nullptr;  // what ChannelPlay started
  bool started = false;
  int startedAt = 0;  // clock at the start
  int stops = 0;      // StopChannel calls
  std::vector<std::pair<float, float>> placements;  // (pan, vol) after each volume set
};

class FakePlatform : public platform::Platform {
 public:
  FakePlatform();

  // What the test scripts.
  int now = 1000;       // the clock
  int tickMs = 20;      // a Wait moves the clock on by this
  int readStep = 0;     // each clock reading moves it on by this, after the reading
  std::vector<platform::Mode> modes{{1280, 1024, 32, 60}};
  std::set<std::string> backends{"mixer system", "mixer", "null"};  // those that exist
  std::set<std::string> failing;       // those that exist but can't open their output
  std::set<std::string> missingFiles;  // these load as null
  int soundMs = 500;                   // length of every loaded sound
  std::set<int> held;                  // keys held down
  std::map<int, int> keyHits, mouseHits;
  int mouseDx = 0;                     // motion reported by the next MouseXSpeed
  std::deque<double> draws;            // scripted Rnd() results, then a seeded source
  // The test's hand in the loop: called at every Wait, with the number of
  // passes done so far.
  std::function<void(int passes)> onWait;

  // What the platform saw.
  std::vector<std::string> calls;  // the set-up's calls, by name
  std::vector<FakeChannel> chans;
  std::vector<const platform::Sound*> plain;  // played plainly, in order
  std::map<const platform::Sound*, std::string> paths;
  int waits = 0;
  int drawsTaken = 0;  // Rnd() calls
  int delayed = 0;  // milliseconds slept

  // The channels whose sound is `snd`, in order of allocation.
  std::vector<const FakeChannel*> Started(const platform::Sound* snd) const;
  bool Playing(const FakeChannel& ch) const;

  // Platform
  int ModeCount() override;
  platform::Mode GetMode(int i) override;
  void OpenDisplay(int w, int h, int bpp, int hz, int flags) override;
  void HideCursor() override;
  void MoveCursor(int x, int y) override;
  int KeyDown(int key) override;
  int KeyHits(int key) override;
  int MouseHits(int button) override;
  int MouseXSpeed() override;
  platform::Timer* CreateTimer(int hz) override;
  int Millisecs() override;
  void Delay(int ms) override;
  [[noreturn]] void End(int status) override;
  void SeedRnd(int seed) override;
  double Rnd() override;
  bool BackendExists(const char* name) override;
  void SetBackend(const char* name) override;
  const platform::Sound* LoadSound(const char* path, int flags) override;
  void PlaySound(const platform::Sound* snd) override;
  platform::Channel AllocChannel() override;
  void ChannelPan(platform::Channel c, float pan) override;
  void ChannelVolume(platform::Channel c, float vol) override;
  void ChannelPlay(platform::Channel c, const platform::Sound* snd) override;
  int ChannelPlaying(platform::Channel c) override;
  void StopChannel(platform::Channel c) override;

 private:
  class FakeTimer;
  std::unique_ptr<platform::Timer> timer_;
  std::vector<std::unique_ptr<platform::Sound>> sounds_;
  platform::Random random_;
  bool silent_ = false;  // "Null" is current
};

// A draw that RandRange(lo, hi) turns into k.
double DrawFor(int k, int lo, int hi);
