// The game's globals, in one object that the figures and sounds reach
// through `game`, and the frame that runs them: start-up, main loop, the ends
// of a game.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "figures/tplr.h"
#include "figures/tzmb.h"
#include "platform/platform.h"
#include "sound/tchn.h"
#include "sound/tpos.h"

struct Game {
  explicit Game(platform::Platform& platform) : pf(platform) {}

  platform::Platform& pf;
  int width = 0;      // of the chosen display mode
  int height = 0;
  int startTime = 0;  // the clock at start-up; seeds the random source

  // The sound bank; an entry that failed to load stays null.
  std::array<const platform::Sound*, 3> sndBrt{};
  std::array<const platform::Sound*, 8> sndStp{};
  const platform::Sound* sndDrp = nullptr;  // a zombie falls
  const platform::Sound* sndDry = nullptr;  // the empty gun
  const platform::Sound* sndExp = nullptr;  // the closing sound
  const platform::Sound* sndLck = nullptr;  // the target's call
  const platform::Sound* sndPch = nullptr;  // a zombie strikes
  const platform::Sound* sndSht = nullptr;  // the shot
  const platform::Sound* sndWsh = nullptr;  // a zombie turns on the player

  Chns chns;
  std::unique_ptr<TPlr> plr;
  std::unique_ptr<TPos> tgt;  // the target point, at (800, 0) for the whole game
  std::vector<std::unique_ptr<TZmb>> zmbs;  // fallen ones included
};

// The game being played; set by Main.
extern Game* game;

// Start-up, then the main loop; the process ends inside, at Escape or in
// EndGame.
[[noreturn]] void Main(Game& g);

// Start-up: everything before the first pass, in its fixed order. Returns the
// tick timer.
platform::Timer* Startup();
int InitGraphics();  // the largest mode, full screen
int InitAudio();     // the back end, then the sound bank

// Runs pass after pass until Escape, waiting for a tick after each.
[[noreturn]] void MainLoop(platform::Timer* tmr);
// One pass: the player, every zombie in array order, the upkeep.
void Pass();

// Flag 1 plays the closing sound; then seven seconds' pause and the end, with
// status 0. Nothing of the pass that calls it runs after it.
[[noreturn]] void EndGame(int flag);

// A uniform whole number from lo to hi, both included.
int RandRange(int lo, int hi);
