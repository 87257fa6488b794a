#include "bench/timing_log.h"

#include <chrono>
#include <cstdio>

namespace bench {

int64_t SteadyNanos() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void TimingLog::Block(int64_t entry, int64_t exit) {
  const std::size_t n = count_.load(std::memory_order_relaxed);
  if (n == kMaxBlocks) return;
  blocks_[n] = {entry, exit};
  count_.store(n + 1, std::memory_order_release);
}

void TimingLog::Write(const char* path, int status) const {
  std::FILE* f = std::fopen(path, "w");
  if (!f) {
    std::perror(path);
    return;
  }
  std::fprintf(f, "timer %lld\nrate %d\nheld %d\nend %d\n", static_cast<long long>(timer), rate.load(), held.load(),
               status);
  for (const auto& [name, t] : marks) std::fprintf(f, "mark %s %lld\n", name, static_cast<long long>(t));
  for (int64_t t : passes) std::fprintf(f, "pass %lld\n", static_cast<long long>(t));
  for (int64_t t : plays) std::fprintf(f, "play %lld\n", static_cast<long long>(t));
  const std::size_t n = count_.load(std::memory_order_acquire);
  for (std::size_t i = 0; i < n; ++i) {
    std::fprintf(f, "block %lld %lld\n", static_cast<long long>(blocks_[i].entry),
                 static_cast<long long>(blocks_[i].exit));
  }
  std::fclose(f);
}

TimingLog& Log() {
  static TimingLog log;
  return log;
}

}  // namespace bench
