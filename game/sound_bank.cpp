#include <string>

#include "game/game.h"

namespace {

const platform::Sound* Load(const std::string& path) { return game->pf.LoadSound(path.c_str(), 0); }

}  // namespace

int InitAudio() {
  platform::Platform& pf = game->pf;
  // The first name that exists is made current, whether it opens or not; the
  // platform leaves "Null" current where it doesn't.
  for (const char* name : {"Mixer Native", "Mixer System", "Mixer", "Null"}) {
    if (pf.BackendExists(name)) {
      pf.SetBackend(name);
      break;
    }
  }

  for (int i = 0; i < 3; ++i) game->sndBrt[i] = Load("sfx/brt" + std::to_string(i + 1) + ".ogg");
  game->sndDrp = Load("sfx/drp.ogg");
  game->sndDry = Load("sfx/dry.ogg");
  game->sndExp = Load("sfx/exp.ogg");
  game->sndLck = Load("sfx/lck.ogg");
  game->sndPch = Load("sfx/pch.ogg");
  game->sndSht = Load("sfx/sht.ogg");
  for (int i = 0; i < 8; ++i) game->sndStp[i] = Load("sfx/stp" + std::to_string(i + 1) + ".ogg");
  game->sndWsh = Load("sfx/wsh.ogg");
  return 0;
}
