// The real game on a fake platform, with helpers to run it pass by pass.
#pragma once

#include <gtest/gtest.h>

#include "game/game.h"
#include "tests/game/fake_platform.h"

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override { game = &g; }

  // The whole start-up, then the world emptied of zombies and the player put
  // at the origin facing heading 0, so that a test sets only what it needs.
  void StartPlayerOnly() {
    Startup();
    g.zmbs.clear();
    PlacePlayer(0, 0, 0);
  }

  void PlacePlayer(float x, float y, float a) {
    TPlr& p = *g.plr;
    p.x = p.pp.x = x;
    p.y = p.pp.y = y;
    p.a = p.pp.a = a;
  }

  // One pass, then the clock moves on a tick, as the timer would.
  void Tick() {
    Pass();
    pf.now += pf.tickMs;
  }

  // Runs the whole game from its start-up to its end; returns the status.
  int RunToEnd() {
    try {
      Main(g);
    } catch (const ProcessEnded& end) {
      return end.status;
    }
  }

  // The footsteps started so far, of any of the eight sounds.
  int Footsteps() const {
    int n = 0;
    for (const platform::Sound* s : g.sndStp) n += static_cast<int>(pf.Started(s).size());
    return n;
  }

  FakePlatform pf;
  Game g{pf};
};
