// Pan law, volume ramps and the painting of mono and stereo sounds.
#include "mix_fixture.h"

namespace platform::test {
namespace {

struct PanCase {
  float pan, vol, left, right;
  const char* what;
};

class PanLawTest : public MixerTest, public ::testing::WithParamInterface<PanCase> {};

constexpr float kSin45 = 0.70710678f;

INSTANTIATE_TEST_SUITE_P(
    Table, PanLawTest,
    ::testing::Values(PanCase{-1.0f, 1.0f, 1.0f, 0.0f, "pan -1 is wholly on the left"},
                      PanCase{0.0f, 1.0f, 1.0f, 1.0f, "pan 0 is full volume on both sides"},
                      PanCase{1.0f, 1.0f, 0.0f, 1.0f, "pan +1 is wholly on the right"},
                      PanCase{kSin45, 1.0f, 0.29289322f, 1.0f, "45 degrees right: 0.29 left, all of it right"},
                      PanCase{-0.5f, 1.0f, 1.0f, 0.5f, "the far side falls linearly"},
                      PanCase{0.25f, 0.5f, 0.375f, 0.5f, "volume scales both sides"},
                      PanCase{0.0f, 0.0f, 0.0f, 0.0f, "volume 0 is silence"}));

TEST_P(PanLawTest, StartedSoundTakesChannelGainsFromItsFirstSample) {
  const PanCase& k = GetParam();
  const Channel c = mixer.Alloc();
  mixer.SetPan(c, k.pan);
  mixer.SetVolume(c, k.vol);
  mixer.Start(c, &longSound);
  const Block b = Next();
  for (std::size_t i = 0; i < kBlockFrames; ++i) {
    ASSERT_NEAR(b.L(i), k.left * kLevel, 1e-6f) << k.what << ": left at frame " << i << ", no fade-in";
    ASSERT_NEAR(b.R(i), k.right * kLevel, 1e-6f) << k.what << ": right at frame " << i << ", no fade-in";
  }
}

TEST_P(PanLawTest, PlacementDuringPlayReachesPanLawAfterOneBlock) {
  const PanCase& k = GetParam();
  const Channel c = mixer.Alloc();
  mixer.Start(c, &longSound);
  Next();
  mixer.SetPan(c, k.pan);
  mixer.SetVolume(c, k.vol);
  Next();  // the ramp
  const Block b = Next();
  for (std::size_t i = 0; i < kBlockFrames; ++i) {
    ASSERT_NEAR(b.L(i), k.left * kLevel, 1e-6f) << k.what << ": steady left at frame " << i;
    ASSERT_NEAR(b.R(i), k.right * kLevel, 1e-6f) << k.what << ": steady right at frame " << i;
  }
}

TEST_F(MixerTest, VolumeChangeRampsLinearlyAcrossExactlyOneBlock) {
  const Channel c = mixer.Alloc();
  mixer.Start(c, &longSound);
  Next();
  const float from = 1.0f, to = 0.25f;
  mixer.SetVolume(c, to);
  const Block ramp = Next();
  const float step = (to - from) / kBlockFrames;
  for (std::size_t i = 0; i < kBlockFrames; ++i) {
    const float want = kLevel * (from + step * static_cast<float>(i + 1));
    ASSERT_NEAR(ramp.L(i), want, 1e-5f) << "a straight line from the old volume, frame " << i;
    ASSERT_NEAR(ramp.R(i), want, 1e-5f) << "both sides ramp together, frame " << i;
  }
  EXPECT_NEAR(ramp.L(0), kLevel * from, kLevel * 0.01f) << "the ramp starts from the old volume, no jump";
  EXPECT_NEAR(ramp.L(kBlockFrames - 1), kLevel * to, 1e-6f) << "the new volume is reached at the block's end";
  const Block after = Next();
  for (std::size_t i = 0; i < kBlockFrames; ++i) {
    ASSERT_NEAR(after.L(i), kLevel * to, 1e-6f) << "no ramp goes past one block, frame " << i;
  }
}

TEST_F(MixerTest, PanChangeRampsEachSideFromItsOldGain) {
  const Channel c = mixer.Alloc();
  mixer.Start(c, &longSound);
  Next();
  mixer.SetPan(c, 1.0f);
  const Block ramp = Next();
  for (std::size_t i = 0; i < kBlockFrames; ++i) {
    const float k = static_cast<float>(i + 1) / kBlockFrames;
    ASSERT_NEAR(ramp.L(i), kLevel * (1.0f - k), 1e-5f) << "the left side fades out linearly, frame " << i;
    ASSERT_NEAR(ramp.R(i), kLevel, 1e-6f) << "the near side keeps the full volume, frame " << i;
  }
}

TEST_F(MixerTest, OnlyTheLatestPlacementBeforeABlockCounts) {
  const Channel c = mixer.Alloc();
  mixer.Start(c, &longSound);
  Next();
  mixer.SetVolume(c, 0.1f);
  mixer.SetVolume(c, 0.5f);
  Next();
  EXPECT_NEAR(Next().L(0), 0.5f * kLevel, 1e-6f) << "a placement overwritten before the block is never heard";
}

TEST_F(MixerTest, StereoSoundKeepsItsSidesApart) {
  const Sound stereo = ConstantStereo(10 * kBlockFrames, kHalf, -8192);
  const Channel c = mixer.Alloc();
  mixer.SetPan(c, 0.5f);
  mixer.SetVolume(c, 0.8f);
  mixer.Start(c, &stereo);
  const Block b = Next();
  EXPECT_NEAR(b.L(7), 0.5f * 0.4f, 1e-6f) << "the sound's left through the left gain (0.8 x 0.5)";
  EXPECT_NEAR(b.R(7), -0.25f * 0.8f, 1e-6f) << "the sound's right through the right gain (0.8 x 1)";
}

TEST_F(MixerTest, ChannelsAddUp) {
  const Sound quarter = ConstantMono(10 * kBlockFrames, 8192);
  const Channel a = mixer.Alloc();
  const Channel b = mixer.Alloc();
  mixer.SetPan(a, -1.0f);
  mixer.Start(a, &longSound);
  mixer.Start(b, &quarter);
  const Block out = Next();
  EXPECT_NEAR(out.L(0), 0.75f, 1e-6f) << "both channels sound on the left";
  EXPECT_NEAR(out.R(0), 0.25f, 1e-6f) << "only the centred one sounds on the right";
}

TEST_F(MixerTest, LongRequestIsMixedAsBlocksOf256) {
  Mixer twin;
  const Channel c = mixer.Alloc();
  const Channel t = twin.Alloc();
  mixer.Start(c, &longSound);
  twin.Start(t, &longSound);
  Next();
  std::vector<float> first(2 * kBlockFrames);
  twin.Mix(first.data(), kBlockFrames);
  mixer.SetVolume(c, 0.0f);
  twin.SetVolume(t, 0.0f);

  const Block two = Next(2 * kBlockFrames);
  std::vector<float> split(4 * kBlockFrames);
  twin.Mix(split.data(), kBlockFrames);
  twin.Mix(split.data() + 2 * kBlockFrames, kBlockFrames);
  for (std::size_t i = 0; i < split.size(); ++i) {
    ASSERT_FLOAT_EQ(two.s[i], split[i]) << "a 512-frame request ramps over its first 256 frames only, sample " << i;
  }
}

TEST_F(MixerTest, SilenceOverwritesTheBuffer) {
  EXPECT_TRUE(Next().Silent()) << "with nothing playing Mix writes zeros over whatever the buffer held";
}

}  // namespace
}  // namespace platform::test
