// The input record that the game's queries read: held keys and buttons, press
// counts and the mouse's horizontal position. It is fed SDL events and asks
// SDL nothing, so it can be driven with made-up events.
#pragma once

#include <array>

#include <SDL.h>

namespace platform {

class InputRecord {
 public:
  void Handle(const SDL_Event& ev);

  int KeyDown(int key) const;  // exactly 0 or 1
  int KeyHits(int key);        // presses since last asked; the question resets the count
  int MouseHits(int button);
  // Pixels the pointer moved right since the previous call, as the latest
  // motion event placed it.
  int MouseXSpeed();
  // The pointer was warped to x: the jump is no movement of the player's, and
  // neither is the motion event that reports it later. Motion reported before
  // that report happened before the warp, which then undid it on the screen:
  // it is still the player's.
  void Recentre(int x);

 private:
  struct Control {
    bool held = false;
    int hits = 0;
  };
  void Press(Control* c, bool repeat);
  void ClearControls();

  // Indexed by the game's key codes (27 Escape, 65 to 90 the letters) and
  // button numbers (1 left, 2 right, 3 middle); 0 is never used.
  std::array<Control, 128> keys_{};
  std::array<Control, 4> buttons_{};
  int reported_x_ = 0;  // where the latest motion event placed the pointer
  int recorded_x_ = 0;  // where it was at the previous MouseXSpeed
  bool warp_pending_ = false;  // the warp to reported_x_ is yet to be reported
  int before_warp_x_ = 0;      // while it is: where the pointer was before the warp
  int carried_ = 0;            // motion from before the warp, reported after it
  bool was_left_ = false;      // the window has lost the focus at least once
};

}  // namespace platform
