// The target's call as a listener uses it: click, hear where it comes from.
#pragma once

#include "captured_audio.h"
#include "scene.h"

namespace e2e {

inline constexpr double kDegreesPerPixel = 0.15;  // the turn of one pixel of mouse motion
inline constexpr double kCallReach = 200;         // the call's attenuation length

class TargetCalls {
 public:
  explicit TargetCalls(Scene& s) : s_(s), call_(DecodeSound(Scene::OriginalSfx("lck"))) {}

  // A right click and the call that it makes, as heard. Spaced so that the
  // game takes every click: a call is refused within 1000 ms of the last.
  Match Call();

 private:
  Scene& s_;
  Clip call_;
  bool called_ = false;
  std::size_t last_ = 0;  // output frame of the last click
};

// Distance from the level at which the call is heard.
double DistanceFromLevel(double level);

}  // namespace e2e
