// One pass of the real game (the player, every zombie, the upkeep) on the
// headless platform, with Z zombies and about S sounds playing. S long sounds
// are started on the zombies before timing, beside the breaths and footsteps
// the zombies make themselves; the player stands still and can't die, so the
// world runs on for as long as the benchmark needs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "bench/headless_platform.h"
#include "game/game.h"

namespace {

// Longer than every pass the benchmark runs, in game time.
const platform::Sound& Drone() {
  static const platform::Sound snd = [] {
    platform::Sound s;
    std::mt19937 gen(2);
    std::uniform_int_distribution<int> sample(-2000, 2000);
    s.samples.resize(static_cast<std::size_t>(platform::kMixRate) * 150);
    for (auto& x : s.samples) x = static_cast<int16_t>(sample(gen));
    return s;
  }();
  return snd;
}

void BM_Pass(benchmark::State& state) {
  const auto zombies = static_cast<std::size_t>(state.range(0));
  const auto sounds = static_cast<std::size_t>(state.range(1));
  bench::HeadlessPlatform pf(EARSHOT_SFX_DIR);
  Game g(pf);
  game = &g;
  Startup();
  while (g.zmbs.size() < zombies) SpawnZombies();
  g.zmbs.resize(zombies);
  g.plr->l = 1 << 30;
  for (std::size_t i = 0; i < sounds; ++i) g.zmbs[i % zombies]->Play(&Drone(), 1.0f, 150.0f);
  // Five seconds of game first, so breaths and footsteps come and go as in play.
  for (int i = 0; i < 250; ++i) {
    Pass();
    pf.Advance();
  }
  double playing = 0;
  for (auto _ : state) {
    Pass();
    state.PauseTiming();
    playing += static_cast<double>(g.chns.size());
    pf.Advance();
    state.ResumeTiming();
  }
  state.counters["zombies"] = static_cast<double>(zombies);
  state.counters["sounds"] = playing / static_cast<double>(state.iterations());
  game = nullptr;
}

}  // namespace

BENCHMARK(BM_Pass)->Args({50, 100})->Iterations(3000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Pass)->Args({5000, 4000})->Iterations(500)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
