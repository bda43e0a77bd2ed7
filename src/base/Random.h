#pragma once
// The one pseudo-random generator of the process. It draws the slide
// countdowns, the shuffle's exchanges and the random transition; it is
// reseeded from the clock when the playlist is filled and at every shuffle.

#include <cstdint>
#include <random>

namespace brisander {

class Random {
 public:
  // A number drawn uniformly from 0 to range - 1 (0 when range <= 0).
  int32_t Next(int32_t range);
  void SeedFromClock();
  void Seed(uint64_t seed) { engine_.seed(seed); }

 private:
  std::mt19937_64 engine_{0};
};

// The process's generator.
Random& ProcessRandom();

}  // namespace brisander
