// The player's tick: turning, walking and its footsteps, the gun, the
// target's call, reaching the target, and the aim test.
#include <cmath>

#include "tests/game/game_fixture.h"

namespace {

using platform::kKeyA;
using platform::kKeyD;
using platform::kKeyS;
using platform::kKeyW;
using platform::kMouseLeft;
using platform::kMouseRight;

class PlayerTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    StartPlayerOnly();
  }
  TPlr& plr() { return *g.plr; }
};

TEST_F(PlayerTest, WalkingMakesAFootstepEveryTwentyFourUnitsAndOneOnStopping) {
  pf.held = {kKeyW};
  Tick();
  EXPECT_EQ(Footsteps(), 1) << "setting off makes a footstep";
  EXPECT_EQ(plr().pp.x, 1.0f) << "recorded after the first tick's move";
  for (int i = 0; i < 24; ++i) Tick();
  EXPECT_EQ(Footsteps(), 1) << "24 units from the last footstep is not more than 24";
  Tick();
  EXPECT_EQ(Footsteps(), 2) << "the 25th tick after the first footstep makes the next";
  pf.held.clear();
  Tick();
  EXPECT_EQ(Footsteps(), 3) << "the first tick with no key held makes one more";
  Tick();
  EXPECT_EQ(Footsteps(), 3) << "standing still makes none";
  EXPECT_EQ(plr().x, 26.0f);
}

struct MoveCase {
  std::set<int> keys;
  float x, y;
};

class MoveTest : public PlayerTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, KeysMoveAlongTheHeading) {
  pf.held = GetParam().keys;
  Tick();
  EXPECT_NEAR(plr().x, GetParam().x, 1e-6);
  EXPECT_NEAR(plr().y, GetParam().y, 1e-6);
  EXPECT_EQ(Footsteps(), 1) << "one footstep on setting off, even with both pairs held";
}

INSTANTIATE_TEST_SUITE_P(Table, MoveTest,
                         ::testing::Values(MoveCase{{kKeyW}, 1, 0}, MoveCase{{kKeyS}, -1, 0},
                                           MoveCase{{kKeyW, kKeyS}, -1, 0},  // both: back
                                           MoveCase{{kKeyA}, 0, -0.6f}, MoveCase{{kKeyD}, 0, 0.6f},
                                           MoveCase{{kKeyA, kKeyD}, 0, 0.6f},  // both: right
                                           MoveCase{{kKeyW, kKeyA}, 1, -0.6f}));

TEST_F(PlayerTest, SideStepAtHeadingNinetyGoesAlongX) {
  PlacePlayer(0, 0, 90);
  pf.held = {kKeyD};
  Tick();
  EXPECT_NEAR(plr().x, -0.6, 1e-6) << "the right-hand vector at heading 90 is (-1, 0)";
  EXPECT_NEAR(plr().y, 0, 1e-6);
}

struct TurnCase {
  float from;   // heading at the last footstep, and now
  int pixels;   // mouse motion in one tick
  float to;     // heading after the tick
  int footsteps;
};

class TurnTest : public PlayerTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(TurnTest, TurnsByAPointOneFiveDegreesPerPixel) {
  const TurnCase& c = GetParam();
  PlacePlayer(0, 0, c.from);
  pf.mouseDx = c.pixels;
  Tick();
  EXPECT_FLOAT_EQ(plr().a, c.to);
  EXPECT_EQ(Footsteps(), c.footsteps) << "a footstep only past 45 degrees from the last one";
}

INSTANTIATE_TEST_SUITE_P(Table, TurnTest,
                         ::testing::Values(TurnCase{0, 300, 45, 0},        // exactly 45: none
                                           TurnCase{0, 301, 45.15f, 1},
                                           TurnCase{0, -301, -45.15f, 1},
                                           TurnCase{0.1f, -1, -0.05f, 0},  // not wrapped to 359.95
                                           TurnCase{350, 100, 365, 0}));   // nor to 5

TEST_F(PlayerTest, RecentringIsNotCountedAsATurn) {
  pf.mouseDx = 10;
  Tick();
  const float after = plr().a;
  Tick();
  EXPECT_EQ(plr().a, after) << "holding the mouse still keeps the heading";
  EXPECT_EQ(pf.calls.back(), "MouseXSpeed") << "the jump back to the centre is asked for and discarded";
  EXPECT_EQ(pf.calls.end()[-2], "MoveCursor 640,512");
}

TEST_F(PlayerTest, TwoPressesInOneTickFireOneShot) {
  pf.mouseHits[kMouseLeft] = 2;
  Tick();
  EXPECT_EQ(pf.plain, std::vector<const platform::Sound*>{g.sndSht});
  EXPECT_EQ(plr().ammo, 6);
}

TEST_F(PlayerTest, SevenShotsThenTheEmptyGunAndAmmoGoesBelowZero) {
  for (int i = 0; i < 9; ++i) {
    pf.mouseHits[kMouseLeft] = 1;
    Tick();
  }
  std::vector<const platform::Sound*> want(7, g.sndSht);
  want.push_back(g.sndDry);
  want.push_back(g.sndDry);
  EXPECT_EQ(pf.plain, want);
  EXPECT_EQ(plr().ammo, -2);
}

TEST_F(PlayerTest, ShootingTheTargetEndsTheGame) {
  PlacePlayer(500, 0, 0);
  pf.mouseHits[kMouseLeft] = 1;
  pf.draws = {DrawFor(300, 100, 400)};  // the range of the target's aim test
  EXPECT_THROW(Tick(), ProcessEnded);
  EXPECT_EQ(pf.plain, (std::vector<const platform::Sound*>{g.sndSht, g.sndExp}));
  EXPECT_EQ(pf.delayed, 7000);
}

TEST_F(PlayerTest, AnEmptyGunNeverTestsTheTarget) {
  PlacePlayer(750, 0, 0);
  plr().ammo = 0;
  pf.mouseHits[kMouseLeft] = 1;
  const int draws = pf.drawsTaken;
  Tick();
  EXPECT_EQ(pf.plain, std::vector<const platform::Sound*>{g.sndDry});
  EXPECT_EQ(pf.drawsTaken, draws) << "no range drawn: the target is not tested";
}

TEST_F(PlayerTest, TargetCallIsRefusedForASecondAndARefusedPressIsDropped) {
  pf.readStep = 5;  // every reading is fresh
  auto press = [&] {
    pf.mouseHits[kMouseRight] = 1;
    Tick();
    return pf.Started(g.sndLck).size();
  };
  EXPECT_EQ(press(), 1u) << "t starts at 0: the first press is accepted";
  const int t = plr().t;
  EXPECT_GT(t, 1000) << "t is a fresh reading after the call + 1000";
  pf.now = t - 1;
  EXPECT_EQ(press(), 1u) << "a press before t is refused";
  pf.now = t;
  Tick();
  EXPECT_EQ(pf.Started(g.sndLck).size(), 1u) << "the refused press is not kept for later";
  EXPECT_EQ(press(), 2u) << "a new press once the clock has reached t is accepted";
}

struct ReachCase {
  float x;
  bool ends;
};

class ReachTest : public PlayerTest, public ::testing::WithParamInterface<ReachCase> {};

TEST_P(ReachTest, ComingWithin35OfTheTargetEndsTheGame) {
  PlacePlayer(GetParam().x, 0, 0);
  if (GetParam().ends) {
    EXPECT_THROW(Tick(), ProcessEnded);
    EXPECT_EQ(pf.plain, std::vector<const platform::Sound*>{g.sndExp});
  } else {
    EXPECT_NO_THROW(Tick());
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ReachTest,
                         ::testing::Values(ReachCase{800 - 34.99f, true}, ReachCase{765, false},
                                           ReachCase{835, false}, ReachCase{800, true}));

struct AimCase {
  const char* what;
  float a;
  float tx, ty;
  int range;  // the drawn r, or 0 where none is drawn
  float want;
};

class AimTest : public PlayerTest, public ::testing::WithParamInterface<AimCase> {};

TEST_P(AimTest, GetDMeasuresTheDistanceFromTheLineOfFire) {
  const AimCase& c = GetParam();
  PlacePlayer(0, 0, c.a);
  TPos target;
  target.x = c.tx;
  target.y = c.ty;
  if (c.range) pf.draws = {DrawFor(c.range, 100, 400)};
  const int draws = pf.drawsTaken;
  EXPECT_NEAR(plr().GetD(target), c.want, 1e-4) << c.what;
  EXPECT_EQ(pf.drawsTaken - draws, c.range ? 1 : 0) << c.what << ": a range is drawn only for a point ahead";
}

INSTANTIATE_TEST_SUITE_P(
    Table, AimTest,
    ::testing::Values(AimCase{"behind", 0, -50, 10, 0, 9999}, AimCase{"own position", 0, 0, 0, 100, 0},
                      AimCase{"abeam counts as ahead", 0, 0, 20, 100, 20},
                      AimCase{"ahead within 100, least range", 0, 99, 7, 100, 7},
                      AimCase{"beyond 400 at most range", 0, 401, 0, 400, 9999},
                      AimCase{"250 away, range 249", 0, 250, 0, 249, 9999},
                      AimCase{"250 away, range 250", 0, 250, 0, 250, 0},
                      AimCase{"heading 90, off the line", 90, 3, 50, 100, 3}));

}  // namespace
