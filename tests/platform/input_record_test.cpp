#include "platform/sdl_input.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace platform {
namespace {

SDL_Event Key(Uint32 type, SDL_Scancode sc, bool repeat = false) {
  SDL_Event ev = {};
  ev.type = type;
  ev.key.keysym.scancode = sc;
  ev.key.repeat = repeat ? 1 : 0;
  return ev;
}

SDL_Event Button(Uint32 type, Uint8 sdl_button) {
  SDL_Event ev = {};
  ev.type = type;
  ev.button.button = sdl_button;
  return ev;
}

SDL_Event MotionTo(int x) {
  SDL_Event ev = {};
  ev.type = SDL_MOUSEMOTION;
  ev.motion.x = x;
  return ev;
}

SDL_Event Window(Uint8 what) {
  SDL_Event ev = {};
  ev.type = SDL_WINDOWEVENT;
  ev.window.event = what;
  return ev;
}

class InputRecordTest : public ::testing::Test {
 protected:
  void Tap(SDL_Scancode sc) {
    in.Handle(Key(SDL_KEYDOWN, sc));
    in.Handle(Key(SDL_KEYUP, sc));
  }
  InputRecord in;
};

TEST_F(InputRecordTest, KeysAreReadByTheirPlaceOnTheKeyboard) {
  struct Case {
    SDL_Scancode sc;
    int code;
  };
  const Case cases[] = {{SDL_SCANCODE_ESCAPE, kKeyEscape},
                        {SDL_SCANCODE_W, kKeyW},
                        {SDL_SCANCODE_A, kKeyA},
                        {SDL_SCANCODE_S, kKeyS},
                        {SDL_SCANCODE_D, kKeyD}};
  for (const Case& c : cases) {
    in.Handle(Key(SDL_KEYDOWN, c.sc));
    EXPECT_EQ(in.KeyDown(c.code), 1) << "scancode " << c.sc << " is held as key " << c.code;
    EXPECT_EQ(in.KeyHits(c.code), 1) << "scancode " << c.sc << " counts as a press of key " << c.code;
    in.Handle(Key(SDL_KEYUP, c.sc));
    EXPECT_EQ(in.KeyDown(c.code), 0) << "key " << c.code << " is released with its scancode";
  }
}

TEST_F(InputRecordTest, AKeyOfAnotherLayoutDoesNotMoveThePlayer) {
  // On AZERTY the key labelled Z sits where W is: its scancode is W's. The
  // scancode Z is the key below A, and must not walk.
  in.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_Z));
  EXPECT_EQ(in.KeyDown(kKeyW), 0) << "only the key at W's place walks ahead";
}

TEST_F(InputRecordTest, RepeatsWhileHeldAreNoPresses) {
  in.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE));
  for (int i = 0; i < 5; ++i) in.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, true));
  EXPECT_EQ(in.KeyHits(kKeyEscape), 1) << "Escape held down counts once";
  EXPECT_EQ(in.KeyDown(kKeyEscape), 1) << "a held key stays held through its repeats";
}

TEST_F(InputRecordTest, HitsCountPressesAndTheQuestionResetsThem) {
  Tap(SDL_SCANCODE_ESCAPE);
  Tap(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(in.KeyHits(kKeyEscape), 2) << "two presses since last asked";
  EXPECT_EQ(in.KeyHits(kKeyEscape), 0) << "asking resets the count";
}

TEST_F(InputRecordTest, MouseButtonsFollowTheGamesNumbering) {
  struct Case {
    Uint8 sdl;
    int game;
  };
  const Case cases[] = {{SDL_BUTTON_LEFT, kMouseLeft}, {SDL_BUTTON_RIGHT, kMouseRight}, {SDL_BUTTON_MIDDLE, kMouseMiddle}};
  for (const Case& c : cases) {
    in.Handle(Button(SDL_MOUSEBUTTONDOWN, c.sdl));
    in.Handle(Button(SDL_MOUSEBUTTONUP, c.sdl));
    for (const Case& other : cases) {
      EXPECT_EQ(in.MouseHits(other.game), other.game == c.game ? 1 : 0)
          << "SDL button " << int(c.sdl) << " is the game's button " << c.game << ", not " << other.game;
    }
  }
}

TEST_F(InputRecordTest, ASecondDownReportOfAHeldButtonIsNoPress) {
  in.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
  in.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
  EXPECT_EQ(in.MouseHits(kMouseLeft), 1) << "the button never went up in between";
}

TEST_F(InputRecordTest, FocusChangesClearHeldStatesAndCounts) {
  for (Uint8 what : {Uint8{SDL_WINDOWEVENT_FOCUS_LOST}, Uint8{SDL_WINDOWEVENT_FOCUS_GAINED}}) {
    in.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_W));
    Tap(SDL_SCANCODE_ESCAPE);
    in.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
    in.Handle(Window(what));
    EXPECT_EQ(in.KeyDown(kKeyW), 0) << "focus event " << int(what) << " clears a held key";
    EXPECT_EQ(in.KeyHits(kKeyEscape), 0) << "focus event " << int(what) << " loses an Escape not yet asked for";
    EXPECT_EQ(in.MouseHits(kMouseLeft), 0) << "focus event " << int(what) << " clears a button's count";
    in.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
    EXPECT_EQ(in.MouseHits(kMouseLeft), 1) << "after focus event " << int(what) << " the button presses anew";
    in.Handle(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
  }
}

TEST_F(InputRecordTest, TheWindowsFirstActivationKeepsAnEarlyEscape) {
  Tap(SDL_SCANCODE_ESCAPE);
  in.Handle(Window(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_EQ(in.KeyHits(kKeyEscape), 1) << "SDL reports the new window's focus late; a press made before that stands";
}

TEST_F(InputRecordTest, OtherWindowEventsKeepTheInput) {
  in.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_W));
  in.Handle(Window(SDL_WINDOWEVENT_EXPOSED));
  in.Handle(Window(SDL_WINDOWEVENT_CLOSE));
  EXPECT_EQ(in.KeyDown(kKeyW), 1) << "a redraw or a close request doesn't let go of the keys";
}

TEST_F(InputRecordTest, MouseSpeedIsMotionSinceLastAsked) {
  in.Handle(MotionTo(100));
  in.Handle(MotionTo(130));
  EXPECT_EQ(in.MouseXSpeed(), 130) << "from where the record started to the latest report";
  in.Handle(MotionTo(120));
  EXPECT_EQ(in.MouseXSpeed(), -10) << "moving left is negative";
  EXPECT_EQ(in.MouseXSpeed(), 0) << "no motion since last asked";
}

TEST_F(InputRecordTest, TheRecentringJumpIsNoTurn) {
  in.Handle(MotionTo(640));
  in.MouseXSpeed();
  in.Handle(MotionTo(700));  // the player moves 60 right
  EXPECT_EQ(in.MouseXSpeed(), 60) << "the player's own movement";
  in.Recentre(640);
  EXPECT_EQ(in.MouseXSpeed(), 0) << "the warp back to the centre is not movement";
  in.Handle(MotionTo(640));  // the warp's own report, arriving late
  in.Handle(MotionTo(645));
  EXPECT_EQ(in.MouseXSpeed(), 5) << "only what the player moved after the re-centring";
}

TEST_F(InputRecordTest, UnknownKeysAndButtonsAnswerNothing) {
  in.Handle(Key(SDL_KEYDOWN, SDL_SCANCODE_F1));
  in.Handle(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1));
  for (int code : {-1, 0, 1000}) {
    EXPECT_EQ(in.KeyDown(code), 0) << "key code " << code << " is no key";
    EXPECT_EQ(in.KeyHits(code), 0) << "key code " << code << " is no key";
    EXPECT_EQ(in.MouseHits(code), 0) << "button " << code << " is no button";
  }
}

}  // namespace
}  // namespace platform
