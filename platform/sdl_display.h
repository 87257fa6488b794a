// The display: the full-screen modes of the primary display and the one
// window that takes the whole screen and receives the keyboard and the mouse.
// Nothing is drawn: the window shows black.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <SDL.h>

#include "platform/platform.h"

namespace platform {

inline constexpr std::size_t kMaxModes = 1024;

// The modes the game may choose from, in the order the display reported them:
// those of 16 bits per pixel or more, at most kMaxModes.
std::vector<Mode> UsableModes(const std::vector<Mode>& reported);

// With no display server SDL quietly picks a video driver whose window opens
// and never gets a key: unless the user asked for that driver, there is no
// display. asked is SDL_VIDEODRIVER, or null.
bool IsHeadless(const char* driver, const char* asked);

class SdlDisplay {
 public:
  // Starts SDL's video; false, with *why set, where no display can be had.
  bool Start(std::string* why);
  std::vector<Mode> Modes() const;
  // A full-screen borderless window of w x h with the screen switched to that
  // size at bpp and hz, or at the display's own rate where it refuses hz.
  bool Open(int w, int h, int bpp, int hz, std::string* why);
  // Redraws the window when the window system has lost its content.
  void Handle(const SDL_Event& ev);
  void HideCursor();
  void Warp(int x, int y);
  // Gives the desktop its own mode back.
  void Close();

 private:
  void PresentBlack();
  SDL_Window* window_ = nullptr;
};

}  // namespace platform
