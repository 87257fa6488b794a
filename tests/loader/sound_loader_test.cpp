// Loading Ogg Vorbis files made by the test itself: layouts, resampling, and
// every kind of file that must load as nothing.
#include "platform/sound_loader.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <filesystem>
#include <string>

#include "ogg_writer.h"
#include "platform/mixer.h"

namespace platform::test {
namespace {

namespace fs = std::filesystem;

// Amplitude of the freq Hz component of every step-th sample from first.
double Amplitude(const std::vector<int16_t>& s, std::size_t first, std::size_t step, double freq, int rate) {
  std::complex<double> sum;
  std::size_t n = 0;
  for (std::size_t i = first; i < s.size(); i += step, ++n) {
    const double t = 2 * std::acos(-1.0) * freq * static_cast<double>(n) / rate;
    sum += std::polar(s[i] / 32768.0, -t);
  }
  return n ? 2 * std::abs(sum) / static_cast<double>(n) : 0;
}

class SoundLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir = fs::temp_directory_path() / ("earshot-loader-" + std::to_string(getpid()) + "-" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  fs::path Write(const char* name, const Bytes& bytes) {
    const fs::path p = dir / name;
    WriteBytes(p, bytes);
    return p;
  }

  std::unique_ptr<Sound> Load(const fs::path& p) {
    why.clear();
    return LoadOgg(p.c_str(), kMixRate, &why);
  }

  fs::path dir;
  std::string why;
};

TEST_F(SoundLoaderTest, MonoStaysMono) {
  const auto snd = Load(Write("mono.ogg", EncodeVorbis({Tone(440, 0.5, kMixRate, 24000)}, kMixRate)));
  ASSERT_TRUE(snd) << "a mono Vorbis file loads: " << why;
  EXPECT_EQ(snd->channels, 1) << "one channel stays mono";
  EXPECT_EQ(snd->Frames(), 24000u) << "decoded whole, every frame";
  EXPECT_NEAR(Amplitude(snd->samples, 0, 1, 440, kMixRate), 0.5, 0.05) << "the tone survives as 16-bit samples";
}

TEST_F(SoundLoaderTest, StereoKeepsItsSides) {
  const auto snd = Load(Write("stereo.ogg", EncodeVorbis({Tone(440, 0.5, kMixRate, 24000),
                                                          Tone(1250, 0.25, kMixRate, 24000)},
                                                         kMixRate)));
  ASSERT_TRUE(snd) << why;
  ASSERT_EQ(snd->channels, 2) << "two channels stay stereo";
  EXPECT_EQ(snd->Frames(), 24000u) << "frames, not samples";
  EXPECT_NEAR(Amplitude(snd->samples, 0, 2, 440, kMixRate), 0.5, 0.05) << "the left tone is on the left";
  EXPECT_LT(Amplitude(snd->samples, 0, 2, 1250, kMixRate), 0.05) << "the right tone is not on the left";
  EXPECT_NEAR(Amplitude(snd->samples, 1, 2, 1250, kMixRate), 0.25, 0.05) << "the right tone is on the right";
}

// Every channel carries a tone of its own, so the tones heard tell which
// channels were kept.
struct LayoutCase {
  int channels, left, right;
};

class SurroundTest : public SoundLoaderTest, public ::testing::WithParamInterface<LayoutCase> {};

INSTANTIATE_TEST_SUITE_P(VorbisChannelOrder, SurroundTest,
                         ::testing::Values(LayoutCase{3, 0, 2}, LayoutCase{4, 0, 1}, LayoutCase{5, 0, 2},
                                           LayoutCase{6, 0, 2}, LayoutCase{7, 0, 2}, LayoutCase{8, 0, 2}));

double ToneOf(int channel) { return 300.0 + 250.0 * channel; }

TEST_P(SurroundTest, KeepsFrontLeftAndFrontRight) {
  const LayoutCase& k = GetParam();
  Planar pcm;
  for (int c = 0; c < k.channels; ++c) pcm.push_back(Tone(ToneOf(c), 0.3, kMixRate, 12000));
  const auto snd = Load(Write("surround.ogg", EncodeVorbis(pcm, kMixRate)));
  ASSERT_TRUE(snd) << k.channels << " channels load: " << why;
  ASSERT_EQ(snd->channels, 2) << "more than two channels are taken as stereo";
  for (int c = 0; c < k.channels; ++c) {
    const double left = Amplitude(snd->samples, 0, 2, ToneOf(c), kMixRate);
    const double right = Amplitude(snd->samples, 1, 2, ToneOf(c), kMixRate);
    if (c == k.left) {
      EXPECT_NEAR(left, 0.3, 0.05) << "channel " << c << " of " << k.channels << " is front left";
    } else {
      EXPECT_LT(left, 0.05) << "channel " << c << " of " << k.channels << " is not on the left";
    }
    if (c == k.right) {
      EXPECT_NEAR(right, 0.3, 0.05) << "channel " << c << " of " << k.channels << " is front right";
    } else {
      EXPECT_LT(right, 0.05) << "channel " << c << " of " << k.channels << " is not on the right";
    }
  }
}

TEST_F(SoundLoaderTest, OtherRatesAreResampledToTheMixRate) {
  constexpr int kRate = 22050;
  const auto snd = Load(Write("slow.ogg", EncodeVorbis({Tone(1000, 0.5, kRate, kRate)}, kRate)));
  ASSERT_TRUE(snd) << why;
  EXPECT_NEAR(static_cast<double>(snd->Frames()), kMixRate, 2) << "one second at 22050 Hz is one second at 48000 Hz";
  EXPECT_NEAR(Amplitude(snd->samples, 0, 1, 1000, kMixRate), 0.5, 0.05) << "the tone keeps its pitch";
  const std::vector<int16_t> tail(snd->samples.end() - kMixRate / 20, snd->samples.end());
  EXPECT_NEAR(Amplitude(tail, 0, 1, 1000, kMixRate), 0.5, 0.05) << "the resampler gives back the sound's end too";
  EXPECT_LT(Amplitude(snd->samples, 0, 1, 1000.0 * kMixRate / kRate, kMixRate), 0.05)
      << "not played fast, as unconverted samples would be";
}

TEST_F(SoundLoaderTest, ChainedLinksOfOneLayoutLoadWhole) {
  Bytes chain = EncodeVorbis({Tone(440, 0.5, kMixRate, 6000)}, kMixRate, 1);
  const Bytes second = EncodeVorbis({Tone(440, 0.5, kMixRate, 4000)}, kMixRate, 2);
  chain.insert(chain.end(), second.begin(), second.end());
  const auto snd = Load(Write("chain.ogg", chain));
  ASSERT_TRUE(snd) << why;
  EXPECT_EQ(snd->Frames(), 10000u) << "both links are decoded, one after the other";
}

TEST_F(SoundLoaderTest, ChainedLinksThatChangeLayoutAreRefused) {
  Bytes chain = EncodeVorbis({Tone(440, 0.5, kMixRate, 6000)}, kMixRate, 1);
  const Bytes second =
      EncodeVorbis({Tone(440, 0.5, 22050, 4000), Tone(440, 0.5, 22050, 4000), Tone(440, 0.5, 22050, 4000)}, 22050, 2);
  chain.insert(chain.end(), second.begin(), second.end());
  EXPECT_FALSE(Load(Write("chain.ogg", chain))) << "a mono link followed by a three-channel one can't be one sound";
  EXPECT_FALSE(why.empty()) << "the reason is given";
}

// Files that load as nothing, each with a reason.
struct BadCase {
  const char* what;
  Bytes (*make)();
  bool directory;
};

Bytes Good() { return EncodeVorbis({Tone(440, 0.5, kMixRate, 48000)}, kMixRate); }

Bytes CutInTheMiddle() {
  Bytes b = Good();
  b.resize(b.size() / 2);
  return b;
}

Bytes CutAtAPageBoundary() {
  Bytes b = Good();
  for (std::size_t i = b.size() / 2; i + 4 < b.size(); ++i) {
    if (b[i] == 'O' && b[i + 1] == 'g' && b[i + 2] == 'g' && b[i + 3] == 'S') {
      b.resize(i);
      return b;
    }
  }
  ADD_FAILURE() << "the test file has no page boundary in its second half";
  return b;
}

Bytes HeadersOnly() {
  Bytes b = Good();
  b.resize(200);
  return b;
}

Bytes Garbage() {
  Bytes b(5000);
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<unsigned char>(i * 7919 + 13);
  return b;
}

Bytes Wav() {
  const unsigned char header[] = {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  Bytes b(44 + 2000, 0);
  std::copy(std::begin(header), std::end(header), b.begin());
  return b;
}

// The fuzzer's first finding: a damaged last page that vorbisfile's search
// for the stream's end trips over, leaking as it gives up.
Bytes DamagedLastPage() {
  Bytes b = Good();
  b[b.size() - 10] ^= 0x5a;
  return b;
}

// The fuzzer's second finding: a rate in the identification header that SDL's
// resampler can't take (it asks calloc for a negative size).
Bytes RateOfMegahertz() {
  Bytes b = Good();
  // The identification packet starts the first page, whose single segment
  // follows the 27-byte header: type and "vorbis", version, channels, rate.
  const std::size_t rate = 27 + 1 + 7 + 4 + 1;
  const uint32_t hz = 5636130;
  for (int i = 0; i < 4; ++i) b[rate + i] = static_cast<unsigned char>(hz >> (8 * i));
  const std::size_t page = 27 + 1 + b[27];
  const uint32_t crc = OggPageCrc(b.data(), page);
  for (int i = 0; i < 4; ++i) b[22 + i] = static_cast<unsigned char>(crc >> (8 * i));
  return b;
}

Bytes GarbageAfterTheEnd() {
  Bytes b = Good();
  const Bytes g = Garbage();
  b.insert(b.end(), g.begin(), g.end());
  return b;
}

class BadFileTest : public SoundLoaderTest, public ::testing::WithParamInterface<BadCase> {};

INSTANTIATE_TEST_SUITE_P(
    Kinds, BadFileTest,
    ::testing::Values(BadCase{"empty file", [] { return Bytes{}; }, false},
                      BadCase{"cut in the middle", CutInTheMiddle, false},
                      BadCase{"cut at a page boundary", CutAtAPageBoundary, false},
                      BadCase{"cut inside the headers", HeadersOnly, false},
                      BadCase{"garbage bytes", Garbage, false},
                      BadCase{"a WAV file renamed", Wav, false},
                      BadCase{"Opus in Ogg", OggOpusHeaders, false},
                      BadCase{"garbage after the stream's end", GarbageAfterTheEnd, false},
                      BadCase{"a damaged byte in the last page", DamagedLastPage, false},
                      BadCase{"a rate of 5.6 MHz", RateOfMegahertz, false},
                      BadCase{"a directory", nullptr, true}));

TEST_P(BadFileTest, LoadsAsNothingWithAReason) {
  const BadCase& k = GetParam();
  fs::path p = dir / "bad.ogg";
  if (k.directory) {
    fs::create_directory(p);
  } else {
    WriteBytes(p, k.make());
  }
  EXPECT_FALSE(Load(p)) << k.what << " is no sound";
  EXPECT_FALSE(why.empty()) << k.what << ": the reason is given";
}

TEST_F(SoundLoaderTest, MissingFileLoadsAsNothing) {
  EXPECT_FALSE(Load(dir / "nowhere.ogg")) << "a missing file is no sound";
  EXPECT_EQ(why, "no such file") << "and says so";
}

// Under the sanitizers a leak or an overflow in any of them fails the run.
TEST_F(SoundLoaderTest, EveryFuzzFindingLoadsAsNothingWithAReason) {
  int files = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(EARSHOT_FUZZ_REGRESSIONS)) {
    ++files;
    EXPECT_FALSE(Load(e.path())) << e.path().filename() << " is no sound";
    EXPECT_FALSE(why.empty()) << e.path().filename() << ": the reason is given";
  }
  EXPECT_GE(files, 3) << "the findings are in the tree";
}

TEST_F(SoundLoaderTest, ReasonIsOptional) {
  EXPECT_FALSE(LoadOgg((dir / "nowhere.ogg").c_str(), kMixRate, nullptr)) << "no place for a reason is no crash";
}

}  // namespace
}  // namespace platform::test
