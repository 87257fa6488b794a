#include "tests/game/fake_platform.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char ch) { return std::tolower(ch); });
  return s;
}

int Take(std::map<int, int>& counts, int key) {
  const int n = counts[key];
  counts[key] = 0;
  return n;
}

}  // namespace

class FakePlatform::FakeTimer : public platform::Timer {
 public:
  explicit FakeTimer(FakePlatform& pf) : pf_(pf) {}
  void Wait() override {
    pf_.now += pf_.tickMs;
    ++pf_.waits;
    if (pf_.onWait) pf_.onWait(pf_.waits);
  }

 private:
  FakePlatform& pf_;
};

FakePlatform::FakePlatform() { random_.Seed(1); }

double DrawFor(int k, int lo, int hi) { return (k - lo + 0.5) / (static_cast<double>(hi) - lo + 1); }

std::vector<const FakeChannel*> FakePlatform::Started(const platform::Sound* snd) const {
  std::vector<const FakeChannel*> out;
  for (const FakeChannel& ch : chans) {
    if (ch.started && ch.snd == snd) out.push_back(&ch);
  }
  return out;
}

bool FakePlatform::Playing(const FakeChannel& ch) const {
  if (!ch.started || ch.stops > 0 || ch.snd == nullptr || silent_) return false;
  return now < ch.startedAt + static_cast<int>(ch.snd->Frames() * 1000 / 48000);
}

int FakePlatform::ModeCount() {
  calls.push_back("ModeCount");
  return static_cast<int>(modes.size());
}

platform::Mode FakePlatform::GetMode(int i) { return modes.at(i); }

void FakePlatform::OpenDisplay(int w, int h, int bpp, int hz, int flags) {
  calls.push_back("OpenDisplay " + std::to_string(w) + "x" + std::to_string(h) + " " + std::to_string(bpp) +
                  " " + std::to_string(hz) + " " + std::to_string(flags));
}

void FakePlatform::HideCursor() { calls.push_back("HideCursor"); }

void FakePlatform::MoveCursor(int x, int y) {
  calls.push_back("MoveCursor " + std::to_string(x) + "," + std::to_string(y));
}

int FakePlatform::KeyDown(int key) { return held.count(key) ? 1 : 0; }

int FakePlatform::KeyHits(int key) {
  calls.push_back("KeyHits " + std::to_string(key));
  return Take(keyHits, key);
}

int FakePlatform::MouseHits(int button) { return Take(mouseHits, button); }

int FakePlatform::MouseXSpeed() {
  calls.push_back("MouseXSpeed");
  const int dx = mouseDx;
  mouseDx = 0;
  return dx;
}

platform::Timer* FakePlatform::CreateTimer(int hz) {
  calls.push_back("CreateTimer " + std::to_string(hz));
  timer_ = std::make_unique<FakeTimer>(*this);
  return timer_.get();
}

int FakePlatform::Millisecs() {
  const int t = now;
  now += readStep;
  return t;
}

void FakePlatform::Delay(int ms) {
  calls.push_back("Delay " + std::to_string(ms));
  delayed += ms;
  now += ms;
}

void FakePlatform::End(int status) {
  calls.push_back("End " + std::to_string(status));
  throw ProcessEnded{status};
}

void FakePlatform::SeedRnd(int seed) {
  calls.push_back("SeedRnd " + std::to_string(seed));
  random_.Seed(seed);
}

double FakePlatform::Rnd() {
  ++drawsTaken;
  if (draws.empty()) return random_.Next();
  const double r = draws.front();
  draws.pop_front();
  return r;
}

bool FakePlatform::BackendExists(const char* name) {
  calls.push_back(std::string("BackendExists ") + name);
  return backends.count(Lower(name)) > 0;
}

void FakePlatform::SetBackend(const char* name) {
  calls.push_back(std::string("SetBackend ") + name);
  silent_ = Lower(name) == "null" || failing.count(Lower(name)) > 0;
}

const platform::Sound* FakePlatform::LoadSound(const char* path, int flags) {
  calls.push_back(std::string("LoadSound ") + path + " " + std::to_string(flags));
  if (missingFiles.count(path)) return nullptr;
  auto snd = std::make_unique<platform::Sound>();
  snd->samples.assign(static_cast<std::size_t>(soundMs) * 48, 0);
  paths[snd.get()] = path;
  sounds_.push_back(std::move(snd));
  return sounds_.back().get();
}

void FakePlatform::PlaySound(const platform::Sound* snd) { plain.push_back(snd); }

platform::Channel FakePlatform::AllocChannel() {
  chans.emplace_back();
  return static_cast<platform::Channel>(chans.size() - 1);
}

void FakePlatform::ChannelPan(platform::Channel c, float pan) {
  if (chans.at(c).stops == 0) chans[c].pan = pan;
}

void FakePlatform::ChannelVolume(platform::Channel c, float vol) {
  FakeChannel& ch = chans.at(c);
  if (ch.stops > 0) return;
  ch.vol = vol;
  ch.placements.emplace_back(ch.pan, vol);
}

void FakePlatform::ChannelPlay(platform::Channel c, const platform::Sound* snd) {
  FakeChannel& ch = chans.at(c);
  ch.snd = snd;
  ch.started = true;
  ch.startedAt = now;
}

int FakePlatform::ChannelPlaying(platform::Channel c) { return Playing(chans.at(c)) ? 1 : 0; }

void FakePlatform::StopChannel(platform::Channel c) { ++chans.at(c).stops; }
