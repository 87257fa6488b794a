// The zombies: spawning, breath, walking, the reach check, strikes, and
// falling to a shot.
#include <cmath>

#include "tests/game/game_fixture.h"

namespace {

class ZombieTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    StartPlayerOnly();
  }

  // A standing zombie at (x, y) facing a, with nothing due before `quiet` ms
  // from now but its reach check.
  TZmb& AddZombie(float x, float y, float a = 0, int quiet = 100000) {
    auto z = std::make_unique<TZmb>();
    z->x = z->pp.x = x;
    z->y = z->pp.y = y;
    z->a = z->pp.a = a;
    z->s = 12;
    z->tm = z->tb = pf.now + quiet;
    z->bi = 5000;
    g.zmbs.push_back(std::move(z));
    return *g.zmbs.back();
  }

  std::size_t Whooshes() const { return pf.Started(g.sndWsh).size(); }
  std::size_t Strikes() const { return pf.Started(g.sndPch).size(); }
  std::size_t Falls() const { return pf.Started(g.sndDrp).size(); }

  void Shoot() {
    pf.mouseHits[platform::kMouseLeft] = 1;
    Tick();
  }
};

TEST_F(GameTest, SpawnsFiftyZombiesInTheOrderOfDraws) {
  pf.now = 777;
  pf.draws = {DrawFor(10, 0, 359)};  // the player's heading
  for (int i = 0; i < 50; ++i) {
    for (double r : {DrawFor(i, 0, 359), DrawFor(100 + i, 100, 1200), DrawFor(-400 + i, -400, 400),
                     DrawFor(20000 - i, 0, 20000), DrawFor(i, 0, 5000), DrawFor(4000 + i, 4000, 6000)}) {
      pf.draws.push_back(r);
    }
  }
  Startup();
  EXPECT_EQ(g.plr->a, 10.0f);
  ASSERT_EQ(g.zmbs.size(), 50u);
  for (int i = 0; i < 50; ++i) {
    const TZmb& z = *g.zmbs[i];
    EXPECT_EQ(z.a, i) << "heading, then x, then y, then tm, tb and bi, zombie " << i;
    EXPECT_EQ(z.x, 100 + i);
    EXPECT_EQ(z.y, -400 + i);
    EXPECT_EQ(z.tm, 777 + 20000 - i);
    EXPECT_EQ(z.tb, 777 + i);
    EXPECT_EQ(z.bi, 4000 + i);
    EXPECT_EQ(z.pp.x, z.x);
    EXPECT_EQ(z.pp.y, z.y);
    EXPECT_EQ(z.pp.a, z.a);
    EXPECT_EQ(z.s, 12);
    EXPECT_EQ(z.ta, 0) << "the first reach check comes at the first update";
    EXPECT_EQ(z.m, 0) << "every zombie starts standing";
    EXPECT_EQ(z.l, 1);
    EXPECT_EQ(z.c, nullptr);
    EXPECT_EQ(static_cast<const TFig&>(z).m, 0) << "the inherited moving flag stays 0";
  }
}

TEST_F(GameTest, SpawnedZombiesLieAroundTheTargetAndNoneReactsAtTheFirstTick) {
  pf.now = 123456;
  Startup();
  for (const auto& z : g.zmbs) {
    EXPECT_GE(z->x, 100);
    EXPECT_LE(z->x, 1200);
    EXPECT_GE(z->y, -400);
    EXPECT_LE(z->y, 400);
    EXPECT_EQ(z->a, std::floor(z->a));
    EXPECT_LE(z->tb, 123456 + 5000);
  }
  Tick();
  EXPECT_TRUE(pf.Started(g.sndWsh).empty()) << "every zombie starts at least 100 units away";
  for (const auto& z : g.zmbs) EXPECT_GT(z->ta, 123456) << "each made its first reach check";
}

TEST_F(ZombieTest, BreathesWhenDueAndKeepsItsLatestBreath) {
  TZmb& z = AddZombie(150, 0);
  z.tb = pf.now - 10;  // due before the first tick
  Tick();
  ASSERT_NE(z.c, nullptr) << "a breath due before the first tick comes at the first update";
  EXPECT_NEAR(pf.chans[z.c->c].vol, 0.3 * std::exp(-150.0 / 50), 1e-6);
  EXPECT_EQ(z.tb, pf.now - pf.tickMs + 5000) << "the next breath bi after this one";
  const auto first = z.c;
  pf.now = z.tb;
  Tick();
  EXPECT_NE(z.c, first) << "c holds the latest breath";
}

struct ReachCase {
  const char* what;
  float dx, dy;  // the zombie's place, the player at the origin
  bool whoosh, strike;
};

class ReachCheckTest : public ZombieTest, public ::testing::WithParamInterface<ReachCase> {};

TEST_P(ReachCheckTest, WhooshesWithin70AndStrikesWithin30) {
  const ReachCase& c = GetParam();
  TZmb& z = AddZombie(c.dx, c.dy, 17);
  Tick();
  EXPECT_EQ(Whooshes(), c.whoosh ? 1u : 0u) << c.what;
  EXPECT_EQ(Strikes(), c.strike ? 1u : 0u) << c.what;
  EXPECT_EQ(g.plr->l, c.strike ? 2 : 3) << c.what;
  if (c.whoosh) {
    EXPECT_NEAR(z.a, std::atan2(0.0 - c.dy, 0.0 - c.dx) * 180 / 3.14159265358979, 1e-4) << c.what << ": faces the player";
  } else {
    EXPECT_EQ(z.a, 17) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReachCheckTest,
    ::testing::Values(ReachCase{"exactly 70", 70, 0, false, false},
                      ReachCase{"below 70 but 70 as a Float", 69.99999237f, 0.024f, false, false},
                      ReachCase{"just within 70", 69.99999237f, 0, true, false},
                      ReachCase{"exactly 30", 0, -30, true, false},
                      ReachCase{"below 30 but 30 as a Float", 29.99999809f, 0.008f, true, false},
                      ReachCase{"just within 30", -29.99999809f, 0, true, true},
                      ReachCase{"on the player", 0, 0, true, true}));

TEST_F(ZombieTest, OnThePlayersPositionTurnsToHeadingZero) {
  TZmb& z = AddZombie(0, 0, 200);
  Tick();
  EXPECT_EQ(z.a, 0.0f);
}

TEST_F(ZombieTest, StrikesAtMostOncePerReachCheck) {
  AddZombie(10, 0);
  for (int i = 0; i < 40; ++i) Tick();  // 800 ms
  EXPECT_EQ(Strikes(), 1u);
  Tick();
  EXPECT_EQ(Strikes(), 2u) << "the next check 800 ms after the first";
}

TEST_F(ZombieTest, AStandingZombieThatFindsThePlayerSetsOffOnTheNextTick) {
  TZmb& z = AddZombie(50, 0, 90);
  Tick();
  EXPECT_EQ(z.m, 0) << "turns at once but stands this tick";
  EXPECT_EQ(z.a, 180.0f);
  const int steps = Footsteps();
  pf.draws = {DrawFor(3, 0, 7), DrawFor(3000, 2000, 5000)};  // the footstep's sound, the walk's length
  const int setOff = pf.now;
  Tick();
  EXPECT_EQ(z.m, 1) << "walking from the next update";
  EXPECT_EQ(Footsteps(), steps + 1) << "with a footstep";
  EXPECT_EQ(z.tm, setOff + 3000) << "the walk lasts RandRange(2000, 5000) from that tick";
  EXPECT_NEAR(z.x, 50 - 0.7, 1e-5) << "and moves in the same update";
}

TEST_F(ZombieTest, AWalkingZombieKeepsItsToggleTimeWhenItFindsThePlayer) {
  TZmb& z = AddZombie(50, 0, 0);
  z.m = 1;
  const int tm = z.tm;
  Tick();
  EXPECT_EQ(Whooshes(), 1u);
  EXPECT_EQ(z.tm, tm);
}

TEST_F(ZombieTest, WalkingStraightOnMakesTheNextFootstepOnTheEighteenthTick) {
  TZmb& z = AddZombie(500, 0, 0);
  z.m = 1;
  for (int i = 0; i < 17; ++i) Tick();
  EXPECT_EQ(Footsteps(), 0) << "11.9 units is not more than 12";
  Tick();
  EXPECT_EQ(Footsteps(), 1) << "12.6 units is";
  EXPECT_NEAR(z.pp.x, 500 + 18 * 0.7, 1e-3);
}

struct HeadingCase {
  float before, after;
  bool footstep;
};

class HeadingTest : public ZombieTest, public ::testing::WithParamInterface<HeadingCase> {};

TEST_P(HeadingTest, TurnsCompareHeadingsAsPlainNumbers) {
  const HeadingCase& c = GetParam();
  const double r = c.after * 3.14159265358979 / 180;
  // Placed 50 units from the player, so that facing the player means heading `after`.
  TZmb& z = AddZombie(static_cast<float>(-50 * std::cos(r)), static_cast<float>(-50 * std::sin(r)), c.before);
  Tick();
  EXPECT_NEAR(z.a, c.after, 1e-3);
  EXPECT_EQ(Footsteps(), c.footstep ? 1 : 0) << c.before << " to " << c.after;
}

INSTANTIATE_TEST_SUITE_P(Table, HeadingTest,
                         ::testing::Values(HeadingCase{350, -5, true}, HeadingCase{170, -170, true},
                                           HeadingCase{10, -30, false}, HeadingCase{100, 160, true}));

TEST_F(ZombieTest, TheLastStrikeEndsTheGameBeforeLaterZombiesMove) {
  g.plr->l = 2;
  AddZombie(5, 0);
  AddZombie(0, 5);
  TZmb& later = AddZombie(0, -5);
  EXPECT_THROW(Tick(), ProcessEnded);
  EXPECT_EQ(Strikes(), 2u) << "two zombies strike in the same tick";
  EXPECT_EQ(g.plr->l, 0);
  EXPECT_EQ(later.ta, 0) << "the zombie after the last strike is not updated";
  EXPECT_TRUE(pf.plain.empty()) << "no closing sound";
  EXPECT_EQ(pf.delayed, 7000);
}

TEST_F(ZombieTest, OneShotFellsEveryZombieInLine) {
  TZmb& a = AddZombie(-50, 0);  // behind
  TZmb& b = AddZombie(80, 3);
  TZmb& c = AddZombie(90, -14);
  TZmb& d = AddZombie(95, 16);  // off the line
  Shoot();
  EXPECT_EQ(Falls(), 2u);
  EXPECT_EQ(a.l, 1);
  EXPECT_EQ(b.l, 0);
  EXPECT_EQ(c.l, 0) << "not only the first that passes";
  EXPECT_EQ(d.l, 1);
}

TEST_F(ZombieTest, AShotCutsOffABreathAndStopsNothingBeforeTheFirst) {
  TZmb& before = AddZombie(60, 0);
  TZmb& during = AddZombie(70, 0);
  TZmb& after = AddZombie(80, 0);
  during.tb = after.tb = pf.now;
  for (auto* z : {&before, &during, &after}) z->ta = pf.now + 100000;  // keep them from reacting
  Tick();
  pf.now += 600;  // after's breath (500 ms here) ends; during gets a fresh one
  during.tb = pf.now;
  Tick();  // its upkeep drops after's ended breath
  ASSERT_TRUE(during.c && after.c);
  EXPECT_EQ(pf.chans[after.c->c].stops, 1);
  g.plr->Shoot();
  EXPECT_EQ(before.c, nullptr) << "a zombie that never breathed has nothing to stop";
  EXPECT_EQ(pf.chans[during.c->c].stops, 1) << "the breath that plays is cut off";
  EXPECT_FALSE(pf.ChannelPlaying(during.c->c));
  EXPECT_EQ(pf.chans[after.c->c].stops, 2) << "an ended breath is stopped again, harmlessly";
  EXPECT_EQ(Falls(), 3u);
  Upkeep();
  EXPECT_EQ(pf.chans[during.c->c].stops, 2) << "the upkeep stops the cut-off breath again and drops it";
  EXPECT_EQ(g.chns.size(), 3u) << "only the three falls still play";
}

TEST_F(ZombieTest, AFallenZombieIsSilentStillAndStillAsked) {
  TZmb& z = AddZombie(50, 0);
  z.m = 1;
  Shoot();
  ASSERT_EQ(z.l, 0);
  const float x = z.x;
  const std::size_t sounds = pf.chans.size();
  z.tb = z.tm = z.ta = 0;
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(z.x, x) << "does not move";
  EXPECT_EQ(pf.chans.size(), sounds) << "makes no sound";
  const int draws = pf.drawsTaken;
  pf.draws = {DrawFor(100, 100, 400), DrawFor(100, 100, 400)};
  Shoot();
  EXPECT_EQ(pf.drawsTaken - draws, 2) << "the shot asks GetD of the fallen zombie as of the target";
  EXPECT_EQ(Falls(), 1u) << "and it cannot fall again";
}

}  // namespace
