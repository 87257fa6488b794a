// The bank's files as the game loads them: present, mono, of the right
// length, clear of full scale, balanced against each other, and ending quietly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "bank_files.h"
#include "spectrum.h"

namespace sfx_test {
namespace {

TEST(SoundBank, EveryFileLoadsAsMonoAtTheGameRate) {
  for (const BankFile& file : Files()) {
    std::string why;
    const platform::Sound& sound = Loaded(file.name, &why);
    EXPECT_GT(sound.Frames(), 0u) << file.name << " must load, but: " << why;
    EXPECT_EQ(sound.channels, 1) << file.name << " is placed by pan alone, so it must be mono";
  }
}

struct LengthCase {
  const char* prefix;  // every file whose name starts so
  double min_seconds, max_seconds;
  const char* why;
};

const LengthCase kLengths[] = {
    {"brt", 1.2, 2.5, "a breath must end before the next, four seconds on"},
    {"stp", 0.15, 0.35, "a footstep must end before the next step"},
    {"drp", 0.5, 1.2, "a fall is a thud and a short crumple"},
    {"dry", 0.0, 0.15, "the empty trigger is a click, repeated as fast as the player clicks"},
    {"exp", 2.0, 5.0, "the closing sound must be heard in full within the seven-second pause"},
    {"lck", 0.3, 0.8, "the target's call may be asked for once a second"},
    {"pch", 0.2, 0.5, "a strike is a short hit"},
    {"sht", 0.4, 1.0, "a shot is a crack with a short tail"},
    {"wsh", 0.3, 0.8, "a lunge is a fast whoosh"},
};

TEST(SoundBank, EachSoundLastsWithinTheRangeOfItsKind) {
  for (const BankFile& file : Files()) {
    const auto range = std::find_if(std::begin(kLengths), std::end(kLengths), [&](const LengthCase& c) {
      return file.name.rfind(c.prefix, 0) == 0;
    });
    ASSERT_NE(range, std::end(kLengths)) << "no length range for " << file.name;
    const double seconds = static_cast<double>(Loaded(file.name).Frames()) / kRate;
    EXPECT_GT(seconds, range->min_seconds) << file.name << ": " << range->why;
    EXPECT_LT(seconds, range->max_seconds) << file.name << ": " << range->why;
  }
}

TEST(SoundBank, NoDecodedSampleComesNearFullScale) {
  for (const BankFile& file : Files()) {
    const std::vector<int16_t>& s = Loaded(file.name).samples;
    int peak = 0;
    for (int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_LE(peak / 32768.0, 0.98) << file.name << " would clip once the mixer adds it to others";
    EXPECT_GE(peak / 32768.0, 0.25) << file.name << " wastes most of its range and will be lost under the rest";
  }
}

TEST(SoundBank, SoundsAreBalancedSoTheGameDecidesWhatIsLoud) {
  std::vector<double> levels;
  for (const BankFile& file : Files()) levels.push_back(ActiveLevelDb(Mono(Loaded(file.name)), kRate));
  std::vector<double> sorted = levels;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const std::string& name = Files()[i].name;
    // The beacon must carry from afar and the shot is the player's own gun:
    // both may stand a little above the rest, never below.
    const bool prominent = name == "lck" || name == "sht";
    EXPECT_GE(levels[i], median - 3) << name << " is quieter than the bank by accident of synthesis";
    EXPECT_LE(levels[i], median + (prominent ? 5 : 3)) << name << " is louder than the bank by accident of synthesis";
  }
}

TEST(SoundBank, EverySoundFadesOutRatherThanStopping) {
  for (const BankFile& file : Files()) {
    const std::vector<int16_t> s = Mono(Loaded(file.name));
    ASSERT_GT(s.size(), 48u) << file.name;
    int tail = 0;
    for (std::size_t i = s.size() - 48; i < s.size(); ++i) tail = std::max(tail, std::abs(static_cast<int>(s[i])));
    EXPECT_LT(tail / 32768.0, 0.01) << file.name << "'s last millisecond is loud enough to end in a click";
  }
}

}  // namespace
}  // namespace sfx_test
