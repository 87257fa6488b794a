// The game with every one of the mixer's channels taken: the real mixer
// behind the fake platform, mixed by hand, so the real limit is met.
#include <gtest/gtest.h>

#include <vector>

#include "game/game.h"
#include "platform/mixer.h"
#include "tests/game/fake_platform.h"

namespace {

class MixerPlatform : public FakePlatform {
 public:
  platform::Mixer mixer;

  // Mixes the time of one tick, as the audio thread would meanwhile.
  void MixTick() {
    std::vector<float> out(2 * platform::kMixRate * tickMs / 1000);
    mixer.Mix(out.data(), out.size() / 2);
  }

  void PlaySound(const platform::Sound* snd) override { mixer.PlayPlain(snd); }
  platform::Channel AllocChannel() override { return mixer.Alloc(); }
  void ChannelPan(platform::Channel c, float pan) override { mixer.SetPan(c, pan); }
  void ChannelVolume(platform::Channel c, float vol) override { mixer.SetVolume(c, vol); }
  void ChannelPlay(platform::Channel c, const platform::Sound* snd) override { mixer.Start(c, snd); }
  int ChannelPlaying(platform::Channel c) override { return mixer.Playing(c); }
  void StopChannel(platform::Channel c) override { mixer.Stop(c); }
};

class ChannelExhaustionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game = &g;
    pf.soundMs = 200;
    Startup();
  }
  void TearDown() override { game = nullptr; }

  // A pass and the audio of its tick.
  void Tick() {
    Pass();
    pf.MixTick();
    pf.now += pf.tickMs;
  }

  // Takes every channel that is free; returns them.
  std::vector<platform::Channel> TakeAll() {
    std::vector<platform::Channel> taken;
    for (platform::Channel c = pf.mixer.Alloc(); c != platform::kNoChannel; c = pf.mixer.Alloc()) taken.push_back(c);
    return taken;
  }

  MixerPlatform pf;
  Game g{pf};
};

TEST_F(ChannelExhaustionTest, PlaysBeyondTheLastChannelGiveRecordsThatAreDroppedAtTheNextUpkeep) {
  g.zmbs.clear();
  const auto held = TakeAll();
  ASSERT_EQ(held.size(), static_cast<std::size_t>(platform::kMaxChannels)) << "a fresh mixer has every channel free";
  for (int i = 0; i < 100; ++i) {
    const auto rec = g.tgt->Play(g.sndLck, 1.0f, 200.0f);
    ASSERT_TRUE(rec) << "Play returns a record even with no channel left";
    EXPECT_EQ(rec->c, platform::kNoChannel) << "the record has no channel";
    EXPECT_EQ(pf.ChannelPlaying(rec->c), 0) << "and never plays";
  }
  EXPECT_EQ(g.chns.size(), 100u) << "each is listed until the upkeep";
  Upkeep();
  EXPECT_TRUE(g.chns.empty()) << "the upkeep drops every record that never played";
}

TEST_F(ChannelExhaustionTest, TheGamePlaysOnWithNoChannelAndGetsItsSoundBackAsChannelsFree) {
  std::vector<platform::Channel> held = TakeAll();
  pf.held = {platform::kKeyW};  // footsteps, and zombies that breathe
  for (int i = 0; i < 500; ++i) {
    Tick();
    ASSERT_TRUE(g.chns.empty()) << "pass " << i << ": with no channel nothing stays listed";
  }
  for (const platform::Channel c : held) pf.mixer.Stop(c);
  int played = 0;
  for (int i = 0; i < 500; ++i) {
    Tick();
    for (const auto& rec : g.chns) played += rec->c != platform::kNoChannel;
  }
  EXPECT_GT(played, 0) << "once channels are free again, the game's sounds get them and play";
}

TEST_F(ChannelExhaustionTest, ChannelsComeBackAsTheSoundsOnThemEnd) {
  g.zmbs.clear();
  // Every channel taken by the game's own sounds.
  for (int i = 0; i < platform::kMaxChannels; ++i) g.tgt->Play(g.sndLck, 1.0f, 200.0f);
  ASSERT_EQ(pf.mixer.Alloc(), platform::kNoChannel) << "the game's sounds hold every channel";
  const auto late = g.tgt->Play(g.sndLck, 1.0f, 200.0f);
  EXPECT_EQ(late->c, platform::kNoChannel) << "one more finds none";
  Upkeep();
  EXPECT_EQ(g.chns.size(), static_cast<std::size_t>(platform::kMaxChannels)) << "the playing ones stay listed";
  for (int i = 0; i < 20 && !g.chns.empty(); ++i) {
    pf.MixTick();
    Upkeep();
  }
  EXPECT_TRUE(g.chns.empty()) << "200 ms sounds have ended and been dropped within twenty ticks";
  const auto again = g.tgt->Play(g.sndLck, 1.0f, 200.0f);
  EXPECT_NE(again->c, platform::kNoChannel) << "the upkeep's stops gave the channels back";
  EXPECT_EQ(pf.ChannelPlaying(again->c), 1) << "and a new sound plays on one";
}

}  // namespace
