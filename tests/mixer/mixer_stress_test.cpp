// The game thread and the audio thread at full tilt on one mixer: built with
// ThreadSanitizer this shows any unsynchronised access, and in every build it
// shows sounds that get lost or stay playing for ever.
#include <atomic>
#include <random>
#include <thread>
#include <vector>

#include "mix_fixture.h"

namespace platform::test {
namespace {

TEST(MixerStressTest, GameAndAudioThreadsNeverLoseOrStickASound) {
  Mixer mixer;
  const std::vector<Sound> sounds = {ConstantMono(300), ConstantMono(1000), ConstantStereo(2000, kHalf, -kHalf),
                                     ConstantMono(kBlockFrames)};
  std::size_t longest = 0;
  for (const Sound& s : sounds) longest = std::max(longest, s.Frames());

  std::atomic<bool> done{false};
  std::atomic<long> blocks{0};
  std::thread audio([&] {
    std::vector<float> out(2 * kBlockFrames);
    while (!done.load(std::memory_order_relaxed)) {
      mixer.Mix(out.data(), kBlockFrames);
      blocks.fetch_add(1, std::memory_order_relaxed);
    }
  });

  struct Held {
    Channel c;
    bool started;
  };
  std::vector<Held> held;
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (int i = 0; i < 40000; ++i) {
    if (i % 500 == 0) {
      // Let the audio thread through a block now and then, so that the two
      // threads overlap all along however the machine schedules them.
      const long seen = blocks.load(std::memory_order_relaxed);
      while (blocks.load(std::memory_order_relaxed) == seen) std::this_thread::yield();
    }
    const unsigned op = rng() % 8;
    if (op == 0 || held.empty()) {
      const Channel c = mixer.Alloc();
      ASSERT_NE(c, kNoChannel) << "far fewer channels are held than the limit";
      ASSERT_EQ(mixer.Playing(c), 0) << "a fresh channel doesn't play";
      held.push_back({c, false});
      continue;
    }
    const std::size_t k = rng() % held.size();
    Held& h = held[k];
    switch (op) {
      case 1: mixer.SetPan(h.c, unit(rng) * 2 - 1); break;
      case 2: mixer.SetVolume(h.c, unit(rng)); break;
      case 3:
        mixer.Start(h.c, &sounds[rng() % sounds.size()]);
        h.started = true;
        break;
      case 4:
        if (!h.started) {
          ASSERT_EQ(mixer.Playing(h.c), 0) << "channel " << h.c << " plays though never started";
        }
        break;
      case 5:
        mixer.Stop(h.c);
        ASSERT_EQ(mixer.Playing(h.c), 0) << "a stop takes effect at once";
        mixer.Stop(h.c);
        held[k] = held.back();
        held.pop_back();
        break;
      case 6:
        if (rng() % 8 == 0) mixer.PlayPlain(&sounds[rng() % sounds.size()]);
        break;
      default: (void)mixer.Playing(h.c); break;
    }
  }
  done = true;
  audio.join();

  // Now alone on this thread: long enough mixing ends every sound.
  std::vector<float> out(2 * kBlockFrames);
  for (std::size_t b = 0; b <= longest / kBlockFrames + 1; ++b) mixer.Mix(out.data(), kBlockFrames);
  for (const Held& h : held) {
    EXPECT_EQ(mixer.Playing(h.c), 0) << "channel " << h.c << " still plays after every sound had time to end";
  }
  for (const float x : out) ASSERT_EQ(x, 0.0f) << "nothing sounds once every sound has ended";

  for (const Held& h : held) mixer.Stop(h.c);
  int free = 0;
  for (Channel c = mixer.Alloc(); c != kNoChannel; c = mixer.Alloc()) ++free;
  EXPECT_EQ(free, kMaxChannels) << "every plain play was reaped and no channel leaked";
}

}  // namespace
}  // namespace platform::test
