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

constexpr int64_t kDay = int64_t{24} * 3600 * 1000;

// Uptimes around the points where a 32-bit count of milliseconds since boot
// turns negative (2^31, 24.9 days) or wraps (2^32, 49.7 days), and games of
// up to a week on them.
TEST(GameClockTest, LongUptimesAndLongGamesKeepReadingsInRange) {
  const int64_t uptimes[] = {0, (int64_t{1} << 31) - 5, int64_t{1} << 31, (int64_t{1} << 32) - 5,
                             int64_t{1} << 32, (int64_t{1} << 32) + kFold - 5, 1000 * kDay};
  const int64_t games[] = {0, 3600 * 1000, 3 * kDay, 7 * kDay};
  for (const int64_t boot : uptimes) {
    for (const int64_t length : games) {
      int64_t now = boot;
      const GameClock clock([&now] { return now; });
      const int first = clock.Millisecs();
      now += length;
      const int last = clock.Millisecs();
      EXPECT_GE(first, 0) << "uptime " << boot << " ms: readings are non-negative from the start";
      EXPECT_LT(first, kFold) << "uptime " << boot << " ms: the start is folded below 2^30";
      EXPECT_EQ(int64_t{last} - first, length) << "uptime " << boot << " ms, game " << length
                                               << " ms: the counter keeps exact time";
      EXPECT_LE(int64_t{last} + 20000, int64_t{INT32_MAX}) << "uptime " << boot << " ms, game " << length
                                                           << " ms: a reading plus a zombie's longest wait fits";
    }
  }
}

TEST(GameClockTest, AGameBeyondTwelveDaysStandsStillRatherThanWrap) {
  int64_t now = kFold - 1;  // the latest start there is
  const GameClock clock([&now] { return now; });
  int previous = clock.Millisecs();
  for (int day = 1; day <= 40; ++day) {
    now += kDay;
    const int reading = clock.Millisecs();
    EXPECT_GE(reading, previous) << "day " << day << ": the counter never runs backwards";
    EXPECT_LE(reading, kClockLast) << "day " << day << ": a reading plus an offset can't overflow";
    previous = reading;
  }
  EXPECT_EQ(previous, kClockLast) << "after forty days it has reached its last value";
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
