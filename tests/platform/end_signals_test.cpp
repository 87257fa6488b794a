#include "platform/end_signals.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

namespace platform {
namespace {

// The signal state is the process's own, so each case runs in a child.
class EndSignalsTest : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(EndSignalsTest, AFirstSignalIsNotedForTheGameThread) {
  EXPECT_EXIT(
      {
        InstallEndSignals();
        raise(SIGINT);
        _exit(PendingEndSignal() == SIGINT ? 7 : 0);
      },
      ::testing::ExitedWithCode(7), "")
      << "the handler notes Ctrl+C and leaves ending the process to the game thread";
}

TEST_F(EndSignalsTest, ASecondSignalEndsTheProcessOnTheSpot) {
  EXPECT_EXIT(
      {
        InstallEndSignals();
        raise(SIGTERM);
        raise(SIGTERM);
        _exit(0);
      },
      ::testing::ExitedWithCode(128 + SIGTERM), "")
      << "a user who asks twice is not kept waiting";
}

TEST_F(EndSignalsTest, ASignalWhileEndingEndsTheProcessOnTheSpot) {
  EXPECT_EXIT(
      {
        InstallEndSignals();
        MarkEnding();
        raise(SIGINT);
        _exit(0);
      },
      ::testing::ExitedWithCode(128 + SIGINT), "")
      << "a shut-down that hangs can still be interrupted";
}

}  // namespace
}  // namespace platform
