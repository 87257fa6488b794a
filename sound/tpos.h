// A point on the plane with a heading: the target point, and the base of
// every figure. Every positional sound has one as its source.
#pragma once

#include <memory>

#include "platform/sound.h"

class TChn;

class TPos {
 public:
  TPos() = default;  // New: at the origin, heading 0
  virtual ~TPos() = default;

  // Starts `sound` with this point as its source, volume scale v and
  // attenuation length e; placed relative to the player at once and on every
  // tick while it plays. A sound that failed to load plays nothing, and its
  // record is dropped at the next upkeep.
  virtual std::shared_ptr<TChn> Play(const platform::Sound* sound, float v, float e);

  float x = 0;
  float y = 0;
  float a = 0;  // degrees; forward (cos a, sin a), never wrapped into 0..360
};
