// A whole game played by ear: find the target from its call, walk there and
// hear the closing sound, or be struck down by the zombies on the way.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene.h"
#include "target_calls.h"

namespace e2e {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

// The heading that differs from a by a whole number of turns and lies in (-180, 180].
double Wrapped(double a) { return a - 360 * std::ceil((a - 180) / 360); }

class Walker {
 public:
  explicit Walker(Scene& s) : s_(s), calls_(s) {}

  // Faces the target from the start, where it lies at bearing 0: the pans of
  // two calls a quarter turn apart are -sin a and -cos a, which settles the
  // front/back question that one call leaves open.
  bool FaceTargetFromStart() {
    const Match first = calls_.Call();
    Turn(600);
    const Match second = calls_.Call();
    if (second.Level() < kHeard) return false;
    heading_ = std::atan2(-first.Pan(), -second.Pan()) / kDeg + kDegreesPerPixel * 600;
    Turn(static_cast<int>(std::lround(-Wrapped(heading_) / kDegreesPerPixel)));
    return true;
  }

  // Walks on towards the target, steering by its call on the way: stopping
  // to listen would let the zombies catch up. Ends when the call is no longer
  // heard, as in the pause after a game's end.
  void WalkToTarget(double max_seconds) {
    s_.KeyDown("w");
    for (int shots = 0; s_.Running() && (shots + 1) * 1.2 < max_seconds; ++shots) {
      const Match c = calls_.Call();
      if (c.Level() < kHeard) break;
      // Near the target its bearing swings fast, and a miss would put it behind.
      if (DistanceFromLevel(c.Level()) > 40) {
        // Ahead, the pan is the sine of how far the target lies to the right.
        Turn(static_cast<int>(std::lround(std::asin(std::clamp(c.Pan(), -1.0, 1.0)) / kDeg / kDegreesPerPixel)));
      }
      // A shot down the way fells the zombies that stand in it.
      if (shots < 7) s_.Click(1);
    }
    s_.KeyUp("w");
  }

 private:
  static constexpr double kHeard = 0.003;  // a call from beyond 1100 units, or none

  void Turn(int pixels) {
    s_.Turn(pixels);
    heading_ += kDegreesPerPixel * pixels;
  }

  Scene& s_;
  TargetCalls calls_;
  double heading_ = 0;
};

TEST(FindingTarget, WalkingToTheCallEndsTheGameWithTheClosingSound) {
  Scene s;
  s.StartDisplay();
  s.StartGame();
  s.AwaitWindow();
  s.AwaitSound();
  s.AwaitLoop();
  Walker w(s);
  if (w.FaceTargetFromStart()) w.WalkToTarget(40);
  ASSERT_EQ(s.AwaitExit(15), std::optional<int>(0)) << "every ending exits with status 0; stderr: " << s.Stderr();

  const Clip out = s.Capture();
  const Clip closing = DecodeSound(Scene::OriginalSfx("exp"));
  // A strike always comes with a whoosh from the same zombie, at the same place.
  Clip strike = DecodeSound(Scene::OriginalSfx("wsh"));
  const Clip punch = DecodeSound(Scene::OriginalSfx("pch"));
  for (std::size_t i = 0; i < punch.Frames(); ++i) {
    if (i >= strike.Frames()) strike.left.push_back(0), strike.right.push_back(0);
    strike.left[i] += punch.left[i];
    strike.right[i] += punch.right[i];
  }
  const auto closings = SoundSearch(out, closing, 0, out.Frames()).All(0.8, 0.5, closing.Frames());
  const auto strikes = SoundSearch(out, strike, 0, out.Frames()).All(0.85, 0.6, strike.Frames());
  if (!closings.empty()) {
    ASSERT_EQ(closings.size(), 1u) << "one closing sound";
    EXPECT_NEAR(closings[0].left, 1.0, 0.05) << "the closing sound is played plainly, at full level";
    EXPECT_NEAR(closings[0].left, closings[0].right, 0.02) << "and centred";
    EXPECT_LT(strikes.size(), 3u) << "the game didn't end by strikes before the target was reached";
    const double pause = s.SecondsFromFrameToExit(closings[0].frame);
    EXPECT_NEAR(pause, 7.0, 0.4) << "the process ends seven seconds after the closing sound";
    std::printf("[ measured ] ending: target reached (closing sound L %.3f R %.3f), %zu strikes on the way, "
                "exit %.2f s after the closing sound\n",
                closings[0].left, closings[0].right, strikes.size(), pause);
  } else {
    // Zombies that strike in the same reach check are heard as one.
    ASSERT_FALSE(strikes.empty()) << "without the closing sound, the game ended by strikes";
    const double pause = s.SecondsFromFrameToExit(strikes.back().frame);
    EXPECT_NEAR(pause, 7.0, 0.4) << "the process ends seven seconds after the last strike";
    std::printf("[ measured ] ending: three strikes (%zu heard apart, the last at level %.3f), no closing sound,"
                " exit %.2f s after the last strike\n",
                strikes.size(), strikes.back().Level(), pause);
  }
}

}  // namespace
}  // namespace e2e
