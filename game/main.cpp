// The program: the SDL platform, then the game.
#include "game/game.h"
#include "platform/sdl_platform.h"

int main() {
  // Never freed: the process ends inside Main.
  static std::unique_ptr<platform::Platform> pf = platform::MakeSdlPlatform();
  static Game g(*pf);
  Main(g);
}
