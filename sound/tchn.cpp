#include "sound/tchn.h"

#include <cmath>

#include "figures/tplr.h"
#include "game/game.h"
#include "platform/degrees.h"

std::shared_ptr<TChn> TChn::New() {
  auto rec = std::make_shared<TChn>();
  rec->c = game->pf.AllocChannel();
  game->chns.push_back(rec);
  return rec;
}

int TChn::Adjust() {
  const TPlr& l = *game->plr;
  const float s = static_cast<float>(platform::Sin(l.a));
  const float n = static_cast<float>(-platform::Cos(l.a));
  const float dx = l.x - p->x;
  const float dy = l.y - p->y;
  double d = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  // A source on the listener itself (the player's own footsteps) is centred.
  if (d == 0) d = 0.00001f;
  const float pan = static_cast<float>((double{s} * dx + double{n} * dy) / d);
  const float gain = static_cast<float>(std::exp(-d / e));
  game->pf.ChannelPan(c, pan);
  game->pf.ChannelVolume(c, static_cast<float>(double{gain} * v));
  return 0;
}

void Upkeep() {
  platform::Platform& pf = game->pf;
  for (auto it = game->chns.begin(); it != game->chns.end();) {
    TChn& rec = **it;
    if (pf.ChannelPlaying(rec.c)) {
      rec.Adjust();
      ++it;
    } else {
      pf.StopChannel(rec.c);
      it = game->chns.erase(it);
    }
  }
}
