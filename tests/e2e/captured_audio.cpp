#include "captured_audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <fstream>
#include <numbers>
#include <string>

#include "platform/sound_loader.h"

namespace e2e {
namespace {

using Spectrum = std::vector<std::complex<double>>;

// In-place radix-2 transform; a.size() is a power of two.
void Fft(Spectrum& a, bool inverse) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const double turn = 2 * std::numbers::pi / static_cast<double>(len) * (inverse ? 1 : -1);
    const std::complex<double> step(std::cos(turn), std::sin(turn));
    for (std::size_t i = 0; i < n; i += len) {
      std::complex<double> w(1);
      for (std::size_t k = 0; k < len / 2; ++k, w *= step) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
  if (inverse) {
    for (auto& x : a) x /= static_cast<double>(n);
  }
}

double Energy(const std::vector<float>& s) {
  double e = 0;
  for (float x : s) e += static_cast<double>(x) * x;
  return e;
}

// Energy of every window of n samples starting at from + k, k < count.
std::vector<double> WindowPower(const std::vector<float>& s, std::size_t from, std::size_t count, std::size_t n) {
  std::vector<double> prefix(count + n + 1, 0);
  for (std::size_t i = 0; i < count + n; ++i) {
    const double x = from + i < s.size() ? s[from + i] : 0;
    prefix[i + 1] = prefix[i] + x * x;
  }
  std::vector<double> power(count);
  for (std::size_t k = 0; k < count; ++k) power[k] = std::max(0.0, prefix[k + n] - prefix[k]);
  return power;
}

}  // namespace

Clip Clip::Head(double seconds) const {
  const auto n = std::min(Frames(), static_cast<std::size_t>(seconds * kRate));
  return {std::vector<float>(left.begin(), left.begin() + static_cast<long>(n)),
          std::vector<float>(right.begin(), right.begin() + static_cast<long>(n))};
}

Clip ReadCapture(const std::filesystem::path& path, std::size_t from) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(0, std::ios::end);
  const auto bytes = static_cast<std::size_t>(std::max<std::streamoff>(0, in.tellg()));
  const std::size_t frames = bytes / (2 * sizeof(float));
  Clip c;
  if (frames <= from) return c;
  std::vector<float> raw(2 * (frames - from));
  in.seekg(static_cast<std::streamoff>(from * 2 * sizeof(float)));
  in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size() * sizeof(float)));
  c.left.resize(frames - from);
  c.right.resize(frames - from);
  for (std::size_t i = 0; i < frames - from; ++i) {
    c.left[i] = raw[2 * i];
    c.right[i] = raw[2 * i + 1];
  }
  return c;
}

Clip DecodeSound(const std::filesystem::path& path) {
  std::string why;
  const auto snd = platform::LoadOgg(path.c_str(), kRate, &why);
  Clip c;
  EXPECT_TRUE(snd) << "the test decodes " << path << " to know what it sounds like: " << why;
  if (!snd) return c;
  for (std::size_t i = 0; i < snd->Frames(); ++i) {
    const std::size_t at = i * static_cast<std::size_t>(snd->channels);
    c.left.push_back(snd->samples[at] / 32768.0f);
    c.right.push_back(snd->samples[at + static_cast<std::size_t>(snd->channels) - 1] / 32768.0f);
  }
  return c;
}

SoundSearch::SoundSearch(const Clip& out, const Clip& sound, std::size_t from, std::size_t to) : from_(from) {
  to = std::min(to, out.Frames());
  const std::size_t count = to > from ? to - from : 0;
  const std::size_t n = sound.Frames();
  sound_left_ = Energy(sound.left);
  sound_right_ = Energy(sound.right);
  power_left_ = WindowPower(out.left, from, count, n);
  power_right_ = WindowPower(out.right, from, count, n);
  corr_left_.assign(count, 0);
  corr_right_.assign(count, 0);
  if (count == 0 || n == 0) return;

  // Both sides in one transform: for a real sound, the correlation of L + iR
  // with it is corr(L) + i corr(R).
  std::size_t size = 1;
  while (size < count + n) size <<= 1;
  Spectrum heard(size);
  for (std::size_t i = 0; i < count + n && from + i < out.Frames(); ++i) {
    heard[i] = {out.left[from + i], out.right[from + i]};
  }
  Fft(heard, false);
  const bool mono = sound.left == sound.right;
  for (int side = 0; side < (mono ? 1 : 2); ++side) {
    Spectrum s(size);
    const std::vector<float>& src = side == 0 ? sound.left : sound.right;
    for (std::size_t i = 0; i < n; ++i) s[i] = src[i];
    Fft(s, false);
    for (std::size_t i = 0; i < size; ++i) s[i] = heard[i] * std::conj(s[i]);
    Fft(s, true);
    for (std::size_t k = 0; k < count; ++k) {
      if (side == 0) corr_left_[k] = s[k].real();
      if (side == 1 || mono) corr_right_[k] = s[k].imag();
    }
  }
}

Match SoundSearch::At(std::size_t i) const {
  Match m;
  m.frame = from_ + i;
  m.left = sound_left_ > 0 ? corr_left_[i] / sound_left_ : 0;
  m.right = sound_right_ > 0 ? corr_right_[i] / sound_right_ : 0;
  const bool left_louder = m.left > m.right;
  const double corr = left_louder ? corr_left_[i] : corr_right_[i];
  const double power = (left_louder ? power_left_[i] : power_right_[i]) * (left_louder ? sound_left_ : sound_right_);
  m.fit = power > 0 ? corr / std::sqrt(power) : 0;
  return m;
}

Match SoundSearch::Best() const {
  std::size_t best = 0;
  for (std::size_t i = 1; i < corr_left_.size(); ++i) {
    if (corr_left_[i] + corr_right_[i] > corr_left_[best] + corr_right_[best]) best = i;
  }
  return corr_left_.empty() ? Match{} : At(best);
}

std::vector<Match> SoundSearch::All(double min_fit, double min_level, std::size_t min_gap) const {
  std::vector<Match> found;
  for (std::size_t i = 0; i < corr_left_.size(); ++i) {
    const Match m = At(i);
    if (m.fit < min_fit || m.Level() < min_level) continue;
    if (!found.empty() && m.frame - found.back().frame < min_gap) {
      if (m.fit > found.back().fit) found.back() = m;
    } else {
      found.push_back(m);
    }
  }
  return found;
}

std::vector<Match> FindAny(const Clip& out, const std::vector<Clip>& sounds, double min_fit, double min_level) {
  std::vector<Match> all;
  std::size_t gap = 0;
  for (const Clip& s : sounds) {
    gap = std::max(gap, s.Frames() / 2);
    const auto found = SoundSearch(out, s, 0, out.Frames()).All(min_fit, min_level, s.Frames() / 2);
    all.insert(all.end(), found.begin(), found.end());
  }
  std::sort(all.begin(), all.end(), [](const Match& a, const Match& b) { return a.frame < b.frame; });
  std::vector<Match> merged;
  for (const Match& m : all) {
    if (!merged.empty() && m.frame - merged.back().frame < gap) {
      if (m.fit > merged.back().fit) merged.back() = m;
    } else {
      merged.push_back(m);
    }
  }
  return merged;
}

}  // namespace e2e
