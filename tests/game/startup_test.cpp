// The start-up in its order, the choice of mode and back end, the sound bank,
// and the ends of a game.
#include <algorithm>

#include "tests/game/game_fixture.h"

namespace {

const std::vector<std::string> kBank = {
    "sfx/brt1.ogg", "sfx/brt2.ogg", "sfx/brt3.ogg", "sfx/drp.ogg", "sfx/dry.ogg", "sfx/exp.ogg",
    "sfx/lck.ogg",  "sfx/pch.ogg",  "sfx/sht.ogg",  "sfx/stp1.ogg", "sfx/stp2.ogg", "sfx/stp3.ogg",
    "sfx/stp4.ogg", "sfx/stp5.ogg", "sfx/stp6.ogg", "sfx/stp7.ogg", "sfx/stp8.ogg", "sfx/wsh.ogg"};

TEST_F(GameTest, StartUpCallsThePlatformInItsOrder) {
  pf.now = 4321;
  pf.modes = {{1024, 768, 32, 60}};
  Startup();
  std::vector<std::string> want = {"CreateTimer 50", "SeedRnd 4321", "ModeCount", "OpenDisplay 1024x768 32 60 0",
                                   "HideCursor", "BackendExists Mixer Native", "BackendExists Mixer System",
                                   "SetBackend Mixer System"};
  for (const std::string& path : kBank) want.push_back("LoadSound " + path + " 0");
  want.insert(want.end(), {"MoveCursor 512,384", "MouseXSpeed"});
  EXPECT_EQ(pf.calls, want) << "timer first, the clock seeds the random source before the display, "
                               "sounds in the bank's order, the pointer centred and its motion discarded last";
  EXPECT_EQ(g.startTime, 4321);
  ASSERT_TRUE(g.plr && g.tgt);
  EXPECT_EQ(g.zmbs.size(), 50u);
  EXPECT_TRUE(g.chns.empty()) << "no sound plays before the first pass";
  EXPECT_EQ(g.tgt->x, 800.0f);
  EXPECT_EQ(g.tgt->y, 0.0f);
  EXPECT_EQ(g.tgt->a, 0.0f);
}

TEST_F(GameTest, BankEntriesHoldTheirNumberedFiles) {
  pf.missingFiles = {"sfx/stp3.ogg"};
  Startup();
  for (int k = 0; k < 3; ++k) EXPECT_EQ(pf.paths[g.sndBrt[k]], "sfx/brt" + std::to_string(k + 1) + ".ogg");
  for (int k = 0; k < 8; ++k) {
    if (k == 2) continue;
    EXPECT_EQ(pf.paths[g.sndStp[k]], "sfx/stp" + std::to_string(k + 1) + ".ogg");
  }
  EXPECT_EQ(g.sndStp[2], nullptr) << "a missing file leaves its entry null";
  EXPECT_EQ(pf.paths[g.sndWsh], "sfx/wsh.ogg") << "loading goes on after a missing file";
  EXPECT_EQ(pf.paths[g.sndExp], "sfx/exp.ogg");
}

struct ModeCase {
  std::vector<platform::Mode> modes;
  std::string open, centre;
};

class ModeChoiceTest : public GameTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeChoiceTest, OpensTheLargestModeAndCentresThePointer) {
  pf.modes = GetParam().modes;
  Startup();
  EXPECT_NE(std::find(pf.calls.begin(), pf.calls.end(), "OpenDisplay " + GetParam().open), pf.calls.end());
  EXPECT_NE(std::find(pf.calls.begin(), pf.calls.end(), "MoveCursor " + GetParam().centre), pf.calls.end());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModeChoiceTest,
    ::testing::Values(ModeCase{{{1024, 768, 32, 60}, {1280, 1024, 16, 75}, {1280, 720, 32, 60}}, "1280x1024 32 60 0", "640,512"},
                      ModeCase{{{1280, 720, 32, 60}, {720, 1280, 32, 60}}, "1280x720 32 60 0", "640,360"},
                      ModeCase{{}, "0x0 32 60 0", "0,0"},
                      ModeCase{{{1365, 767, 24, 0}}, "1365x767 32 60 0", "682,383"}));

struct BackendCase {
  std::set<std::string> exist;
  std::vector<std::string> asked;  // BackendExists, in order
  std::string chosen;
};

class BackendChoiceTest : public GameTest, public ::testing::WithParamInterface<BackendCase> {};

TEST_P(BackendChoiceTest, MakesTheFirstNameThatExistsCurrent) {
  pf.backends = GetParam().exist;
  Startup();
  std::vector<std::string> asked, set;
  for (const std::string& c : pf.calls) {
    if (c.rfind("BackendExists ", 0) == 0) asked.push_back(c.substr(14));
    if (c.rfind("SetBackend ", 0) == 0) set.push_back(c.substr(11));
  }
  EXPECT_EQ(asked, GetParam().asked) << "names after the first that exists are not looked at";
  EXPECT_EQ(set, std::vector<std::string>{GetParam().chosen}) << "exactly one back end is made current";
}

INSTANTIATE_TEST_SUITE_P(
    Table, BackendChoiceTest,
    ::testing::Values(
        BackendCase{{"mixer native", "mixer system", "mixer", "null"}, {"Mixer Native"}, "Mixer Native"},
        BackendCase{{"mixer system", "mixer", "null"}, {"Mixer Native", "Mixer System"}, "Mixer System"},
        BackendCase{{"null"}, {"Mixer Native", "Mixer System", "Mixer", "Null"}, "Null"}));

TEST_F(GameTest, NativeOutputThatWontOpenLeavesTheGameSilentButRunning) {
  pf.backends = {"mixer native", "mixer system", "mixer", "null"};
  pf.failing = {"mixer native"};
  StartPlayerOnly();
  pf.mouseHits[platform::kMouseRight] = 1;
  Tick();
  EXPECT_EQ(pf.Started(g.sndLck).size(), 1u) << "the call is still played";
  EXPECT_TRUE(g.chns.empty()) << "and dropped at the upkeep, as a sound that no longer plays";
}

TEST_F(GameTest, EscapeBeforeTheFirstPassEndsAtOnce) {
  pf.keyHits[platform::kKeyEscape] = 1;
  pf.held = {platform::kKeyW};
  EXPECT_EQ(RunToEnd(), 0);
  EXPECT_EQ(pf.waits, 0) << "no pass ran";
  EXPECT_EQ(Footsteps(), 0) << "the player never moved";
  EXPECT_EQ(pf.delayed, 0) << "Escape ends without the pause";
  EXPECT_TRUE(pf.plain.empty()) << "and without the closing sound";
}

TEST_F(GameTest, EscapeIsAskedAtTheHeadOfEveryPass) {
  pf.onWait = [&](int passes) {
    if (passes == 3) pf.keyHits[platform::kKeyEscape] = 2;
  };
  EXPECT_EQ(RunToEnd(), 0);
  EXPECT_EQ(pf.waits, 3);
  EXPECT_EQ(std::count(pf.calls.begin(), pf.calls.end(), "KeyHits 27"), 4) << "once before each pass";
  EXPECT_EQ(pf.delayed, 0);
}

TEST_F(GameTest, EndGameWithFlagPlaysTheClosingSoundThenPausesSevenSeconds) {
  for (int flag : {0, 1}) {
    pf.calls.clear();
    pf.plain.clear();
    const int status = [&] {
      try {
        EndGame(flag);
      } catch (const ProcessEnded& end) {
        return end.status;
      }
    }();
    EXPECT_EQ(status, 0) << "flag " << flag;
    EXPECT_EQ(pf.calls, (std::vector<std::string>{"Delay 7000", "End 0"})) << "flag " << flag;
    EXPECT_EQ(pf.plain, flag ? std::vector<const platform::Sound*>{g.sndExp} : std::vector<const platform::Sound*>{})
        << "only flag 1 plays the closing sound";
  }
}

TEST_F(GameTest, ReachingTheTargetEndsThePassAtOnce) {
  pf.onWait = [&](int) {
    PlacePlayer(780, 0, 0);
    for (auto& z : g.zmbs) z->tb = 0;  // every zombie's breath is due
  };
  EXPECT_EQ(RunToEnd(), 0);
  EXPECT_EQ(pf.plain, std::vector<const platform::Sound*>{g.sndExp});
  EXPECT_EQ(pf.delayed, 7000);
  EXPECT_EQ(pf.waits, 1) << "the game ended in the second pass";
  for (auto& z : g.zmbs) EXPECT_EQ(z->tb, 0) << "no zombie was updated after the end";
}

}  // namespace
