// Where a positional sound is placed, and how the upkeep keeps chns.
#include <cmath>

#include "tests/game/game_fixture.h"

namespace {

struct PlaceCase {
  const char* what;
  float lx, ly, la;  // the listener
  float sx, sy;      // the source
  float v, e;
  float pan, vol;
};

class PlacementTest : public GameTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(PlacementTest, PlaysAtPanAndVolumeOfItsPlace) {
  const PlaceCase& c = GetParam();
  g.plr = std::make_unique<TPlr>();
  PlacePlayer(c.lx, c.ly, c.la);
  TPos src;
  src.x = c.sx;
  src.y = c.sy;
  platform::Sound snd;
  src.Play(&snd, c.v, c.e);

  ASSERT_EQ(pf.chans.size(), 1u);
  const FakeChannel& ch = pf.chans[0];
  EXPECT_NEAR(ch.pan, c.pan, 1e-4) << c.what;
  EXPECT_NEAR(ch.vol, c.vol, 1e-4) << c.what;
  ASSERT_EQ(ch.placements.size(), 1u) << c.what << ": placed once before it starts";
  EXPECT_EQ(ch.placements[0].first, ch.pan) << c.what << ": the pan is set before the volume";
  EXPECT_TRUE(ch.started) << c.what;
}

const float kR45 = 100.0f * static_cast<float>(std::sqrt(0.5));

INSTANTIATE_TEST_SUITE_P(
    Table, PlacementTest,
    ::testing::Values(
        PlaceCase{"right of heading 0", 0, 0, 0, 0, 100, 1, 150, 1, std::exp(-100.0f / 150)},
        PlaceCase{"left of heading 0", 0, 0, 0, 0, -100, 1, 150, -1, std::exp(-100.0f / 150)},
        PlaceCase{"straight ahead", 0, 0, 0, 100, 0, 1, 200, 0, std::exp(-0.5f)},
        PlaceCase{"straight behind sounds as ahead", 0, 0, 0, -100, 0, 1, 200, 0, std::exp(-0.5f)},
        PlaceCase{"heading 90, source at -x is to the right", 0, 0, 90, -100, 0, 1, 200, 1, std::exp(-0.5f)},
        PlaceCase{"45 degrees to the right", 0, 0, 0, kR45, kR45, 1, 200, 0.70710677f, std::exp(-0.5f)},
        PlaceCase{"the target's call from the start", 0, 0, 123, 800, 0, 1, 200, -0.8386706f, 0.0183156f},
        PlaceCase{"a breath at 50 units", 10, 10, 0, 60, 10, 0.3f, 50, 0, 0.1103638f},
        PlaceCase{"a source at distance e", 0, 0, 0, 0, 150, 1, 150, 1, 0.3678794f}));

TEST_F(GameTest, OwnFootstepsAreCentredAtFullVolume) {
  Startup();
  g.zmbs.clear();
  PlacePlayer(12.5f, -3, 33);
  g.plr->Stp();
  ASSERT_EQ(Footsteps(), 1);
  const FakeChannel& ch = pf.chans.back();
  EXPECT_EQ(ch.pan, 0.0f) << "a source on the listener is centred";
  EXPECT_EQ(ch.vol, 0.99999994f) << "exp(-0.00001 / 150) as a Float";
}

TEST_F(GameTest, TargetCallSweepsAcrossAsThePlayerTurns) {
  g.plr = std::make_unique<TPlr>();
  TPos tgt;
  tgt.x = 800;
  platform::Sound snd;
  snd.samples.assign(48000, 0);
  tgt.Play(&snd, 1, 200);
  for (float a : {0.0f, 90.0f, 180.0f, 270.0f}) {
    g.plr->a = a;
    Upkeep();
    EXPECT_NEAR(pf.chans[0].pan, std::sin(-a * 3.14159265f / 180), 1e-5) << "heading " << a;
  }
  EXPECT_EQ(pf.chans[0].placements.size(), 5u) << "placed at the start and at each of four upkeeps";
}

class UpkeepTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    g.plr = std::make_unique<TPlr>();
    for (int ms : {1000, 100, 1000}) {
      auto& snd = sounds.emplace_back();
      snd.samples.assign(static_cast<std::size_t>(ms) * 48, 0);
    }
    src.x = 50;
  }
  std::shared_ptr<TChn> PlayEach(int i) { return src.Play(&sounds[i], 1, 200); }

  std::deque<platform::Sound> sounds;
  TPos src;
};

TEST_F(UpkeepTest, DropsAnEndedRecordAndPlacesTheOthers) {
  auto a = PlayEach(0), b = PlayEach(1), c = PlayEach(2);
  pf.now += 200;  // only b's 100 ms sound has ended
  src.x = 60;
  Upkeep();
  ASSERT_EQ(g.chns.size(), 2u);
  EXPECT_EQ(g.chns.front(), a);
  EXPECT_EQ(g.chns.back(), c) << "the walk goes on past the removed record";
  EXPECT_EQ(pf.chans[a->c].placements.size(), 2u) << "a is placed afresh";
  EXPECT_EQ(pf.chans[c->c].placements.size(), 2u) << "c is placed afresh after b's removal";
  EXPECT_EQ(pf.chans[b->c].placements.size(), 1u) << "b is not placed again";
  EXPECT_EQ(pf.chans[b->c].stops, 1) << "b's channel is stopped, releasing it";
  EXPECT_EQ(pf.chans[a->c].stops + pf.chans[c->c].stops, 0);
  EXPECT_NEAR(pf.chans[c->c].vol, std::exp(-60.0f / 200), 1e-6) << "placed for the source's new position";
}

TEST_F(UpkeepTest, DropsNeighbouringEndedRecordsInOnePass) {
  PlayEach(0);
  PlayEach(1);
  PlayEach(1);
  pf.now += 200;
  Upkeep();
  EXPECT_EQ(g.chns.size(), 1u) << "two ended records in a row are both dropped";
  Upkeep();
  EXPECT_EQ(pf.chans[1].stops + pf.chans[2].stops, 2) << "each dropped record is stopped once";
}

TEST_F(UpkeepTest, RecordsOfSilentSoundsLeaveAtTheFirstUpkeep) {
  src.Play(nullptr, 1, 200);
  pf.SetBackend("Null");
  PlayEach(0);
  ASSERT_EQ(g.chns.size(), 2u) << "Play returns a record even for a sound that never plays";
  Upkeep();
  EXPECT_TRUE(g.chns.empty()) << "a sound that failed to load, and any sound under Null, never plays";
}

}  // namespace
