#include "figures/tzmb.h"

#include <cmath>

#include "figures/tplr.h"
#include "game/game.h"
#include "platform/degrees.h"

int TZmb::Update() {
  platform::Platform& pf = game->pf;
  if (l == 0) return 0;

  // Every test and every new time reads the clock afresh.
  if (pf.Millisecs() >= tb) {
    c = Play(game->sndBrt[RandRange(0, 2)], 0.3f, 50.0f);
    tb = pf.Millisecs() + bi;
  }

  if (pf.Millisecs() >= tm) {
    m = 1 - m;
    Stp();  // a footstep both when it sets off and when it stops
    const int now = pf.Millisecs();
    tm = now + (m == 1 ? RandRange(2000, 5000) : RandRange(8000, 20000));
  }

  if (m == 1) {
    x = static_cast<float>(x + platform::Cos(a) * double{0.7f});
    y = static_cast<float>(y + platform::Sin(a) * double{0.7f});
  }

  if (pf.Millisecs() >= ta) {
    const TPlr& p = *game->plr;
    const float dx = p.x - x;
    const float dy = p.y - y;
    const float d = static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
    if (d < 70.0f) {
      Play(game->sndWsh, 1.0f, 200.0f);
      a = static_cast<float>(platform::ATan2(dy, dx));
      // A standing zombie sets off at its next update.
      if (m == 0) tm = pf.Millisecs();
    }
    if (d < 30.0f) {
      Play(game->sndPch, 1.0f, 200.0f);
      game->plr->l = game->plr->l - 1;
      if (game->plr->l == 0) EndGame(0);
    }
    ta = pf.Millisecs() + 800;
  }

  TFig::Update();
  return 0;
}

void SpawnZombies() {
  for (int i = 0; i < 50; ++i) {
    auto z = std::make_unique<TZmb>();
    z->a = static_cast<float>(RandRange(0, 359));
    z->x = static_cast<float>(RandRange(100, 1200));
    z->y = static_cast<float>(RandRange(-400, 400));
    z->pp.a = z->a;
    z->pp.x = z->x;
    z->pp.y = z->y;
    z->s = 12;
    z->tm = game->startTime + RandRange(0, 20000);
    z->tb = game->startTime + RandRange(0, 5000);
    z->bi = RandRange(4000, 6000);
    game->zmbs.push_back(std::move(z));
  }
}
