// The periodic tick timer. Ticks lie on a fixed grid from the timer's creation,
// so a late pass doesn't shift the ticks after it, and one wait consumes every
// tick that has come.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include <SDL.h>

#include "platform/platform.h"

namespace platform {

class TickTimer final : public Timer {
 public:
  using Nanos = std::chrono::nanoseconds;
  // now: a monotonic clock. idle(left): processes the pending events, then
  // waits for further events at most left (not at all when left is zero) and
  // may return early; it is the only place the timer waits, so it never spins.
  TickTimer(int hz, std::function<Nanos()> now, std::function<void(Nanos left)> idle);
  void Wait() override;

 private:
  std::function<Nanos()> now_;
  std::function<void(Nanos)> idle_;
  Nanos period_;
  Nanos start_;
  int64_t consumed_ = 0;  // ticks up to this one have released a wait
};

// The steady clock, as the timer reads it.
TickTimer::Nanos SteadyNow();

// Waits at most left, and at most 10 ms so a signal is seen soon, for one SDL
// event and hands it to handle. SDL waits in whole milliseconds: the last
// fraction of one is slept out, so a tick starts within a millisecond of its
// place on the grid.
void WaitForSdlEvent(TickTimer::Nanos left, const std::function<void(const SDL_Event&)>& handle);

}  // namespace platform
