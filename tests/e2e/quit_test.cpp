// The ways out of a game that a player has at any moment: Escape, Ctrl+C, and
// what doesn't end it (the window's close button), plus a game whose audio
// output can't be opened, which must still run and quit.
#include <gtest/gtest.h>

#include "captured_audio.h"
#include "scene.h"

namespace e2e {
namespace {

// The closing sound is played plainly, so wherever it sounds it sounds whole.
bool ClosingSoundHeard(const Clip& out) {
  const Clip closing = DecodeSound(Scene::OriginalSfx("exp"));
  return !SoundSearch(out, closing, 0, out.Frames()).All(0.8, 0.5, closing.Frames()).empty();
}

TEST(Quitting, EscapeAsSoonAsTheWindowIsUpEndsAtOnceWithoutClosingSound) {
  Scene s;
  s.StartDisplay();
  s.StartGame();
  s.AwaitWindow();
  // Without a window manager SDL maps a full-screen window, unmaps it and
  // maps it again before the mode is set; a key in between goes to the root
  // window. The output begins once the display is set up.
  s.AwaitSound();
  s.Key("Escape");
  ASSERT_EQ(s.AwaitExit(5), std::optional<int>(0)) << "Escape ends the game with status 0; stderr: " << s.Stderr();
  EXPECT_LT(s.SecondsFromLastInputToExit(), 0.5) << "Escape ends the process at once, without the pause";
  EXPECT_FALSE(ClosingSoundHeard(s.Capture())) << "Escape plays no closing sound";
  EXPECT_TRUE(s.StderrLines("earshot:").empty()) << "a set-up that works says nothing; stderr: " << s.Stderr();
}

TEST(Quitting, CloseRequestIsIgnoredAndEscapeStillEnds) {
  Scene s;
  s.StartDisplay();
  s.StartGame();
  const std::string window = s.AwaitWindow();
  ASSERT_FALSE(window.empty());
  s.AwaitSound();
  s.CloseRequest(window);
  s.Sleep(1.0);
  EXPECT_TRUE(s.Running()) << "a close request from the window system doesn't end the game";
  // Heard playing after the request: the shot comes through at full level.
  const std::size_t before = s.FramesNow();
  s.Click(1);
  s.Sleep(1.0);
  const Match shot = SoundSearch(s.Capture(), DecodeSound(Scene::OriginalSfx("sht")), before, s.FramesNow()).Best();
  EXPECT_GT(shot.fit, 0.9) << "the game still plays after the close request";
  s.Key("Escape");
  ASSERT_EQ(s.AwaitExit(5), std::optional<int>(0)) << "Escape still ends it with status 0";
  EXPECT_LT(s.SecondsFromLastInputToExit(), 0.5) << "and at once";
}

TEST(Quitting, SigintEndsTheRunningGame) {
  Scene s;
  s.StartDisplay();
  s.StartGame();
  s.AwaitWindow();
  s.AwaitSound();
  s.Interrupt();
  ASSERT_EQ(s.AwaitExit(5), std::optional<int>(130)) << "Ctrl+C ends the game as an interrupted program: 128 + 2";
  EXPECT_LT(s.SecondsFromLastInputToExit(), 0.5) << "at once";
}

struct DeadOutput {
  const char* name;
  const char* driver;
  bool needs_no_sound_card;
  friend void PrintTo(const DeadOutput& d, std::ostream* os) { *os << "SDL_AUDIODRIVER=" << d.driver; }
};

class UnopenableAudio : public ::testing::TestWithParam<DeadOutput> {};

TEST_P(UnopenableAudio, GameRunsSilentAndQuitsOnEscape) {
  if (GetParam().needs_no_sound_card && std::filesystem::exists("/dev/snd")) {
    GTEST_SKIP() << "this machine has a sound card, so ALSA may well open";
  }
  Scene s;
  s.StartDisplay();
  s.StartGame({{"SDL_AUDIODRIVER", GetParam().driver}});
  s.AwaitWindow();
  s.Sleep(1.0);
  EXPECT_TRUE(s.Running()) << "no audio output is no reason to end the game";
  s.Key("Escape");
  ASSERT_EQ(s.AwaitExit(5), std::optional<int>(0)) << "a silent game still quits on Escape; stderr: " << s.Stderr();
  EXPECT_EQ(s.StderrLines("earshot: running without sound: ").size(), 1u)
      << "the player is told once why there is no sound; stderr: " << s.Stderr();
}

INSTANTIATE_TEST_SUITE_P(Drivers, UnopenableAudio,
                         ::testing::Values(DeadOutput{"AlsaWithoutSoundCard", "alsa", true},
                                           DeadOutput{"NoSuchDriver", "nosuchdriver", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// With no X server at all, the program says so and ends with status 1: the
// smoke test smoke_no_display (tests/platform, label e2e) covers it.

}  // namespace
}  // namespace e2e
