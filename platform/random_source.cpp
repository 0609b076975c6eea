#include "random_source.h"

#include <chrono>
#include <cstdint>

namespace flurb::platform {

void ClockSeededRandom::reseedFromClock() {
  const auto ticks =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::seed_seq seed{static_cast<std::uint32_t>(engine_()), static_cast<std::uint32_t>(engine_()),
                     static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32U)};
  engine_.seed(seed);
}

float ClockSeededRandom::draw() {
  // generate_canonical<float> can round up to exactly 1.0; draw 24 bits instead, which a float
  // holds exactly, so the result stays below 1.
  constexpr float kTwoTo24 = 16777216.0F;
  return static_cast<float>(engine_() >> 8U) / kTwoTo24;
}

}  // namespace flurb::platform
