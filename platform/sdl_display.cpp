#include "platform/sdl_display.h"

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

std::string HeadlessReason(const char* driver) {
  const char* x11 = std::getenv("DISPLAY");
  const std::string where = x11 && *x11 ? std::string("at DISPLAY=") + x11 : "(DISPLAY is not set)";
  return std::string("no X11 or Wayland server answered ") + where + ", and SDL fell back to its \"" + driver +
         "\" video driver";
}

}  // namespace

std::vector<Mode> UsableModes(const std::vector<Mode>& reported) {
  std::vector<Mode> usable;
  for (const Mode& m : reported) {
    if (usable.size() == kMaxModes) break;
    if (m.bpp >= 16) usable.push_back(m);
  }
  return usable;
}

bool IsHeadless(const char* driver, const char* asked) {
  const bool stand_in = std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
  return stand_in && (asked == nullptr || *asked == '\0');
}

bool SdlDisplay::Start(std::string* why) {
  // The window only ever shows black: a plain surface does, where an
  // accelerated one would cost most of a second to set up.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    *why = SDL_GetError();
    return false;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  if (IsHeadless(driver, std::getenv("SDL_VIDEODRIVER"))) {
    *why = HeadlessReason(driver);
    return false;
  }
  return true;
}

std::vector<Mode> SdlDisplay::Modes() const {
  std::vector<Mode> reported;
  const int n = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < n; ++i) {
    SDL_DisplayMode dm;
    if (SDL_GetDisplayMode(0, i, &dm) == 0) {
      reported.push_back({dm.w, dm.h, static_cast<int>(SDL_BITSPERPIXEL(dm.format)), dm.refresh_rate});
    }
  }
  return UsableModes(reported);
}

bool SdlDisplay::Open(int w, int h, int bpp, int hz, std::string* why) {
  SDL_DisplayMode want = {};
  want.w = w;
  want.h = h;
  want.format = bpp >= 24 ? SDL_PIXELFORMAT_RGB888 : bpp == 16 ? SDL_PIXELFORMAT_RGB565 : 0;
  want.refresh_rate = hz;
  // SDL takes the nearest rate without a word; a display that doesn't offer
  // this one at this size gets its own rate instead (0).
  SDL_DisplayMode near;
  if (!SDL_GetClosestDisplayMode(0, &want, &near) || near.refresh_rate != hz) want.refresh_rate = 0;

  Close();
  // Hidden until its mode is set, so the screen switches once.
  window_ = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED_DISPLAY(0), SDL_WINDOWPOS_UNDEFINED_DISPLAY(0), w, h,
                             SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) {
    *why = SDL_GetError();
    return false;
  }
  SDL_SetWindowDisplayMode(window_, &want);
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  SDL_SetWindowGrab(window_, SDL_TRUE);
  PresentBlack();
  return true;
}

void SdlDisplay::Handle(const SDL_Event& ev) {
  if (ev.type == SDL_WINDOWEVENT && ev.window.event == SDL_WINDOWEVENT_EXPOSED) PresentBlack();
}

void SdlDisplay::PresentBlack() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr) return;  // the window shows whatever it shows; the game doesn't look
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  SDL_UpdateWindowSurface(window_);
}

void SdlDisplay::HideCursor() { SDL_ShowCursor(SDL_DISABLE); }

void SdlDisplay::Warp(int x, int y) {
  if (window_ != nullptr) SDL_WarpMouseInWindow(window_, x, y);
}

void SdlDisplay::Close() {
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace platform
