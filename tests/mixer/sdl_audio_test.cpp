// The SDL back ends, run on SDL's "disk" driver, which writes the raw output
// to a file instead of a sound card.
#include "platform/sdl_audio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/mixer.h"
#include "platform/null_backend.h"

namespace platform::test {
namespace {

class SdlAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    out = std::filesystem::temp_directory_path() /
          ("earshot-disk-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    RegisterSdlBackends(registry);
  }
  void TearDown() override {
    registry.MakeCurrent("Null");
    std::filesystem::remove(out);
  }

  // Whether MakeCurrent opened an output. SDL's disk driver warns on stderr
  // about itself, so only our own fall-back line counts.
  bool Opened(const char* name) {
    ::testing::internal::CaptureStderr();
    registry.MakeCurrent(name);
    said = ::testing::internal::GetCapturedStderr();
    return said.find("earshot: running without sound") == std::string::npos &&
           dynamic_cast<NullBackend*>(&registry.Current()) == nullptr;
  }

  // Plays snd on a channel of the current back end and waits for its end.
  void PlayToTheEnd(const Sound& snd) {
    AudioBackend& b = registry.Current();
    const Channel c = b.AllocChannel();
    b.ChannelPlay(c, &snd);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (b.ChannelPlaying(c) && std::chrono::steady_clock::now() < give_up) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(b.ChannelPlaying(c), 0) << "the device's callback mixed the whole sound";
    b.StopChannel(c);
  }

  std::vector<float> Written() {
    std::ifstream in(out, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> f(bytes.size() / sizeof(float));
    std::memcpy(f.data(), bytes.data(), f.size() * sizeof(float));
    return f;
  }

  std::filesystem::path out;
  BackendRegistry registry;
  std::string said;
};

TEST_F(SdlAudioTest, SystemAndMixerAlwaysExistNativeHonoursThePinnedDriver) {
  EXPECT_TRUE(registry.Exists("Mixer System")) << "the standard output always exists";
  EXPECT_TRUE(registry.Exists("mixer")) << "so does the plain mixer";
  EXPECT_FALSE(registry.Exists("Mixer Native")) << "SDL_AUDIODRIVER=disk names no sound server";
}

TEST_F(SdlAudioTest, OutputIs48kHzStereoFloat) {
  ASSERT_TRUE(Opened("Mixer System")) << "the disk driver opens: " << said;
  Sound snd;
  snd.channels = 2;
  constexpr std::size_t kFrames = kMixRate / 10;
  for (std::size_t i = 0; i < kFrames; ++i) {
    snd.samples.push_back(16384);   // 0.5 on the left
    snd.samples.push_back(-8192);   // -0.25 on the right
  }
  PlayToTheEnd(snd);
  registry.MakeCurrent("Null");  // closes the device, so the file is complete

  const std::vector<float> f = Written();
  ASSERT_EQ(f.size() % 2, 0u) << "whole stereo frames of float";
  std::size_t frames = 0;
  for (std::size_t i = 0; i + 1 < f.size(); i += 2) {
    if (f[i] == 0.5f && f[i + 1] == -0.25f) ++frames;
  }
  EXPECT_EQ(frames, kFrames) << "every frame reaches the file unconverted: 48 kHz, stereo, float32";
}

TEST_F(SdlAudioTest, UnknownDriverFallsBackToNull) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_FALSE(Opened("Mixer System")) << "SDL can't start a driver that doesn't exist";
  EXPECT_NE(said.find("earshot: running without sound: "), std::string::npos) << "a line saying why: " << said;
  EXPECT_NE(dynamic_cast<NullBackend*>(&registry.Current()), nullptr) << "the game runs silent";
}

TEST_F(SdlAudioTest, BackendsCanBeChosenOneAfterAnother) {
  ASSERT_TRUE(Opened("Mixer")) << "the plain mixer opens the standard output: " << said;
  ASSERT_TRUE(Opened("Mixer System")) << "the previous output was shut down, so SDL opens afresh: " << said;
  Sound blip;
  blip.samples.assign(kBlockFrames, 16384);
  PlayToTheEnd(blip);
}

}  // namespace
}  // namespace platform::test
