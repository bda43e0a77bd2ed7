#include "base/Random.h"

#include <chrono>

namespace brisander {

int32_t Random::Next(int32_t range) {
  if (range <= 0) return 0;
  return std::uniform_int_distribution<int32_t>(0, range - 1)(engine_);
}

void Random::SeedFromClock() {
  // The high-resolution clock stands for the performance counter.
  engine_.seed(static_cast<uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

Random& ProcessRandom() {
  static Random random;
  return random;
}

}  // namespace brisander
