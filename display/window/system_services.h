// The engine's random source and time of day as the real handheld has them:
// draws from a generator seeded from the clock, and the system's local time.
// Tests and hero-trace give scripted ones instead.
#pragma once

#include <random>

#include "engine/interfaces.h"

namespace hero {

// Uniform draws from a generator seeded from the clock at window creation.
class ClockSeededRandom final : public RandomSource {
 public:
  ClockSeededRandom();
  int draw(int lo, int hi) override;

 private:
  std::mt19937 generator_;
};

// The local time of day from the system clock.
class SystemLocalClock final : public LocalClock {
 public:
  TimeOfDay now() const override;
};

}  // namespace hero
