// Each kind must be told from every other by ear alone, so their spectral
// envelopes must lie apart, while the variations of one kind stay together.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>

#include "bank_files.h"
#include "spectrum.h"

namespace sfx_test {
namespace {

// RMS over 24 bands of the difference in energy share, in dB.
constexpr double kKindsApartDb = 5;
constexpr double kBreathsApartDb = 5;
constexpr double kBeaconApartDb = 12;

class SpectralDistance : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const BankFile& file : Files()) {
      envelopes_[file.name] = SpectralEnvelope(Mono(Loaded(file.name)), kRate);
    }
  }
  static double Between(const BankFile& a, const BankFile& b) {
    return Distance(envelopes_[a.name], envelopes_[b.name]);
  }
  static std::map<std::string, Envelope> envelopes_;
};

std::map<std::string, Envelope> SpectralDistance::envelopes_;

TEST_F(SpectralDistance, EveryKindSoundsUnlikeEveryOtherKind) {
  for (const BankFile& a : Files()) {
    for (const BankFile& b : Files()) {
      if (a.kind >= b.kind) continue;
      EXPECT_GT(Between(a, b), kKindsApartDb) << a.name << " and " << b.name << " would be mistaken for each other";
    }
  }
}

TEST_F(SpectralDistance, FootstepsAreNearerToEachOtherThanToAnyOtherKind) {
  double widest_within = 0;
  double nearest_other = std::numeric_limits<double>::max();
  for (const BankFile& a : Files()) {
    if (a.kind != "footstep") continue;
    for (const BankFile& b : Files()) {
      if (&a == &b) continue;
      if (b.kind == "footstep") {
        widest_within = std::max(widest_within, Between(a, b));
      } else {
        nearest_other = std::min(nearest_other, Between(a, b));
      }
    }
  }
  EXPECT_LT(widest_within, nearest_other) << "the eight footsteps must sound like one walker, unlike everything else";
}

TEST_F(SpectralDistance, TheThreeBreathsAreClearlyDifferent) {
  for (const BankFile& a : Files()) {
    for (const BankFile& b : Files()) {
      if (a.kind != "breath" || b.kind != "breath" || a.name >= b.name) continue;
      EXPECT_GT(Between(a, b), kBreathsApartDb) << a.name << " and " << b.name << " must not sound like one breath";
    }
  }
}

TEST_F(SpectralDistance, TheBeaconStandsApartFromEverySound) {
  const BankFile& beacon = *std::find_if(Files().begin(), Files().end(), [](const BankFile& f) { return f.name == "lck"; });
  for (const BankFile& other : Files()) {
    if (&other == &beacon) continue;
    EXPECT_GT(Between(beacon, other), kBeaconApartDb) << "the target's call must be picked out from far off, even among " << other.name;
  }
}

}  // namespace
}  // namespace sfx_test
