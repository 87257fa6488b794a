#include "platform/end_signals.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace platform {
namespace {

std::atomic<int> pending{0};
std::atomic<bool> ending{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "read and written from a signal handler");

void OnEndSignal(int sig) {
  // A second signal while the first is still being acted on: the user means it.
  if (ending.load() || pending.load() != 0) _exit(128 + sig);
  pending.store(sig);
}

}  // namespace

void InstallEndSignals() {
  struct sigaction act = {};
  act.sa_handler = OnEndSignal;
  sigemptyset(&act.sa_mask);
  act.sa_flags = SA_RESTART;
  sigaction(SIGINT, &act, nullptr);
  sigaction(SIGTERM, &act, nullptr);
}

int PendingEndSignal() { return pending.load(); }

void MarkEnding() { ending.store(true); }

}  // namespace platform
