// PCG32: a small generator of our own, so every build draws the same numbers.
// Draw at most once per statement: the order in which a call's arguments are
// evaluated is the compiler's choice, and two draws there would swap.
#pragma once

#include <cstdint>

namespace sfxgen {

class Rng {
 public:
  explicit Rng(uint64_t seed) {
    Next();
    state_ += seed;
    Next();
  }

  uint32_t Next() {
    const uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
    const uint32_t mixed = static_cast<uint32_t>(((old >> 18) ^ old) >> 27);
    const uint32_t rot = static_cast<uint32_t>(old >> 59);
    return (mixed >> rot) | (mixed << ((32 - rot) & 31));
  }

  double Unit() { return Next() * (1.0 / 4294967296.0); }  // [0, 1)
  double Bipolar() { return 2 * Unit() - 1; }               // [-1, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

 private:
  uint64_t state_ = 0;
};

}  // namespace sfxgen
