#include "platform/sdl_timer.h"

#include <algorithm>
#include <thread>

namespace platform {

TickTimer::TickTimer(int hz, std::function<Nanos()> now, std::function<void(Nanos)> idle)
    : now_(std::move(now)),
      idle_(std::move(idle)),
      // Whole milliseconds, as the game counts its ticks: 50 Hz is 20 ms.
      period_(std::chrono::milliseconds(std::max(1, 1000 / std::max(1, hz)))),
      start_(now_()) {}

void TickTimer::Wait() {
  // Events are processed at least once per wait, also when the tick is already
  // due, so input keeps flowing through a pass that ran late.
  for (;;) {
    const Nanos left = start_ + (consumed_ + 1) * period_ - now_();
    idle_(std::max(left, Nanos::zero()));
    if (left <= Nanos::zero()) break;
  }
  consumed_ = (now_() - start_) / period_;
}

TickTimer::Nanos SteadyNow() { return std::chrono::steady_clock::now().time_since_epoch(); }

void WaitForSdlEvent(TickTimer::Nanos left, const std::function<void(const SDL_Event&)>& handle) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
  if (ms <= 0) {
    std::this_thread::sleep_for(left);
    return;
  }
  SDL_Event ev;
  if (SDL_WaitEventTimeout(&ev, static_cast<int>(std::min<int64_t>(ms, 10)))) handle(ev);
}

}  // namespace platform
