// A walking figure: the player or a zombie. It remembers the pose of its last
// footstep and makes the next one once it has walked or turned far enough.
#pragma once

#include "sound/tpos.h"

class TFig : public TPos {
 public:
  TFig() = default;  // New

  // The footstep rule: at most one footstep a call, when the figure is more
  // than s from pp, or its heading differs from pp.a by more than 45 degrees
  // as plain numbers (never wrapped).
  virtual int Update();
  // One footstep: pp takes the current pose, and a random footstep sound
  // plays at the figure.
  virtual int Stp();

  TPos pp;     // the pose at the last footstep; overwritten, never replaced
  int s = 24;  // step length
  int m = 0;   // moving flag: the player walked or side-stepped on its latest tick
};
