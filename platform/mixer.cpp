// The mixer's inside. The game thread and the audio thread share one array of
// per-channel atomics, and a bitmap of fresh starts, and nothing else:
//
//   game -> audio: pan, volume, the sound, the number of the latest start and
//                  the number of the start that a stop cancelled;
//   audio -> game: the number of the latest start whose last sample was mixed.
//
// A start is published by storing its number with release after the sound;
// the audio thread picks it up with acquire at the head of a block, so the
// sound's samples and the pan and volume set before the start are seen. The
// free list and the record of plain plays belong to the game thread alone.
#include "platform/mixer.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <vector>

namespace platform {
namespace {

struct Gains {
  float l = 0, r = 0;
};

// The near side keeps the full volume; the far side falls linearly with pan.
Gains PanLaw(float vol, float pan) {
  return {vol * std::min(1.0f, 1.0f - pan), vol * std::min(1.0f, 1.0f + pan)};
}

// Written by the game thread, except `ended`.
struct Shared {
  std::atomic<float> pan{0.0f};
  std::atomic<float> vol{1.0f};
  std::atomic<const Sound*> snd{nullptr};
  std::atomic<uint32_t> start{0};  // number of the latest start; 0: never started
  std::atomic<uint32_t> stop{0};   // number of the start that the latest stop cancelled
  std::atomic<uint32_t> ended{0};  // audio thread: the start whose last sample was mixed
};

// The game thread's own view of a channel.
struct Owner {
  bool allocated = false;
  bool started = false;
  bool plain = false;
  const Sound* snd = nullptr;
  uint32_t start = 0;  // kept across allocations, so numbers never repeat
};

// The audio thread's own view of a channel.
struct Voice {
  uint32_t start = 0;
  const Sound* snd = nullptr;
  std::size_t pos = 0;
  Gains gain;  // applied at the end of the previous block
  bool active = false;
};

constexpr float kSampleScale = 1.0f / 32768.0f;

// The hot loops: n frames added into the planar block, the gains running
// from `from` by (dl, dr) a frame, so frame i gets from + d * (i + 1). The
// frame index is an int, which converts to float in vector registers.
void PaintMono(const int16_t* __restrict src, int n, Gains from, float dl, float dr,
               float* __restrict l, float* __restrict r) {
  for (int i = 0; i < n; ++i) {
    const float k = static_cast<float>(i + 1);
    const float x = src[i] * kSampleScale;
    l[i] += x * (from.l + dl * k);
    r[i] += x * (from.r + dr * k);
  }
}

void PaintStereo(const int16_t* __restrict src, int n, Gains from, float dl, float dr,
                 float* __restrict l, float* __restrict r) {
  for (int i = 0; i < n; ++i) {
    const float k = static_cast<float>(i + 1);
    l[i] += src[2 * i] * kSampleScale * (from.l + dl * k);
    r[i] += src[2 * i + 1] * kSampleScale * (from.r + dr * k);
  }
}

}  // namespace

struct Mixer::Impl {
  Shared shared[kMaxChannels];
  Owner owner[kMaxChannels];
  Voice voice[kMaxChannels];

  // Free channels in a ring, taken from the head and returned at the tail: a
  // released channel is reused as late as possible, so a stale second stop
  // from the game hardly ever meets a newer sound, and a fade-out is finished
  // long before its channel plays again.
  int ring[kMaxChannels];
  int head = 0, count = kMaxChannels;

  std::vector<Channel> plain;  // channels of PlayPlain, reaped once ended

  // So a block costs what plays, not what could: the game thread flags every
  // start here after publishing it, and the audio thread moves the flags
  // into `live`, its own set of channels to visit, which it thins as voices
  // fall silent. One bit a channel, in channel order, so the sum is formed
  // in the same order as over the whole array.
  static constexpr int kWords = (kMaxChannels + 63) / 64;
  std::atomic<uint64_t> started[kWords] = {};
  uint64_t live[kWords] = {};

  float left[kBlockFrames];
  float right[kBlockFrames];

  Impl() {
    for (int i = 0; i < kMaxChannels; ++i) ring[i] = i;
    plain.reserve(kMaxChannels);
  }

  bool Owned(Channel c) const { return c >= 0 && c < kMaxChannels && owner[c].allocated; }

  bool Playing(Channel c) const {
    if (!Owned(c)) return false;
    const Owner& o = owner[c];
    return o.started && o.snd && shared[c].ended.load(std::memory_order_acquire) != o.start;
  }

  void Release(Channel c) {
    Owner& o = owner[c];
    if (o.started) shared[c].stop.store(o.start, std::memory_order_release);
    o.allocated = false;
    ring[(head + count) % kMaxChannels] = c;
    ++count;
  }

  // Plain plays are released here, on the game thread, since only it may
  // touch the free list.
  void Reap() {
    for (std::size_t i = 0; i < plain.size();) {
      const Channel c = plain[i];
      // A stale stop from the game may have released the channel already.
      const bool ours = Owned(c) && owner[c].plain;
      if (ours && Playing(c)) {
        ++i;
        continue;
      }
      if (ours) Release(c);
      plain[i] = plain.back();
      plain.pop_back();
    }
  }

  void MixBlock(float* out, std::size_t frames);
  void MixVoice(Shared& sh, Voice& v, std::size_t frames);
};

void Mixer::Impl::MixVoice(Shared& sh, Voice& v, std::size_t frames) {
  // The stop is read before the start: a stop names a start that was
  // published before it, so a stop seen here is never newer than the start.
  const uint32_t stop = sh.stop.load(std::memory_order_acquire);
  const uint32_t start = sh.start.load(std::memory_order_acquire);
  if (start != v.start) {
    v.start = start;
    v.snd = sh.snd.load(std::memory_order_acquire);
    v.pos = 0;
    // A new sound takes the channel's pan and volume from its first sample.
    v.gain = PanLaw(sh.vol.load(std::memory_order_relaxed), sh.pan.load(std::memory_order_relaxed));
    // A sound stopped before its first block is never heard at all.
    v.active = v.snd != nullptr && stop != start;
    if (!v.snd) sh.ended.store(start, std::memory_order_release);
  }
  if (!v.active) return;

  // A stopped sound fades to silence across this block rather than clicking.
  const bool stopping = stop == v.start;
  const Gains to = stopping ? Gains{}
                            : PanLaw(sh.vol.load(std::memory_order_relaxed),
                                     sh.pan.load(std::memory_order_relaxed));
  const Gains from = v.gain;
  const float dl = (to.l - from.l) / static_cast<float>(frames);
  const float dr = (to.r - from.r) / static_cast<float>(frames);

  const Sound& s = *v.snd;
  const std::size_t total = s.Frames();
  const std::size_t n = std::min(frames, total - std::min(total, v.pos));
  if (s.channels == 2) {
    PaintStereo(s.samples.data() + 2 * v.pos, static_cast<int>(n), from, dl, dr, left, right);
  } else {
    PaintMono(s.samples.data() + v.pos, static_cast<int>(n), from, dl, dr, left, right);
  }
  v.pos += n;
  v.gain = to;

  if (stopping) {
    v.active = false;
  } else if (v.pos >= total) {
    v.active = false;
    sh.ended.store(v.start, std::memory_order_release);
  }
}

void Mixer::Impl::MixBlock(float* out, std::size_t frames) {
  std::fill(left, left + frames, 0.0f);
  std::fill(right, right + frames, 0.0f);
  for (int w = 0; w < kWords; ++w) {
    if (started[w].load(std::memory_order_relaxed) != 0) {
      live[w] |= started[w].exchange(0, std::memory_order_acquire);
    }
    for (uint64_t bits = live[w]; bits != 0; bits &= bits - 1) {
      const int c = 64 * w + std::countr_zero(bits);
      MixVoice(shared[c], voice[c], frames);
      if (!voice[c].active) live[w] &= ~(uint64_t{1} << (c % 64));
    }
  }
  for (std::size_t i = 0; i < frames; ++i) {
    out[2 * i] = left[i];
    out[2 * i + 1] = right[i];
  }
}

Mixer::Mixer() : impl_(new Impl) {}

Mixer::~Mixer() { delete impl_; }

Channel Mixer::Alloc() {
  Impl& m = *impl_;
  m.Reap();
  if (m.count == 0) return kNoChannel;
  const Channel c = m.ring[m.head];
  m.head = (m.head + 1) % kMaxChannels;
  --m.count;
  Owner& o = m.owner[c];
  o.allocated = true;
  o.started = false;
  o.plain = false;
  o.snd = nullptr;
  m.shared[c].pan.store(0.0f, std::memory_order_relaxed);
  m.shared[c].vol.store(1.0f, std::memory_order_relaxed);
  return c;
}

void Mixer::SetPan(Channel c, float pan) {
  if (impl_->Owned(c)) impl_->shared[c].pan.store(pan, std::memory_order_relaxed);
}

void Mixer::SetVolume(Channel c, float vol) {
  if (impl_->Owned(c)) impl_->shared[c].vol.store(vol, std::memory_order_relaxed);
}

void Mixer::Start(Channel c, const Sound* snd) {
  Impl& m = *impl_;
  if (!m.Owned(c)) return;
  Owner& o = m.owner[c];
  o.started = true;
  o.snd = snd;
  if (++o.start == 0) ++o.start;  // 0 means "never started"
  m.shared[c].snd.store(snd, std::memory_order_release);
  m.shared[c].start.store(o.start, std::memory_order_release);
  m.started[c / 64].fetch_or(uint64_t{1} << (c % 64), std::memory_order_release);
}

int Mixer::Playing(Channel c) { return impl_->Playing(c) ? 1 : 0; }

void Mixer::Stop(Channel c) {
  if (impl_->Owned(c)) impl_->Release(c);
}

void Mixer::PlayPlain(const Sound* snd) {
  if (!snd) return;
  const Channel c = Alloc();
  if (c == kNoChannel) return;
  impl_->owner[c].plain = true;
  impl_->plain.push_back(c);
  Start(c, snd);
}

void Mixer::EndAll() {
  for (int c = 0; c < kMaxChannels; ++c) {
    impl_->voice[c].active = false;
    impl_->shared[c].ended.store(impl_->shared[c].start.load(std::memory_order_relaxed), std::memory_order_release);
  }
}

void Mixer::Mix(float* out, std::size_t frames) {
  // Ramps run across blocks of kBlockFrames whatever the caller asks for.
  while (frames > 0) {
    const std::size_t n = std::min<std::size_t>(frames, kBlockFrames);
    impl_->MixBlock(out, n);
    out += 2 * n;
    frames -= n;
  }
}

}  // namespace platform
