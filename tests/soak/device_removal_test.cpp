// The audio output going away in the middle of a game (headphones unplugged):
// the sounds that were playing end, the default output is opened afresh, and
// where none opens the game plays on in silence and says so once.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/mixer_backend.h"
#include "tests/game/fake_platform.h"

namespace {

// What a test's fake output device is doing, shared with the test.
struct DeviceState {
  platform::Mixer* pulling = nullptr;  // the mixer it calls while open
  bool present = true;                 // an output can be opened
  bool lost = false;                   // the opened output has gone away
  int opens = 0;
};

class FakeDevice : public platform::OutputDevice {
 public:
  explicit FakeDevice(DeviceState* s) : s_(s) {}
  bool Open(platform::Mixer* mixer, std::string* why) override {
    if (!s_->present) {
      *why = "no output device";
      return false;
    }
    ++s_->opens;
    s_->lost = false;
    s_->pulling = mixer;
    return true;
  }
  bool Lost() override { return s_->lost; }
  void Close() override { s_->pulling = nullptr; }

 private:
  DeviceState* s_;
};

// The device vanishes: it pulls no more, and can't be opened until it comes back.
void Unplug(DeviceState* s, bool anotherOutput) {
  s->pulling = nullptr;
  s->lost = true;
  s->present = anotherOutput;
}

// What the device's thread would have mixed in ms.
void Pull(DeviceState* s, int ms) {
  if (!s->pulling) return;
  std::vector<float> out(2 * static_cast<std::size_t>(platform::kMixRate) * ms / 1000);
  s->pulling->Mix(out.data(), out.size() / 2);
}

platform::Sound Silence(int ms) {
  platform::Sound snd;
  snd.samples.assign(static_cast<std::size_t>(platform::kMixRate) * ms / 1000, 0);
  return snd;
}

class DeviceRemovalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    backend = platform::MixerBackend::Open(std::make_unique<FakeDevice>(&dev), &why);
    ASSERT_TRUE(backend) << why;
  }
  DeviceState dev;
  std::unique_ptr<platform::MixerBackend> backend;
  const platform::Sound longSound = Silence(5000);
};

TEST_F(DeviceRemovalTest, PlayingSoundsEndAndTheDefaultOutputIsReopened) {
  const platform::Channel c = backend->AllocChannel();
  backend->ChannelPlay(c, &longSound);
  Pull(&dev, 100);
  ASSERT_EQ(backend->ChannelPlaying(c), 1) << "a five-second sound plays after 100 ms";
  Unplug(&dev, true);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(backend->ChannelPlaying(c), 0) << "with its output gone it will never end on its own: it ends now";
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "another output took over: nothing to say";
  EXPECT_EQ(dev.opens, 2) << "the default output was opened afresh";
  backend->StopChannel(c);
  const platform::Channel d = backend->AllocChannel();
  backend->ChannelPlay(d, &longSound);
  Pull(&dev, 100);
  EXPECT_EQ(backend->ChannelPlaying(d), 1) << "new sounds play on the new output";
}

TEST_F(DeviceRemovalTest, WithNoOutputLeftTheGameGoesSilentAndSaysSoOnce) {
  const platform::Channel c = backend->AllocChannel();
  backend->ChannelPlay(c, &longSound);
  Unplug(&dev, false);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(backend->ChannelPlaying(c), 0) << "the sound that was playing has ended";
  backend->StopChannel(c);
  for (int i = 0; i < 10; ++i) {
    const platform::Channel d = backend->AllocChannel();
    backend->ChannelPlay(d, &longSound);
    EXPECT_EQ(backend->ChannelPlaying(d), 0) << "as under Null, no channel plays";
    backend->StopChannel(d);
    backend->PlaySound(&longSound);
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.find("earshot: running without sound: "), 0u) << "the player is told why it went quiet: " << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << "once, on one line: " << said;
}

// The whole game on a platform whose sound goes through the back end.
class BackendPlatform : public FakePlatform {
 public:
  platform::AudioBackend* b = nullptr;
  void PlaySound(const platform::Sound* snd) override { b->PlaySound(snd); }
  platform::Channel AllocChannel() override { return b->AllocChannel(); }
  void ChannelPan(platform::Channel c, float pan) override { b->ChannelPan(c, pan); }
  void ChannelVolume(platform::Channel c, float vol) override { b->ChannelVolume(c, vol); }
  void ChannelPlay(platform::Channel c, const platform::Sound* snd) override { b->ChannelPlay(c, snd); }
  int ChannelPlaying(platform::Channel c) override { return b->ChannelPlaying(c); }
  void StopChannel(platform::Channel c) override { b->StopChannel(c); }
};

TEST_F(DeviceRemovalTest, AGameWhoseOutputVanishesKeepsItsListShortAndItsChannels) {
  BackendPlatform pf;
  pf.b = backend.get();
  pf.soundMs = 3000;
  Game g{pf};
  game = &g;
  Startup();
  pf.held = {platform::kKeyW};
  auto tick = [&] {
    Pass();
    Pull(&dev, pf.tickMs);
    pf.now += pf.tickMs;
  };
  for (int i = 0; i < 500; ++i) tick();
  ASSERT_FALSE(g.chns.empty()) << "three-second sounds are playing before the unplugging";
  Unplug(&dev, false);
  ::testing::internal::CaptureStderr();
  tick();
  EXPECT_TRUE(g.chns.empty()) << "the first upkeep after the loss drops every sound that was playing";
  // Far longer than the channels would last if nothing were ever dropped.
  for (int i = 0; i < 20000; ++i) {
    tick();
    ASSERT_TRUE(g.chns.empty()) << "pass " << i << ": silent from now on, nothing stays listed";
  }
  ::testing::internal::GetCapturedStderr();
  EXPECT_NE(backend->AllocChannel(), platform::kNoChannel) << "every channel the game took was given back";
  game = nullptr;
}

}  // namespace
