#include <cstdlib>

#include "game/game.h"

void MainLoop(platform::Timer* tmr) {
  platform::Platform& pf = game->pf;
  for (;;) {
    // Asked before every pass, the first included.
    if (pf.KeyHits(platform::kKeyEscape)) pf.End(0);
    Pass();
    tmr->Wait();
  }
}

void Pass() {
  game->plr->Update();
  for (auto& z : game->zmbs) {
    if (z) z->Update();
  }
  Upkeep();
}

void EndGame(int flag) {
  if (flag != 0) game->pf.PlaySound(game->sndExp);
  // The sounds play on through the pause; nothing else runs.
  game->pf.Delay(7000);
  game->pf.End(0);
  std::abort();  // End never returns; the compiler can't see that through the virtual call
}
