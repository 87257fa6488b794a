// The life of a channel: allocation, start, the end of its sound, stop and
// reuse, the channel limit and plain plays.
#include <set>

#include "mix_fixture.h"

namespace platform::test {
namespace {

TEST_F(MixerTest, NewChannelIsSilentNotPlayingCentredAtFullVolume) {
  const Channel c = mixer.Alloc();
  ASSERT_NE(c, kNoChannel) << "a fresh mixer has channels to give";
  EXPECT_EQ(mixer.Playing(c), 0) << "a channel never started doesn't play";
  EXPECT_TRUE(Next().Silent()) << "a new channel makes no sound";
  mixer.Start(c, &longSound);
  const Block b = Next();
  EXPECT_FLOAT_EQ(b.L(0), kLevel) << "volume 1 and pan 0 until told otherwise: full on the left";
  EXPECT_FLOAT_EQ(b.R(0), kLevel) << "and full on the right";
}

TEST_F(MixerTest, ReusedChannelStartsCentredAtFullVolumeAgain) {
  for (int i = 0; i < kMaxChannels; ++i) {
    const Channel c = mixer.Alloc();
    mixer.SetPan(c, -1.0f);
    mixer.SetVolume(c, 0.2f);
    mixer.Stop(c);
  }
  const Channel c = mixer.Alloc();  // every channel has been placed and released once
  mixer.Start(c, &longSound);
  const Block b = Next();
  EXPECT_FLOAT_EQ(b.R(0), kLevel) << "an earlier owner's pan and volume don't survive the release";
}

TEST_F(MixerTest, PlaysFromStartUntilItsLastSampleIsMixed) {
  const Sound snd = ConstantMono(2 * kBlockFrames + 88);
  const Channel c = mixer.Alloc();
  mixer.Start(c, &snd);
  EXPECT_NE(mixer.Playing(c), 0) << "plays from the moment Start returns, before any mixing";
  Next();
  Next();
  EXPECT_NE(mixer.Playing(c), 0) << "88 frames are still to be mixed";
  const Block last = Next();
  EXPECT_EQ(mixer.Playing(c), 0) << "the block holding the last sample ends the play";
  EXPECT_FLOAT_EQ(last.L(87), kLevel) << "the last sample is mixed";
  EXPECT_EQ(last.L(88), 0.0f) << "nothing after the last sample: a sound plays once";
  EXPECT_TRUE(Next().Silent()) << "an ended sound doesn't start over";
}

TEST_F(MixerTest, EndedChannelStaysAllocatedUntilStopped) {
  const Sound blip = ConstantMono(10);
  const Channel c = mixer.Alloc();
  mixer.Start(c, &blip);
  Next();
  ASSERT_EQ(mixer.Playing(c), 0) << "the blip has ended";
  std::set<Channel> others;
  for (Channel o = mixer.Alloc(); o != kNoChannel; o = mixer.Alloc()) others.insert(o);
  EXPECT_EQ(others.count(c), 0u) << "the layer doesn't release a channel whose sound ended";
  EXPECT_EQ(others.size(), static_cast<std::size_t>(kMaxChannels - 1)) << "every other channel could be had";
}

TEST_F(MixerTest, StopSilencesWithinTheNextBlock) {
  const Channel c = mixer.Alloc();
  mixer.Start(c, &longSound);
  Next();
  mixer.Stop(c);
  EXPECT_EQ(mixer.Playing(c), 0) << "not playing from the moment Stop returns";
  const Block fade = Next();
  EXPECT_LT(fade.L(kBlockFrames - 1), 0.01f) << "the stop fades to nothing within one block";
  EXPECT_LE(fade.L(kBlockFrames - 1), fade.L(0)) << "and only goes down";
  EXPECT_TRUE(Next().Silent()) << "a stopped channel is silent after the fade";
}

TEST_F(MixerTest, SoundStoppedBeforeItsFirstBlockIsNeverHeard) {
  const Channel c = mixer.Alloc();
  mixer.Start(c, &longSound);
  mixer.Stop(c);
  EXPECT_TRUE(Next().Silent()) << "not even a fade of a sound that never began";
}

TEST_F(MixerTest, StoppedChannelIgnoresPanAndVolume) {
  const Channel c = mixer.Alloc();
  mixer.SetVolume(c, 0.5f);
  mixer.Start(c, &longSound);
  Next();
  mixer.Stop(c);
  mixer.SetVolume(c, 1.0f);
  mixer.SetPan(c, 0.3f);
  Next();
  EXPECT_TRUE(Next().Silent()) << "raising the volume of a stopped channel brings no sound back";
  EXPECT_EQ(mixer.Playing(c), 0) << "nor makes it play";
}

TEST_F(MixerTest, SecondStopIsHarmless) {
  const Channel c = mixer.Alloc();
  mixer.Start(c, &longSound);
  mixer.Stop(c);
  mixer.Stop(c);
  std::set<Channel> got;
  for (int i = 0; i < kMaxChannels; ++i) {
    const Channel o = mixer.Alloc();
    ASSERT_NE(o, kNoChannel) << "all channels are free again";
    EXPECT_TRUE(got.insert(o).second) << "channel " << o << " was handed out twice: released twice";
  }
  EXPECT_EQ(mixer.Alloc(), kNoChannel) << "a double stop made no extra channel";
}

TEST_F(MixerTest, NullSoundNeverPlays) {
  const Channel c = mixer.Alloc();
  mixer.Start(c, nullptr);
  EXPECT_EQ(mixer.Playing(c), 0) << "a sound that failed to load plays nothing";
  EXPECT_TRUE(Next().Silent()) << "and is not heard";
  mixer.PlayPlain(nullptr);
  EXPECT_TRUE(Next().Silent()) << "nor when played plainly";
}

TEST_F(MixerTest, NullSoundCutsOffTheChannelsSound) {
  const Channel c = mixer.Alloc();
  mixer.Start(c, &longSound);
  Next();
  mixer.Start(c, nullptr);
  EXPECT_EQ(mixer.Playing(c), 0) << "the channel now holds nothing to play";
  EXPECT_TRUE(Next().Silent()) << "the earlier sound is replaced, not left running unseen";
}

TEST_F(MixerTest, RestartPlaysFromTheBeginning) {
  const Sound snd = ConstantMono(kBlockFrames + 10);
  const Channel c = mixer.Alloc();
  mixer.Start(c, &snd);
  Next();
  mixer.Start(c, &snd);
  Next();
  EXPECT_NE(mixer.Playing(c), 0) << "a second start begins the sound again";
  EXPECT_FLOAT_EQ(Next().L(9), kLevel) << "so its tail is heard one block later than the first time";
}

TEST_F(MixerTest, NoChannelBeyondTheLimitAndItIgnoresEverything) {
  std::vector<Channel> all;
  for (int i = 0; i < kMaxChannels; ++i) {
    all.push_back(mixer.Alloc());
    ASSERT_NE(all.back(), kNoChannel) << "channel " << i << " of " << kMaxChannels << " can be had";
  }
  const Channel none = mixer.Alloc();
  ASSERT_EQ(none, kNoChannel) << "the 4096th allocation finds nothing left";
  mixer.SetPan(none, 1.0f);
  mixer.SetVolume(none, 1.0f);
  mixer.Start(none, &longSound);
  EXPECT_EQ(mixer.Playing(none), 0) << "kNoChannel never plays";
  mixer.Stop(none);
  EXPECT_TRUE(Next().Silent()) << "a start on kNoChannel is not heard";
  EXPECT_EQ(mixer.Alloc(), kNoChannel) << "stopping kNoChannel frees nothing";

  mixer.Stop(all[1234]);
  EXPECT_EQ(mixer.Alloc(), all[1234]) << "a stopped channel comes back";
}

TEST_F(MixerTest, ForeignChannelNumbersAreIgnored) {
  for (const Channel c : {-7, kMaxChannels, 100000}) {
    mixer.Start(c, &longSound);
    EXPECT_EQ(mixer.Playing(c), 0) << "channel " << c << " was never handed out";
    mixer.Stop(c);
  }
  EXPECT_TRUE(Next().Silent()) << "nothing outside the channel array sounds";
  const Channel given = mixer.Alloc() + 1;
  mixer.Start(given, &longSound);
  EXPECT_EQ(mixer.Playing(given), 0) << "a channel that isn't allocated ignores a start";
}

TEST_F(MixerTest, PlainPlayIsCentredAtFullLevelAndFreesItsChannel) {
  const Sound snd = ConstantMono(kBlockFrames + 5);
  mixer.PlayPlain(&snd);
  const Block b = Next();
  EXPECT_FLOAT_EQ(b.L(0), kLevel) << "full volume, centred: left";
  EXPECT_FLOAT_EQ(b.R(0), kLevel) << "full volume, centred: right";

  int free = 0;
  std::vector<Channel> taken;
  for (Channel c = mixer.Alloc(); c != kNoChannel; c = mixer.Alloc()) taken.push_back(c);
  EXPECT_EQ(taken.size(), static_cast<std::size_t>(kMaxChannels - 1)) << "the playing plain sound holds one channel";
  for (Channel c : taken) mixer.Stop(c);

  Next();  // the sound's end
  for (Channel c = mixer.Alloc(); c != kNoChannel; c = mixer.Alloc()) ++free;
  EXPECT_EQ(free, kMaxChannels) << "the channel of an ended plain sound is given back";
}

TEST_F(MixerTest, PlainPlaysOverlap) {
  mixer.PlayPlain(&longSound);
  mixer.PlayPlain(&longSound);
  EXPECT_FLOAT_EQ(Next().L(0), 2 * kLevel) << "each plain play takes a channel of its own";
}

TEST_F(MixerTest, StaleStopOfAPlainChannelDoesNotFreeItTwice) {
  mixer.PlayPlain(&longSound);
  for (Channel c = 0; c < kMaxChannels; ++c) mixer.Stop(c);  // stale stops hitting every number
  Next();
  std::set<Channel> got;
  for (Channel c = mixer.Alloc(); c != kNoChannel; c = mixer.Alloc()) {
    EXPECT_TRUE(got.insert(c).second) << "channel " << c << " handed out twice: released by the stop and the reaping";
  }
  EXPECT_EQ(got.size(), static_cast<std::size_t>(kMaxChannels)) << "every channel is free once";
}

}  // namespace
}  // namespace platform::test
