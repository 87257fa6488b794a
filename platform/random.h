// The game's one random source.
#pragma once

#include <cstdint>
#include <random>

namespace platform {

class Random {
 public:
  void Seed(int seed) { gen_.seed(static_cast<uint32_t>(seed)); }
  // 53 random bits as a double: uniform in [0, 1) and never 1.0, which
  // std::generate_canonical<float> can return.
  double Next() { return static_cast<double>(gen_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 gen_;
};

}  // namespace platform
