// What the timed program records, on the steady clock in nanoseconds, and
// writes to a file when it ends. The game thread appends passes and plain
// plays; the audio thread appends mixed blocks into a fixed array and
// publishes each with a release store of the count.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace bench {

int64_t SteadyNanos();

struct TimingLog {
  static constexpr std::size_t kMaxBlocks = 1 << 18;  // over 20 minutes of 256-frame blocks

  int64_t timer = 0;            // the tick timer's creation: the origin of its grid
  std::vector<int64_t> passes;  // the head of every pass, the first included
  std::vector<int64_t> plays;   // every plain play: shots and the empty gun
  // Start-up's milestones: the display opened, the back end chosen, each sound loaded.
  std::vector<std::pair<const char*, int64_t>> marks;
  std::atomic<int> rate{0};     // the device's frames per second
  std::atomic<int> held{0};     // frames the device holds ahead of a block it takes

  // A block of output left the mixer: its mixing ran from entry to exit.
  void Block(int64_t entry, int64_t exit);
  // Writes everything to path.
  void Write(const char* path, int status) const;

 private:
  struct Span {
    int64_t entry, exit;
  };
  // Left uninitialised, so start-up doesn't pay for pages never used.
  std::unique_ptr<Span[]> blocks_{new Span[kMaxBlocks]};
  std::atomic<std::size_t> count_{0};
};

TimingLog& Log();

}  // namespace bench
