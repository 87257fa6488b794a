// The game's millisecond counter. Its first reading seeds the random source,
// so it must differ from run to run; every stored time is a reading plus an
// offset compared as signed 32 bits, so it must stay far below 2^31 - 1.
// Milliseconds since boot, folded below 2^30 at start-up, give both: more
// than a billion milliseconds (12 days) of headroom for any game.
#pragma once

#include <chrono>
#include <cstdint>

namespace platform {

// Where the counter starts, given the milliseconds since boot: in [0, 2^30).
int ClockStart(int64_t boot_ms);

class GameClock {
 public:
  GameClock();  // reads the boot time now
  int Millisecs() const;

 private:
  std::chrono::steady_clock::time_point start_;
  int start_ms_;
};

}  // namespace platform
