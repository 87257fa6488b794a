// An output whose own thread pulls from the mixer and stops when the device
// is unplugged, reopened by the game thread in the middle of a stream of
// sounds: built with ThreadSanitizer this shows any race between the end of
// the old thread, the ending of the sounds and the new thread.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/mixer_backend.h"

namespace {

class ThreadDevice : public platform::OutputDevice {
 public:
  std::atomic<bool> unplug{false};
  std::atomic<long> blocks{0};
  int opens = 0;

  bool Open(platform::Mixer* mixer, std::string*) override {
    ++opens;
    unplug = false;
    gone_ = false;
    thread_ = std::thread([this, mixer] {
      std::vector<float> out(2 * platform::kBlockFrames);
      while (!stop_.load() && !unplug.load()) {
        mixer->Mix(out.data(), platform::kBlockFrames);
        blocks.fetch_add(1);
      }
      gone_ = unplug.load();
    });
    return true;
  }
  bool Lost() override { return gone_.load(); }
  void Close() override {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    stop_ = false;
  }
  ~ThreadDevice() override { Close(); }

 private:
  std::thread thread_;
  std::atomic<bool> stop_{false}, gone_{false};
};

TEST(DeviceThreadTest, UnpluggingMidStreamEndsTheSoundsAndTheNewOutputPlaysOn) {
  // Made before the back end, so it outlives the thread that mixes it.
  platform::Sound longSound;
  longSound.samples.assign(platform::kMixRate * 60, 1000);  // a minute: it can only end by the loss
  auto owned = std::make_unique<ThreadDevice>();
  ThreadDevice* dev = owned.get();
  std::string why;
  auto backend = platform::MixerBackend::Open(std::move(owned), &why);
  ASSERT_TRUE(backend) << why;

  std::vector<platform::Channel> held;
  for (int round = 0; round < 20; ++round) {
    for (int i = 0; i < 200; ++i) {
      const platform::Channel c = backend->AllocChannel();
      backend->ChannelPan(c, 0.5f);
      backend->ChannelPlay(c, &longSound);
      held.push_back(c);
    }
    const long seen = dev->blocks.load();
    while (dev->blocks.load() == seen) std::this_thread::yield();
    dev->unplug = true;
    while (!dev->Lost()) std::this_thread::yield();
    for (const platform::Channel c : held) {
      ASSERT_EQ(backend->ChannelPlaying(c), 0) << "round " << round << ": a sound that was playing has ended";
      backend->StopChannel(c);
    }
    held.clear();
  }
  EXPECT_EQ(dev->opens, 21) << "the output was opened afresh after every loss";
  const platform::Channel c = backend->AllocChannel();
  backend->ChannelPlay(c, &longSound);
  EXPECT_EQ(backend->ChannelPlaying(c), 1) << "and sounds play on the last one";
}

}  // namespace
