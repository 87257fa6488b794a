#include "figures/tfig.h"

#include <cmath>

#include "game/game.h"

int TFig::Update() {
  const double dx = static_cast<double>(x) - pp.x;
  const double dy = static_cast<double>(y) - pp.y;
  if (std::sqrt(dx * dx + dy * dy) > s) {
    Stp();
  } else if (std::fabs(static_cast<double>(pp.a) - a) > 45) {
    Stp();
  }
  return 0;
}

int TFig::Stp() {
  pp.x = x;
  pp.y = y;
  pp.a = a;
  Play(game->sndStp[RandRange(0, 7)], 1.0f, 150.0f);
  return 0;
}
