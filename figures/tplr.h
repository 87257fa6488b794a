// The player: turns with the mouse, walks with W and S, side-steps with A
// and D, fires with the left button and calls the target with the right.
#pragma once

#include "figures/tfig.h"

class TPlr : public TFig {
 public:
  TPlr() = default;  // New

  int Update() override;  // one tick of the player
  virtual int Shoot();    // one pull of the trigger
  // How far target lies from the line of fire; 9999 where the shot can't
  // reach it: behind the player, or beyond a range drawn afresh each call.
  virtual float GetD(const TPos& target);

  int ammo = 0;  // shots left; goes on below 0 as the empty gun is pulled
  int l = 3;     // lives
  int t = 0;     // clock reading before which a call of the target is refused
};

// Creates plr at the origin, with seven shots and a random whole heading.
void CreatePlayer();
