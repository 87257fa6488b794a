// The peer of mixer_bench: OpenAL Soft rendering one second of 48 kHz stereo
// float through its loopback device, with N mono sources of the same noise
// placed evenly on a half circle from hard left to hard right.
#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr int kBlockFrames = 256;

struct Loopback {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  ALuint buffer = 0;
  std::vector<ALuint> sources;

  explicit Loopback(int n) : sources(static_cast<std::size_t>(n)) {
    device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device) return;
    const ALCint attrs[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT,
                            ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                            ALC_FREQUENCY, kRate,
                            ALC_MONO_SOURCES, n,
                            0};
    context = alcCreateContext(device, attrs);
    if (!context || !alcMakeContextCurrent(context)) return;

    std::mt19937 gen(1);
    std::uniform_int_distribution<int> sample(-20000, 20000);
    std::vector<int16_t> noise(kRate * 3 / 2);
    for (auto& x : noise) x = static_cast<int16_t>(sample(gen));
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, noise.data(), static_cast<ALsizei>(noise.size() * sizeof(int16_t)), kRate);

    alGenSources(n, sources.data());
    for (int i = 0; i < n; ++i) {
      const double t = n > 1 ? -M_PI / 2 + M_PI * i / (n - 1) : 0.0;
      const ALuint s = sources[static_cast<std::size_t>(i)];
      alSourcei(s, AL_BUFFER, static_cast<ALint>(buffer));
      alSourcei(s, AL_LOOPING, AL_TRUE);
      alSourcef(s, AL_GAIN, 0.5f);
      alSource3f(s, AL_POSITION, static_cast<ALfloat>(std::sin(t)), 0.0f, static_cast<ALfloat>(-std::cos(t)));
    }
    alSourcePlayv(n, sources.data());
  }

  bool AllPlaying() const {
    if (!context || alGetError() != AL_NO_ERROR) return false;
    for (ALuint s : sources) {
      ALint st = 0;
      alGetSourcei(s, AL_SOURCE_STATE, &st);
      if (st != AL_PLAYING) return false;
    }
    return true;
  }

  ~Loopback() {
    if (context) {
      alDeleteSources(static_cast<ALsizei>(sources.size()), sources.data());
      alDeleteBuffers(1, &buffer);
      alcMakeContextCurrent(nullptr);
      alcDestroyContext(context);
    }
    if (device) alcCloseDevice(device);
  }
};

void BM_OpenAlOneSecond(benchmark::State& state) {
  Loopback al(static_cast<int>(state.range(0)));
  if (!al.AllPlaying()) {
    state.SkipWithError("OpenAL Soft did not start every source");
    return;
  }
  std::vector<float> out(2 * kRate);
  for (auto _ : state) {
    for (int f = 0; f < kRate; f += kBlockFrames) {
      alcRenderSamplesSOFT(al.device, out.data() + 2 * f, std::min(kBlockFrames, kRate - f));
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  if (!al.AllPlaying()) state.SkipWithError("a source stopped while rendering");
}

}  // namespace

BENCHMARK(BM_OpenAlOneSecond)->Arg(16)->Arg(256)->Arg(4095)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
