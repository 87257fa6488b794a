// The game's millisecond counter. Its first reading seeds the random source,
// so it must differ from run to run; every stored time is a reading plus an
// offset compared as signed 32 bits, so it must stay far below 2^31 - 1.
// Milliseconds since boot, folded below 2^30 at start-up, give both: more
// than a billion milliseconds (12 days) of headroom for any game, however
// long the machine has been up.
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// Where the counter starts, given the milliseconds since boot: in [0, 2^30).
int ClockStart(int64_t boot_ms);

// The counter's last value: a stored time is a reading plus at most 20 s, and
// that sum must still fit. Only a game of over twelve days gets here, and
// from there its clock stands still rather than wrap.
inline constexpr int kClockLast = INT32_MAX - (1 << 16);

class GameClock {
 public:
  using Uptime = std::function<int64_t()>;  // milliseconds since boot
  GameClock();                              // the system's monotonic clock
  explicit GameClock(Uptime uptime);
  int Millisecs() const;

 private:
  Uptime uptime_;
  int64_t boot_at_start_;
  int start_ms_;
};

}  // namespace platform
