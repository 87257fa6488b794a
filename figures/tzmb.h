// A zombie: stands or walks straight on, breathes, and every 800 ms looks for
// the player; near, it whooshes and turns on them, nearer still it strikes.
#pragma once

#include <memory>

#include "figures/tfig.h"
#include "sound/tchn.h"

class TZmb : public TFig {
 public:
  TZmb() = default;  // New; spawning then gives every zombie a step of 12

  int Update() override;  // one tick of the zombie

  // Times are clock readings, compared as signed 32-bit integers.
  int tm = 0;  // when it next switches between standing and walking
  int tb = 0;  // when it next breathes
  int bi = 0;  // its breath interval in ms
  int ta = 0;  // when it next looks for the player (the reach check)
  int m = 0;   // 1 while it walks; hides TFig's m, which stays 0 for a zombie
  int l = 1;   // 1 while it is up, 0 once it has fallen
  std::shared_ptr<TChn> c;  // its latest breath, kept after the upkeep drops it
};

// Spawns the fifty zombies into zmbs around the target point.
void SpawnZombies();
