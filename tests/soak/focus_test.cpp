// Switching to another program in the middle of a walk: the game, reading the
// real input record, stops walking and forgets a click made before the switch.
#include <gtest/gtest.h>

#include "game/game.h"
#include "platform/sdl_input.h"
#include "tests/game/fake_platform.h"

namespace {

class RecordPlatform : public FakePlatform {
 public:
  platform::InputRecord input;
  int KeyDown(int key) override { return input.KeyDown(key); }
  int KeyHits(int key) override { return input.KeyHits(key); }
  int MouseHits(int button) override { return input.MouseHits(button); }
};

SDL_Event KeyDownW() {
  SDL_Event ev = {};
  ev.type = SDL_KEYDOWN;
  ev.key.keysym.scancode = SDL_SCANCODE_W;
  return ev;
}

SDL_Event LeftPress() {
  SDL_Event ev = {};
  ev.type = SDL_MOUSEBUTTONDOWN;
  ev.button.button = SDL_BUTTON_LEFT;
  return ev;
}

SDL_Event FocusLost() {
  SDL_Event ev = {};
  ev.type = SDL_WINDOWEVENT;
  ev.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  return ev;
}

TEST(FocusTest, LosingTheWindowMidWalkStopsThePlayerAndDropsAnOldClick) {
  RecordPlatform pf;
  Game g{pf};
  game = &g;
  Startup();
  g.zmbs.clear();
  pf.input.Handle(KeyDownW());
  for (int i = 0; i < 10; ++i) Pass();
  const float walkedX = g.plr->x, walkedY = g.plr->y;
  ASSERT_GT(walkedX * walkedX + walkedY * walkedY, 50.0f) << "W held walks the player ahead";
  ASSERT_EQ(g.plr->m, 1) << "the player is walking";

  // A click, then the switch before the game asked for it; the key is let go
  // while another program has the keyboard, so no key-up ever reaches us.
  pf.input.Handle(LeftPress());
  pf.input.Handle(FocusLost());
  for (int i = 0; i < 10; ++i) Pass();
  EXPECT_EQ(g.plr->x, walkedX) << "the held key was cleared: the player stands";
  EXPECT_EQ(g.plr->y, walkedY) << "the held key was cleared: the player stands";
  EXPECT_EQ(g.plr->m, 0) << "and is no longer walking";
  EXPECT_EQ(g.plr->ammo, 7) << "the click before the switch never fires";
  EXPECT_TRUE(pf.plain.empty()) << "no shot was heard";
  game = nullptr;
}

}  // namespace
