// One positional sound: its channel and its source, placed afresh on every
// tick while it plays.
#pragma once

#include <list>
#include <memory>

#include "platform/platform.h"

class TPos;

class TChn {
 public:
  // Allocates the channel and appends the record to chns, which holds it
  // until the upkeep drops it.
  static std::shared_ptr<TChn> New();
  virtual ~TChn() = default;

  // Sets the channel's pan and volume from the player's pose and the
  // source's position, from scratch.
  virtual int Adjust();

  platform::Channel c = platform::kNoChannel;
  TPos* p = nullptr;  // the source, followed wherever it moves; lives as long as the game
  float v = 0;        // volume at distance 0
  float e = 0;        // distance at which the volume has fallen to exp(-1) * v
};

// The records whose sound may still play, in order of creation.
using Chns = std::list<std::shared_ptr<TChn>>;

// Once a pass: places every sound that still plays, and stops and drops
// every record whose sound has ended.
void Upkeep();
