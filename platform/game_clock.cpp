#include "platform/game_clock.h"

#include <ctime>

namespace platform {
namespace {

int64_t BootMillisecs() {
  timespec ts = {};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

int ClockStart(int64_t boot_ms) { return static_cast<int>(boot_ms % (int64_t{1} << 30)); }

GameClock::GameClock() : start_(std::chrono::steady_clock::now()), start_ms_(ClockStart(BootMillisecs())) {}

int GameClock::Millisecs() const {
  const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
  return start_ms_ + static_cast<int>(since.count());
}

}  // namespace platform
