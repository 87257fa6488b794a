#include "platform/sdl_input.h"

namespace platform {
namespace {

// Keys by their place on the keyboard, not the letter printed on them, so W,
// A, S and D lie where a player expects them on AZERTY and Dvorak layouts too.
int KeyCode(SDL_Scancode sc) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc == SDL_SCANCODE_ESCAPE) return 27;
  return 0;
}

// SDL numbers the middle button 2 and the right one 3; the game the other way.
int ButtonNumber(Uint8 sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

template <typename Table>
bool Known(const Table& table, int i) {
  return i > 0 && i < static_cast<int>(table.size());
}

}  // namespace

void InputRecord::Press(Control* c, bool repeat) {
  // A repeat, or a second down report for a control already held, is no press.
  if (!repeat && !c->held) ++c->hits;
  c->held = true;
}

void InputRecord::ClearControls() {
  keys_.fill({});
  buttons_.fill({});
}

void InputRecord::Handle(const SDL_Event& ev) {
  switch (ev.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int k = KeyCode(ev.key.keysym.scancode);
      if (k == 0) return;
      if (ev.type == SDL_KEYDOWN) {
        Press(&keys_[k], ev.key.repeat != 0);
      } else {
        keys_[k].held = false;
      }
      return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int b = ButtonNumber(ev.button.button);
      if (b == 0) return;
      if (ev.type == SDL_MOUSEBUTTONDOWN) {
        Press(&buttons_[b], false);
      } else {
        buttons_[b].held = false;
      }
      return;
    }
    case SDL_MOUSEMOTION:
      if (!warp_pending_) {
        reported_x_ = ev.motion.x;
      } else if (ev.motion.x == reported_x_) {
        warp_pending_ = false;  // the warp's own report
      } else {
        carried_ += ev.motion.x - before_warp_x_;
        before_warp_x_ = ev.motion.x;
      }
      return;
    case SDL_WINDOWEVENT:
      // Whatever happened while another program had the keyboard is not ours.
      // The window's first activation, which SDL may report a good while
      // after it opened, comes from no game of ours: the presses made since
      // the window opened (an early Escape) stand.
      if (ev.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        ClearControls();
        was_left_ = true;
      } else if (ev.window.event == SDL_WINDOWEVENT_FOCUS_GAINED && was_left_) {
        ClearControls();
      }
      return;
    default:
      return;
  }
}

int InputRecord::KeyDown(int key) const { return Known(keys_, key) && keys_[key].held ? 1 : 0; }

int InputRecord::KeyHits(int key) {
  if (!Known(keys_, key)) return 0;
  const int n = keys_[key].hits;
  keys_[key].hits = 0;
  return n;
}

int InputRecord::MouseHits(int button) {
  if (!Known(buttons_, button)) return 0;
  const int n = buttons_[button].hits;
  buttons_[button].hits = 0;
  return n;
}

int InputRecord::MouseXSpeed() {
  const int moved = reported_x_ - recorded_x_ + carried_;
  recorded_x_ = reported_x_;
  carried_ = 0;
  return moved;
}

void InputRecord::Recentre(int x) {
  // Even where the record has the pointer at x already, motion on its way
  // may have moved it, and then the warp is reported too.
  warp_pending_ = true;
  before_warp_x_ = reported_x_;
  reported_x_ = x;
  recorded_x_ = x;
}

}  // namespace platform
