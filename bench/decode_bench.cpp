// The floor for start-up: the eighteen sounds of the bank decoded with plain
// ov_read into 16-bit samples, nothing else.
#include <benchmark/benchmark.h>
#include <vorbis/vorbisfile.h>

#include <string>
#include <vector>

namespace {

const char* const kBank[] = {"brt1", "brt2", "brt3", "drp",  "dry",  "exp",  "lck",  "pch",  "sht",
                             "stp1", "stp2", "stp3", "stp4", "stp5", "stp6", "stp7", "stp8", "wsh"};

// Bytes of samples decoded; 0 where a file fails.
long DecodeFile(const std::string& path, std::vector<char>& out) {
  OggVorbis_File vf;
  if (ov_fopen(path.c_str(), &vf) != 0) return 0;
  long total = 0;
  char buf[8192];
  for (;;) {
    int link = 0;
    const long n = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &link);
    if (n <= 0) break;
    out.insert(out.end(), buf, buf + n);
    total += n;
  }
  ov_clear(&vf);
  return total;
}

void BM_DecodeBank(benchmark::State& state) {
  for (auto _ : state) {
    long total = 0;
    for (const char* name : kBank) {
      // A buffer of its own for every sound, as the game keeps them.
      std::vector<char> out;
      const long n = DecodeFile(std::string(EARSHOT_SFX_DIR) + "/" + name + ".ogg", out);
      if (n == 0) {
        state.SkipWithError((std::string(name) + ".ogg did not decode").c_str());
        return;
      }
      total += n;
    }
    benchmark::DoNotOptimize(total);
  }
}

}  // namespace

BENCHMARK(BM_DecodeBank)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
