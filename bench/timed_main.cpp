// The program as players run it, with the timing platform around the SDL one;
// built a second time with SDL_mixer playing the sounds, for comparison.
#include "bench/timing_platform.h"
#include "game/game.h"
#include "platform/sdl_platform.h"

int main() {
#ifdef EARSHOT_BENCH_SDL_MIXER
  const bench::TimingPlatform::PeerOpener peer = bench::OpenSdlMixer;
#else
  const bench::TimingPlatform::PeerOpener peer;
#endif
  // Never freed: the process ends inside Main.
  static bench::TimingPlatform pf(platform::MakeSdlPlatform(), peer);
  static Game g(pf);
  Main(g);
}
