#include "platform/game_clock.h"

#include <algorithm>
#include <ctime>
#include <utility>

namespace platform {
namespace {

int64_t BootMillisecs() {
  timespec ts = {};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

int ClockStart(int64_t boot_ms) { return static_cast<int>(boot_ms % (int64_t{1} << 30)); }

GameClock::GameClock() : GameClock(BootMillisecs) {}

GameClock::GameClock(Uptime uptime)
    : uptime_(std::move(uptime)), boot_at_start_(uptime_()), start_ms_(ClockStart(boot_at_start_)) {}

int GameClock::Millisecs() const {
  // In 64 bits: the uptime itself may lie far beyond what 32 bits hold.
  const int64_t reading = start_ms_ + (uptime_() - boot_at_start_);
  return static_cast<int>(std::min<int64_t>(reading, kClockLast));
}

}  // namespace platform
