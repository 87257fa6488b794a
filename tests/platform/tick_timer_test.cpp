#include "platform/sdl_timer.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform {
namespace {

using std::chrono::milliseconds;
using Nanos = TickTimer::Nanos;

// A scripted clock: time passes only while the timer idles, by as much as it
// asks for, or less where an event cuts the wait short.
class TickTimerTest : public ::testing::Test {
 protected:
  TickTimer MakeTimer(int hz) {
    return TickTimer(hz, [this] { return now; }, [this](Nanos left) {
      waits.push_back(left);
      now += event_every > Nanos::zero() && event_every < left ? event_every : left;
    });
  }
  Nanos now = milliseconds(5000);
  Nanos event_every = Nanos::zero();  // an input event cuts each wait short after this long
  std::vector<Nanos> waits;
};

TEST_F(TickTimerTest, WaitReturnsAtTheNextTickOfTheGrid) {
  TickTimer t = MakeTimer(50);
  now += milliseconds(3);  // a pass that took 3 ms
  t.Wait();
  EXPECT_EQ(now, milliseconds(5020)) << "the first tick is 20 ms after the timer's creation";
  now += milliseconds(7);
  t.Wait();
  EXPECT_EQ(now, milliseconds(5040)) << "ticks stay on the grid whatever the pass took";
}

TEST_F(TickTimerTest, OneWaitConsumesEveryTickThatHasCome) {
  TickTimer t = MakeTimer(50);
  now += milliseconds(75);  // a slow pass: the ticks at 20, 40 and 60 ms have come
  t.Wait();
  EXPECT_EQ(now, milliseconds(5075)) << "ticks have come: the wait returns without waiting";
  t.Wait();
  EXPECT_EQ(now, milliseconds(5080)) << "the next wait waits for a fresh tick, no pass runs to catch up";
}

TEST_F(TickTimerTest, EventsDuringTheWaitDoNotReleaseIt) {
  event_every = milliseconds(3);
  TickTimer t = MakeTimer(50);
  t.Wait();
  EXPECT_EQ(now, milliseconds(5020)) << "input arriving every 3 ms is processed, and the wait goes on";
}

TEST_F(TickTimerTest, IdlesWithoutSpinning) {
  TickTimer t = MakeTimer(50);
  t.Wait();
  ASSERT_FALSE(waits.empty()) << "the wait processes events at least once";
  for (std::size_t i = 0; i + 1 < waits.size(); ++i) {
    EXPECT_GT(waits[i], Nanos::zero()) << "every idle before the tick waits for the time left, wait " << i;
  }
  EXPECT_EQ(waits.back(), Nanos::zero()) << "once the tick is due the pending events are only taken up";
  EXPECT_LE(waits.size(), 2u) << "one wait for the time left and one look at the events: no polling loop";
}

TEST_F(TickTimerTest, PeriodIsWholeMillisecondsOfTheRate) {
  struct Case {
    int hz;
    int period_ms;
  };
  const Case cases[] = {{50, 20}, {60, 16}, {1000, 1}, {4000, 1}, {0, 1000}};
  for (const Case& c : cases) {
    const Nanos start = now;
    TickTimer t = MakeTimer(c.hz);
    t.Wait();
    EXPECT_EQ(now - start, milliseconds(c.period_ms)) << c.hz << " Hz ticks every " << c.period_ms << " ms";
  }
}

}  // namespace
}  // namespace platform
