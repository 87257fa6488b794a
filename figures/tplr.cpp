#include "figures/tplr.h"

#include <cmath>

#include "figures/tzmb.h"
#include "game/game.h"
#include "platform/degrees.h"

using platform::Cos;
using platform::Sin;

int TPlr::Update() {
  platform::Platform& pf = game->pf;

  a = static_cast<float>(a + double{0.15f} * pf.MouseXSpeed());
  // Re-centre, and let the second query take up the jump, so that the next
  // tick measures only what the player moved.
  pf.MoveCursor(game->width / 2, game->height / 2);
  pf.MouseXSpeed();

  const int w = pf.KeyDown(platform::kKeyW);
  const int s_ = pf.KeyDown(platform::kKeyS);
  const int a_ = pf.KeyDown(platform::kKeyA);
  const int d = pf.KeyDown(platform::kKeyD);

  if (w || s_) {
    const int k = 1 - 2 * s_;  // both held: back
    x = static_cast<float>(x + Cos(a) * k);
    y = static_cast<float>(y + Sin(a) * k);
    if (m == 0) Stp();
    m = 1;
  }
  if (a_ || d) {
    const int k = 1 - 2 * d;  // both held: right
    x = static_cast<float>(x + Sin(a) * k * double{0.6f});
    y = static_cast<float>(y - Cos(a) * k * double{0.6f});
    if (m == 0) Stp();
    m = 1;
  }
  if (w + s_ + a_ + d == 0) {
    if (m != 0) Stp();
    m = 0;
  }

  TFig::Update();

  if (pf.MouseHits(platform::kMouseLeft)) Shoot();

  // Asked on every tick, so a press while the call is refused is dropped.
  if (pf.MouseHits(platform::kMouseRight)) {
    if (pf.Millisecs() >= t) {
      game->tgt->Play(game->sndLck, 1.0f, 200.0f);
      t = pf.Millisecs() + 1000;
    }
  }

  const double tx = static_cast<double>(x) - game->tgt->x;
  const double ty = static_cast<double>(y) - game->tgt->y;
  if (std::sqrt(tx * tx + ty * ty) < 35) EndGame(1);
  return 0;
}

int TPlr::Shoot() {
  if (ammo <= 0) {
    game->pf.PlaySound(game->sndDry);
  } else {
    game->pf.PlaySound(game->sndSht);
    // Every zombie is asked, fallen ones too, with no early exit: one shot
    // fells every zombie in its line.
    for (auto& z : game->zmbs) {
      if (!z) continue;
      if (GetD(*z) < 15.0f && z->l == 1) {
        z->Play(game->sndDrp, 1.0f, 200.0f);
        z->l = 0;
        if (z->c) game->pf.StopChannel(z->c->c);  // cuts off a breath that still plays
      }
    }
    if (GetD(*game->tgt) < 30) EndGame(1);
  }
  ammo = ammo - 1;
  return 0;
}

float TPlr::GetD(const TPos& target) {
  const float dx = target.x - x;
  const float dy = target.y - y;
  const float ca = static_cast<float>(Cos(a));
  // Exactly abeam counts as ahead.
  if (double{ca} * dx + Sin(a) * dy < 0) return 9999;
  const double d = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  const int r = RandRange(100, 400);
  if (d > r) return 9999;
  return static_cast<float>(std::fabs(Sin(a) * dx - Cos(a) * dy));
}

void CreatePlayer() {
  game->plr = std::make_unique<TPlr>();
  TPlr& p = *game->plr;
  p.ammo = 7;
  p.a = static_cast<float>(RandRange(0, 359));
  p.pp.a = p.a;
  p.pp.x = p.x;
  p.pp.y = p.y;
}
