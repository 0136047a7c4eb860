#include "display/window/system_services.h"

#include <QTime>

#include <chrono>

namespace hero {

ClockSeededRandom::ClockSeededRandom()
    : generator_(static_cast<std::mt19937::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count())) {}

int ClockSeededRandom::draw(int lo, int hi) {
  if (hi < lo) return lo;
  return std::uniform_int_distribution<int>(lo, hi)(generator_);
}

TimeOfDay SystemLocalClock::now() const {
  const QTime t = QTime::currentTime();
  return TimeOfDay{t.hour(), t.minute()};
}

}  // namespace hero
