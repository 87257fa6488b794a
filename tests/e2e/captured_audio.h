// What a listener hears in the mixer's output as SDL's disk driver wrote it:
// where a known sound plays in it, and at what level on each side.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

namespace e2e {

inline constexpr int kRate = 48000;  // the mixer's frames per second

// Stereo float frames, one vector a side.
struct Clip {
  std::vector<float> left, right;
  std::size_t Frames() const { return left.size(); }
  Clip Head(double seconds) const;  // the first seconds of it, or all of it
};

// The raw output file (float32 little-endian, L R interleaved) from frame from
// on; a file still being written is read as far as its last whole frame.
Clip ReadCapture(const std::filesystem::path& path, std::size_t from = 0);

// A sound file decoded by the game's own loader, so the sound heard is matched
// against exactly what the mixer was given. Fails the test if it can't load.
Clip DecodeSound(const std::filesystem::path& path);

// One place where a sound plays: its first frame and its gain on each side,
// the least-squares scale of the sound that best explains the output there.
struct Match {
  std::size_t frame = 0;
  double left = 0, right = 0;
  double fit = 0;  // normalised correlation on the louder side: 1 is the sound alone
  double Level() const { return left > right ? left : right; }
  // Pan from the mixer's law: the far side is scaled by 1 - |pan|.
  double Pan() const { return Level() > 0 ? (right - left) / Level() : 0; }
};

// Scans out for a sound over the start frames [from, to).
class SoundSearch {
 public:
  SoundSearch(const Clip& out, const Clip& sound, std::size_t from, std::size_t to);

  // The start where the sound's correlation with the output peaks: for a
  // sound known to play once in the span, however faint.
  Match Best() const;
  // Every start where the sound plays with at least min_fit and min_level,
  // at least min_gap frames apart, in order.
  std::vector<Match> All(double min_fit, double min_level, std::size_t min_gap) const;

 private:
  Match At(std::size_t i) const;

  std::size_t from_;
  std::vector<double> corr_left_, corr_right_;  // per start, of the output with the sound
  std::vector<double> power_left_, power_right_;  // per start, the output's energy under the sound
  double sound_left_ = 0, sound_right_ = 0;  // the sound's own energy
};

// Every place where any of sounds plays (footsteps come in eight variants),
// merged in order; where variants match the same place, the best fit stands.
std::vector<Match> FindAny(const Clip& out, const std::vector<Clip>& sounds, double min_fit, double min_level);

}  // namespace e2e
