// The target's call, heard from the start 800 units away: its level says how
// far, its pan where, and the pan follows the mouse at 0.15 degrees a pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene.h"
#include "target_calls.h"

namespace e2e {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

// The pan of the call from (0, 0) at heading a: the target lies at bearing 0.
double PanAt(double a) { return -std::sin(a * kDeg); }

TEST(TargetCall, HeardAtItsDistanceAndPannedByTheTurn) {
  Scene s;
  s.StartDisplay();
  s.StartGame();
  s.AwaitWindow();
  s.AwaitSound();
  s.AwaitLoop();
  TargetCalls calls(s);

  // Two calls a quarter turn apart: their pans are -sin a and -cos a.
  double turned[3] = {0, 600, 0};  // pixels since the first call
  Match heard[3];
  heard[0] = calls.Call();
  s.Turn(600);
  heard[1] = calls.Call();
  const double a0 = std::atan2(-heard[0].Pan(), -heard[1].Pan()) / kDeg;
  // The third where the pan is steepest, the target 30 degrees to the left,
  // so a wrong turn rate shows most.
  double to = 30 - (a0 + kDegreesPerPixel * 600);
  to -= 360 * std::round(to / 360);
  const int third = static_cast<int>(std::lround(to / kDegreesPerPixel));
  s.Turn(third);
  turned[2] = 600 + third;
  heard[2] = calls.Call();
  s.Key("Escape");
  ASSERT_EQ(s.AwaitExit(5), std::optional<int>(0));

  for (const Match& m : heard) {
    // Within 15 %: the zombies' sounds weigh on so faint a call.
    EXPECT_NEAR(m.Level(), std::exp(-800 / kCallReach), 0.0028)
        << "the call from 800 units away comes at exp(-4) of the file's level";
  }
  const double predicted = PanAt(a0 + kDegreesPerPixel * turned[2]);
  EXPECT_NEAR(heard[2].Pan(), predicted, 0.06) << "the heading worked out from two calls predicts the third";

  // The turn rate that explains all three pans best.
  double best_rate = 0, best_a = 0, best_err = 1e9;
  for (double rate = 0.12; rate <= 0.18; rate += 0.0005) {
    for (double a = 0; a < 360; a += 0.25) {
      double err = 0;
      for (int i = 0; i < 3; ++i) err += std::pow(heard[i].Pan() - PanAt(a + rate * turned[i]), 2);
      if (err < best_err) best_err = err, best_rate = rate, best_a = a;
    }
  }
  EXPECT_NEAR(best_rate, kDegreesPerPixel, 0.02) << "the mouse turns the player 0.15 degrees a pixel";
  std::printf("[ measured ] call levels %.5f %.5f %.5f (exp(-4) = %.5f); pans %.4f %.4f %.4f;"
              " heading from two calls %.2f, third pan %.4f predicted %.4f; fit: %.4f deg/px, heading %.2f,"
              " residual %.2g\n",
              heard[0].Level(), heard[1].Level(), heard[2].Level(), std::exp(-4.0), heard[0].Pan(), heard[1].Pan(),
              heard[2].Pan(), a0, heard[2].Pan(), predicted, best_rate, best_a, best_err);
}

}  // namespace
}  // namespace e2e
