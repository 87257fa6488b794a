#include "target_calls.h"

#include <cmath>

namespace e2e {

Match TargetCalls::Call() {
  // By the output's own clock, which may run ahead of the game's.
  if (called_) s_.AwaitFrames(last_ + static_cast<std::size_t>(1.15 * kRate));
  const std::size_t before = s_.FramesNow();
  s_.Click(3);
  const std::size_t after = s_.FramesNow();
  called_ = true;
  last_ = after;
  // The call starts within a few ticks of the click.
  const std::size_t from = before > kRate / 20 ? before - kRate / 20 : 0;
  const std::size_t to = after + kRate / 5;
  s_.AwaitFrames(to + call_.Frames());
  return SoundSearch(s_.Capture(), call_, from, to).Best();
}

double DistanceFromLevel(double level) { return -kCallReach * std::log(level); }

}  // namespace e2e
