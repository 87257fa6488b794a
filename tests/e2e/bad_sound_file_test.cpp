// Sound files that are broken, or merely unusual, in the program's own sfx/
// folder: the game names each one it can't load, once, and plays on with the
// rest; the unusual ones load and play.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "ogg_writer.h"
#include "scene.h"
#include "target_calls.h"

namespace e2e {
namespace {

using platform::test::Bytes;
using platform::test::EncodeVorbis;

// A broken file stands in for one of each kind the bank holds: a breath, the
// call, a footstep, a whoosh.
const char* const kReplaced[] = {"brt1", "lck", "stp4", "wsh"};

Bytes ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<float> Mono(const fs::path& original) { return DecodeSound(original).left; }

// s at ratio times its rate, by linear steps between its samples.
std::vector<float> Resampled(const std::vector<float>& s, double ratio) {
  std::vector<float> out(static_cast<std::size_t>(static_cast<double>(s.size()) * ratio));
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double at = static_cast<double>(i) / ratio;
    const auto j = static_cast<std::size_t>(at);
    const double f = at - static_cast<double>(j);
    out[i] = static_cast<float>(s[j] * (1 - f) + (j + 1 < s.size() ? s[j + 1] : 0) * f);
  }
  return out;
}

Bytes Wav(const std::vector<float>& s) {
  auto le = [](Bytes* b, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b->push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  Bytes b;
  const auto data = static_cast<std::uint32_t>(s.size() * 2);
  for (char c : std::string("RIFF")) b.push_back(static_cast<unsigned char>(c));
  le(&b, 36 + data, 4);
  for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<unsigned char>(c));
  le(&b, 16, 4), le(&b, 1, 2), le(&b, 1, 2), le(&b, kRate, 4), le(&b, kRate * 2, 4), le(&b, 2, 2), le(&b, 16, 2);
  for (char c : std::string("data")) b.push_back(static_cast<unsigned char>(c));
  le(&b, data, 4);
  for (float x : s) le(&b, static_cast<std::uint32_t>(static_cast<std::int16_t>(x * 32767)), 2);
  return b;
}

// Cut in the middle of the last Ogg page, past the headers.
Bytes CutMidPage(Bytes b) {
  std::size_t last = 0;
  for (std::size_t i = 0; i + 4 <= b.size(); ++i) {
    if (std::memcmp(&b[i], "OggS", 4) == 0) last = i;
  }
  b.resize(last + (b.size() - last) / 2);
  return b;
}

struct BadFile {
  const char* name;
  bool loads;
  // Puts the stand-in for original at path.
  void (*make)(const fs::path& path, const fs::path& original);
  friend void PrintTo(const BadFile& f, std::ostream* os) { *os << f.name; }
};

void Write(const fs::path& p, const Bytes& b) {
  fs::remove(p);
  platform::test::WriteBytes(p, b);
}

const BadFile kCases[] = {
    {"Missing", false, [](const fs::path& p, const fs::path&) { fs::remove(p); }},
    {"Empty", false, [](const fs::path& p, const fs::path&) { Write(p, {}); }},
    {"TruncatedMidPage", false, [](const fs::path& p, const fs::path& o) { Write(p, CutMidPage(ReadBytes(o))); }},
    {"RandomBytes", false,
     [](const fs::path& p, const fs::path&) {
       std::mt19937 rng(7);
       Bytes b(4096);
       for (auto& x : b) x = static_cast<unsigned char>(rng());
       Write(p, b);
     }},
    {"WavRenamedOgg", false, [](const fs::path& p, const fs::path& o) { Write(p, Wav(Mono(o))); }},
    {"OggOpus", false, [](const fs::path& p, const fs::path&) { Write(p, platform::test::OggOpusHeaders()); }},
    {"Directory", false,
     [](const fs::path& p, const fs::path&) {
       fs::remove(p);
       fs::create_directory(p);
     }},
    {"SixChannels", true,
     [](const fs::path& p, const fs::path& o) {
       const auto s = Mono(o);
       platform::test::Planar six(6, std::vector<float>(s.size(), 0));
       six[0] = s;  // front left and, in Vorbis order, front right
       for (std::size_t i = 0; i < s.size(); ++i) six[2][i] = s[i] * 0.5f;
       Write(p, EncodeVorbis(six, kRate));
     }},
    {"Rate8kHz", true, [](const fs::path& p, const fs::path& o) { Write(p, EncodeVorbis({Resampled(Mono(o), 1 / 6.0)}, 8000)); }},
    {"Rate96kHz", true, [](const fs::path& p, const fs::path& o) { Write(p, EncodeVorbis({Resampled(Mono(o), 2)}, 96000)); }},
    {"TenMinutes", true,
     [](const fs::path& p, const fs::path& o) {
       auto s = Mono(o);
       const auto tail = platform::test::Tone(220, 0.01, kRate, 600 * kRate - s.size());
       s.insert(s.end(), tail.begin(), tail.end());
       Write(p, EncodeVorbis({s}, kRate));
     }},
};

class BadSoundFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadSoundFile, GameNamesWhatItCantLoadAndPlaysOn) {
  const BadFile& bad = GetParam();
  Scene s;
  // A valid stand-in replaces the call, which a right click plays whenever
  // the test likes, so it can be heard to play.
  if (bad.loads) {
    bad.make(s.Sfx("lck"), Scene::OriginalSfx("lck"));
  } else {
    for (const char* name : kReplaced) bad.make(s.Sfx(name), Scene::OriginalSfx(name));
  }
  const Clip call = bad.loads ? DecodeSound(s.Sfx("lck")) : Clip{};

  s.StartDisplay();
  s.StartGame();
  s.AwaitWindow();
  s.AwaitSound();
  s.AwaitLoop();
  TargetCalls calls(s);
  const Match heard = calls.Call();
  const std::size_t before = s.FramesNow();
  s.Click(1);
  s.AwaitFrames(before + kRate);
  s.Key("Escape");
  ASSERT_EQ(s.AwaitExit(10), std::optional<int>(0)) << "the game plays on and quits on Escape; stderr: " << s.Stderr();

  const auto lines = s.StderrLines("earshot: cannot load ");
  if (bad.loads) {
    EXPECT_TRUE(lines.empty()) << "a valid file loads; stderr: " << s.Stderr();
    // Heard through the game's loader: what the test's own decode says it holds.
    const Match own = SoundSearch(s.Capture(), call.Head(0.6), heard.frame - kRate / 10, heard.frame + kRate / 10).Best();
    EXPECT_NEAR(own.Level(), std::exp(-800 / kCallReach), 0.005)
        << "the stand-in call plays, 800 units away (L " << own.left << " R " << own.right << " fit " << own.fit << ")";
  } else {
    EXPECT_EQ(lines.size(), std::size(kReplaced)) << "one line for each file that can't be loaded; stderr: " << s.Stderr();
    for (const char* name : kReplaced) {
      const std::string path = std::string("sfx/") + name + ".ogg";
      int named = 0;
      for (const auto& l : lines) named += l.find(path + ":") != std::string::npos;
      EXPECT_EQ(named, 1) << path << " is named once; stderr: " << s.Stderr();
    }
  }
  const Match shot =
      SoundSearch(s.Capture(), DecodeSound(Scene::OriginalSfx("sht")).Head(0.5), before - kRate / 20, before + kRate / 5).Best();
  // Loose: a zombie's footstep may fall on it.
  EXPECT_GT(shot.fit, 0.6) << "the sounds that loaded play on: the shot";
  EXPECT_NEAR(shot.Level(), 1.0, 0.1) << "at full level";
}

INSTANTIATE_TEST_SUITE_P(Kinds, BadSoundFile, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
