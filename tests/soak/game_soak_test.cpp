// The whole game, zombies included, played by a random player for a long
// simulated while: no error, no leak (under the sanitizers), the list of
// playing sounds and the channels stay bounded, and every record is dropped
// and its channel stopped exactly once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <set>

#include "game/game.h"
#include "tests/game/fake_platform.h"

namespace {

constexpr int kPassesPerMinute = 50 * 60;
constexpr int kGameMinutes = 10;  // a fresh game at least this often

// Counts the channels allocated and not yet stopped.
class CountingPlatform : public FakePlatform {
 public:
  int live = 0;
  platform::Channel AllocChannel() override {
    ++live;
    return FakePlatform::AllocChannel();
  }
  void StopChannel(platform::Channel c) override {
    if (chans.at(c).stops == 0) --live;
    FakePlatform::StopChannel(c);
  }
};

struct Figures {
  int passes = 0, games = 0;
  int struckDown = 0, atTarget = 0;  // games that ended early, by how
  std::size_t peakChns = 0;
  int peakLive = 0, records = 0;
};

// Walks, turns, shoots and calls the target at random, but keeps clear of
// the target's reach and its line of fire so that a game lasts.
class RandomPlayer {
 public:
  explicit RandomPlayer(unsigned seed) : rng_(seed) {}

  void Act(const Game& g, FakePlatform& pf) {
    const TPlr& p = *g.plr;
    const double tx = g.tgt->x - p.x, ty = g.tgt->y - p.y;
    const double dist = std::hypot(tx, ty);
    if (Chance(0.02)) {
      pf.held.clear();
      for (int key : {platform::kKeyW, platform::kKeyS, platform::kKeyA, platform::kKeyD}) {
        if (Chance(0.3)) pf.held.insert(key);
      }
    }
    pf.mouseDx = std::uniform_int_distribution<int>(-30, 30)(rng_);
    if (dist < 150) {
      // Face away from the target and walk on.
      const double away = std::atan2(-ty, -tx) * 180 / std::acos(-1.0);
      const double turn = std::remainder(away - p.a, 360.0);
      pf.mouseDx = static_cast<int>(std::clamp(turn / 0.15, -200.0, 200.0));
      pf.held = {platform::kKeyW};
    }
    const double rad = p.a * std::acos(-1.0) / 180;
    const bool ahead = std::cos(rad) * tx + std::sin(rad) * ty >= 0;
    const bool inLine = std::fabs(std::sin(rad) * tx - std::cos(rad) * ty) < 40;
    if (Chance(0.005) && !(ahead && inLine && dist < 450)) ++pf.mouseHits[platform::kMouseLeft];
    if (Chance(0.01)) ++pf.mouseHits[platform::kMouseRight];
  }

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  std::mt19937 rng_;
};

// One game of at most `passes` passes; checks its books at the end.
void PlayOneGame(int passes, unsigned seed, Figures* fig) {
  CountingPlatform pf;
  pf.now = 1000 + static_cast<int>(seed % 100000);
  pf.soundMs = 1200;  // long enough for breaths and steps to overlap
  Game g{pf};
  game = &g;
  RandomPlayer player(seed);
  Startup();
  ++fig->games;
  int done = 0;
  try {
    for (; done < passes; ++done) {
      // Lives restored, so strikes don't end the game; three in one pass still may.
      g.plr->l = 3;
      player.Act(g, pf);
      Pass();
      pf.now += pf.tickMs;
      fig->peakChns = std::max(fig->peakChns, g.chns.size());
      fig->peakLive = std::max(fig->peakLive, pf.live);
      ASSERT_LE(static_cast<std::size_t>(pf.live), g.chns.size())
          << "pass " << done << ": every allocated channel belongs to a listed record";
    }
  } catch (const ProcessEnded& end) {
    const bool closing = std::find(pf.plain.begin(), pf.plain.end(), g.sndExp) != pf.plain.end();
    ++(closing ? fig->atTarget : fig->struckDown);
    EXPECT_EQ(end.status, 0) << "every end of a game exits with status 0";
  }
  fig->passes += done;
  fig->records += static_cast<int>(pf.chans.size());

  std::set<platform::Channel> listed, cutOff;
  for (const auto& rec : g.chns) listed.insert(rec->c);
  for (const auto& z : g.zmbs) {
    if (z->l == 0 && z->c) cutOff.insert(z->c->c);
  }
  for (platform::Channel c = 0; c < static_cast<platform::Channel>(pf.chans.size()); ++c) {
    const int byUpkeep = listed.count(c) ? 0 : 1;
    const int byShot = cutOff.count(c) ? 1 : 0;
    ASSERT_EQ(pf.chans[c].stops, byUpkeep + byShot)
        << "game " << fig->games << ", channel " << c << ": a dropped record's channel is stopped once by"
        << " the upkeep, a listed one not yet, and a fallen zombie's breath once more by the shot";
  }
  EXPECT_EQ(pf.live, static_cast<int>(listed.size() - std::count_if(listed.begin(), listed.end(), [&](int c) {
                       return cutOff.count(c) > 0;
                     })))
      << "game " << fig->games << ": no channel is lost and none released twice";
}

int SoakMinutes() {
  const char* env = std::getenv("EARSHOT_SOAK_MINUTES");
  return env && std::atoi(env) > 0 ? std::atoi(env) : 60;
}

TEST(GameSoakTest, ARandomPlayerRunsTheWholeGameWithoutLeakOrDrift) {
  const int total = SoakMinutes() * kPassesPerMinute;
  Figures fig;
  for (unsigned seed = 1; fig.passes < total && !HasFatalFailure(); ++seed) {
    PlayOneGame(std::min(total - fig.passes, kGameMinutes * kPassesPerMinute), seed, &fig);
  }
  game = nullptr;
  EXPECT_GE(fig.passes, total) << "the whole span was played";
  EXPECT_LT(fig.peakChns, 1000u) << "fifty zombies and a player keep the list short, far below 4095 channels";
  EXPECT_GT(fig.records, fig.passes / 10) << "the player and the zombies made sound all along";
  std::printf("soak: %d passes (%d simulated minutes) in %d games, %d struck down, %d at the target; %d records;"
              " peak chns %zu, peak channels %d\n",
              fig.passes, fig.passes / kPassesPerMinute, fig.games, fig.struckDown, fig.atTarget, fig.records,
              fig.peakChns, fig.peakLive);
}

}  // namespace
