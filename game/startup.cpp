#include "game/game.h"

platform::Timer* Startup() {
  platform::Platform& pf = game->pf;
  // First, so the timer runs through the whole set-up.
  platform::Timer* tmr = pf.CreateTimer(50);
  game->sndBrt = {};
  game->sndStp = {};
  game->startTime = pf.Millisecs();
  pf.SeedRnd(game->startTime);
  InitGraphics();
  InitAudio();
  game->chns = {};
  CreatePlayer();
  game->tgt = std::make_unique<TPos>();
  game->tgt->x = 800.0f;
  SpawnZombies();
  pf.MoveCursor(game->width / 2, game->height / 2);
  // So the first pass measures only movement made after the centring.
  pf.MouseXSpeed();
  return tmr;
}

int InitGraphics() {
  platform::Platform& pf = game->pf;
  const int n = pf.ModeCount();
  int best = 0;
  for (int i = 0; i < n; ++i) {
    const platform::Mode mode = pf.GetMode(i);
    // Strictly larger: of equal areas the one listed first wins.
    const int area = static_cast<int>(static_cast<unsigned>(mode.w) * static_cast<unsigned>(mode.h));
    if (area > best) {
      best = area;
      game->width = mode.w;
      game->height = mode.h;
    }
  }
  pf.OpenDisplay(game->width, game->height, 32, 60, 0);
  pf.HideCursor();
  return 0;
}
