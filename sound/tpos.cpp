#include "sound/tpos.h"

#include "game/game.h"
#include "sound/tchn.h"

std::shared_ptr<TChn> TPos::Play(const platform::Sound* sound, float v, float e) {
  std::shared_ptr<TChn> rec = TChn::New();
  rec->p = this;
  rec->v = v;
  rec->e = e;
  // Placed before it starts, so the sound sits in its place from the first sample.
  rec->Adjust();
  game->pf.ChannelPlay(rec->c, sound);
  return rec;
}
