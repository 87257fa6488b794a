#include "platform/game_clock.h"

#include <gtest/gtest.h>

#include <thread>

namespace platform {
namespace {

constexpr int64_t kFold = int64_t{1} << 30;

TEST(GameClockTest, StartFoldsTheBootTimeBelow2To30) {
  struct Case {
    int64_t boot_ms;
    int start;
  };
  const Case cases[] = {{0, 0}, {12345, 12345}, {kFold - 1, kFold - 1}, {kFold, 0}, {5 * kFold + 7, 7}};
  for (const Case& c : cases) {
    EXPECT_EQ(ClockStart(c.boot_ms), c.start) << "boot time " << c.boot_ms << " ms";
  }
}

TEST(GameClockTest, ReadingsLeaveAGameAmpleHeadroom) {
  const GameClock clock;
  const int first = clock.Millisecs();
  EXPECT_GE(first, 0) << "stored times are compared as signed: readings stay non-negative";
  EXPECT_LT(int64_t{first}, kFold + 24 * 3600 * 1000) << "far below 2^31 - 1, so a day's game can't wrap";
}

TEST(GameClockTest, CountsMillisecondsFromItsStart) {
  const GameClock clock;
  const int before = clock.Millisecs();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const int after = clock.Millisecs();
  EXPECT_GE(after - before, 30) << "the counter moves on with the time slept";
}

}  // namespace
}  // namespace platform
