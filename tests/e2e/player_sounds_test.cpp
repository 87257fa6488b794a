// The sounds that the player makes: the gun and the footsteps come from the
// listener's own place, so they are heard centred at full level.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "captured_audio.h"
#include "scene.h"

namespace e2e {
namespace {

std::vector<Clip> Footsteps() {
  std::vector<Clip> steps;
  for (char i = '1'; i <= '8'; ++i) steps.push_back(DecodeSound(Scene::OriginalSfx(std::string("stp") + i)));
  return steps;
}

TEST(PlayerSounds, SevenShotsCentredAtFullLevelThenTheEmptyGun) {
  Scene s;
  s.StartDisplay();
  s.StartGame();
  s.AwaitWindow();
  s.AwaitSound();
  s.AwaitLoop();
  const std::size_t start = s.FramesNow();
  for (int i = 0; i < 8; ++i) {
    s.Click(1);
    s.Sleep(0.6);
  }
  s.Sleep(0.3);
  s.Key("Escape");
  ASSERT_EQ(s.AwaitExit(5), std::optional<int>(0));

  const Clip out = s.Capture();
  // The heads of the sounds: the next shot comes before a whole one has died away.
  const Clip shot = DecodeSound(Scene::OriginalSfx("sht")).Head(0.5);
  const Clip dry = DecodeSound(Scene::OriginalSfx("dry"));
  const auto shots = SoundSearch(out, shot, start, out.Frames()).All(0.9, 0.5, shot.Frames());
  ASSERT_EQ(shots.size(), 7u) << "the gun holds seven shots";
  // Within 10 %: a shot that fells a zombie straight ahead comes with its
  // fall, centred too, and a zombie's footstep may fall on a shot.
  for (const Match& m : shots) {
    EXPECT_NEAR(m.left, 1.0, 0.1) << "a shot is played at full level, left";
    EXPECT_NEAR(m.right, 1.0, 0.1) << "a shot is played at full level, right";
    EXPECT_LT(std::abs(m.Pan()), 0.03) << "a shot is centred";
  }
  // Short, so what else sounds then weighs on its fit.
  const auto dries = SoundSearch(out, dry, start, out.Frames()).All(0.7, 0.5, dry.Frames());
  ASSERT_EQ(dries.size(), 1u) << "the eighth click pulls the trigger on an empty gun";
  EXPECT_GT(dries[0].frame, shots.back().frame) << "the empty gun comes after the seventh shot";
  EXPECT_NEAR(dries[0].Level(), 1.0, 0.1) << "the empty gun is played at full level";
  EXPECT_LT(std::abs(dries[0].Pan()), 0.03) << "and centred";
  std::printf("[ measured ] first shot L %.4f R %.4f fit %.4f; empty gun L %.4f R %.4f\n", shots[0].left,
              shots[0].right, shots[0].fit, dries[0].left, dries[0].right);
}

TEST(PlayerSounds, WalkingMakesAFootstepEveryStepAndOneOnRelease) {
  Scene s;
  s.StartDisplay();
  s.StartGame();
  s.AwaitWindow();
  s.AwaitSound();
  s.AwaitLoop();
  s.Sleep(0.2);
  const std::size_t down = s.FramesNow();
  // Held long past the X server's auto-repeat delay: repeats are no presses.
  s.Hold("w", 2.3);
  const std::size_t up = s.FramesNow();
  s.Sleep(0.6);
  s.Key("Escape");
  ASSERT_EQ(s.AwaitExit(5), std::optional<int>(0));

  const double ticks_per_frame = 50.0 / s.FramesPerSecond();
  const Clip out = s.Capture();
  // The player's own footsteps, at distance 0: at full level on both sides,
  // which no zombie's footstep reaches from 100 units or more.
  std::vector<Match> steps;
  for (const Match& m : FindAny(out, Footsteps(), 0.8, 0.8)) {
    if (m.frame + kRate / 10 >= down) steps.push_back(m);
  }
  ASSERT_GE(steps.size(), 5u) << "2.3 s of walk at 50 units/s make a footstep at the start, every 24 units, "
                                 "and one at the stop";
  std::size_t centred = 0;
  for (const Match& m : steps) {
    centred += std::abs(m.Pan()) < 0.05;
    // Loose: a footstep is short, and a zombie's footstep nearby adds to it;
    // one from 100 units or more away comes at half the level or less.
    EXPECT_NEAR(m.Level(), 1.0, 0.2) << "the player's footstep is at full level";
    EXPECT_LT(std::abs(m.Pan()), 0.25) << "and centred";
  }
  EXPECT_GE(centred + 1, steps.size()) << "all footsteps but one that a zombie's may fall on are within 0.05 of the centre";
  EXPECT_LT(std::abs(static_cast<double>(steps.front().frame) - static_cast<double>(down)) * ticks_per_frame, 5)
      << "the first footstep comes with the key";
  EXPECT_LT(std::abs(static_cast<double>(steps.back().frame) - static_cast<double>(up)) * ticks_per_frame, 5)
      << "the last footstep comes with the release";
  std::string intervals;
  for (std::size_t i = 1; i < steps.size(); ++i) {
    const double ticks = static_cast<double>(steps[i].frame - steps[i - 1].frame) * ticks_per_frame;
    intervals += ' ';
    intervals += std::to_string(ticks);
    if (i + 1 < steps.size()) {
      // Loose: a busy machine stretches the odd tick.
      EXPECT_NEAR(ticks, 24.5, 2.5) << "a footstep every 24 units of walk, at one unit a tick";
    } else {
      EXPECT_LT(ticks, 26) << "the release comes within a step of the last footstep";
    }
  }
  std::printf("[ measured ] %zu footsteps, intervals in ticks:%s; output at %.0f frames/s\n", steps.size(),
              intervals.c_str(), s.FramesPerSecond());
}

}  // namespace
}  // namespace e2e
