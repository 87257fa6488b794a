#include "game/game.h"

Game* game = nullptr;

int RandRange(int lo, int hi) {
  // Rnd() never reaches 1, so hi + 1 is never drawn.
  return lo + static_cast<int>(game->pf.Rnd() * (static_cast<double>(hi) - lo + 1));
}

void Main(Game& g) {
  game = &g;
  MainLoop(Startup());
}
