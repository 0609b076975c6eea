#pragma once

#include <random>

namespace flurb::platform {

// The random numbers the program draws: re-seed from the clock, then draw r with 0 <= r < 1.
class RandomSource {
 public:
  RandomSource() = default;
  RandomSource(const RandomSource&) = delete;
  RandomSource& operator=(const RandomSource&) = delete;
  RandomSource(RandomSource&&) = delete;
  RandomSource& operator=(RandomSource&&) = delete;
  virtual ~RandomSource() = default;

  virtual void reseedFromClock() = 0;
  virtual float draw() = 0;
};

// Re-seeding mixes the clock into the generator's own state, so two re-seeds within one tick of
// the clock still give different draws.
class ClockSeededRandom final : public RandomSource {
 public:
  void reseedFromClock() override;
  float draw() override;

 private:
  std::mt19937 engine_{std::random_device{}()};
};

}  // namespace flurb::platform
