// One second of output from our mixer with N mono channels playing, panned
// evenly from hard left to hard right. Its peer is openal_bench.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "platform/mixer.h"

namespace {

using platform::Mixer;

// Noise, so no sample is zero and nothing can be skipped; longer than the
// second mixed, so every channel plays through it.
const platform::Sound& Noise() {
  static const platform::Sound snd = [] {
    platform::Sound s;
    s.channels = 1;
    std::mt19937 gen(1);
    std::uniform_int_distribution<int> sample(-20000, 20000);
    s.samples.resize(platform::kMixRate * 3 / 2);
    for (auto& x : s.samples) x = static_cast<int16_t>(sample(gen));
    return s;
  }();
  return snd;
}

void StartAll(Mixer& mixer, std::vector<platform::Channel>& chans) {
  for (platform::Channel c : chans) mixer.Stop(c);
  const int n = static_cast<int>(chans.size());
  for (int i = 0; i < n; ++i) {
    chans[i] = mixer.Alloc();
    mixer.SetPan(chans[i], n > 1 ? -1.0f + 2.0f * i / (n - 1) : 0.0f);
    mixer.SetVolume(chans[i], 0.5f);
    mixer.Start(chans[i], &Noise());
  }
}

void BM_MixOneSecond(benchmark::State& state) {
  auto mixer = std::make_unique<Mixer>();
  std::vector<platform::Channel> chans(static_cast<std::size_t>(state.range(0)), platform::kNoChannel);
  std::vector<float> out(2 * platform::kMixRate);
  for (auto _ : state) {
    state.PauseTiming();
    StartAll(*mixer, chans);
    state.ResumeTiming();
    // In blocks, as the device asks for them.
    for (int f = 0; f < platform::kMixRate; f += platform::kBlockFrames) {
      mixer->Mix(out.data() + 2 * f, static_cast<std::size_t>(std::min(platform::kBlockFrames, platform::kMixRate - f)));
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(BM_MixOneSecond)->Arg(16)->Arg(256)->Arg(4095)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
