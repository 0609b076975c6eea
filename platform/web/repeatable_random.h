#pragma once

#include <cstddef>
#include <vector>

#include "platform/random_source.h"

namespace flurb::platform::web {

// Random numbers that a handler run again gets again: the page runs the load handler anew when the
// picture it drew is still on its way, and the card must then be the same one. `rewind` starts a
// run; re-seeds and draws past those of the runs before it are the clock's.
class RepeatableRandom final : public RandomSource {
 public:
  void rewind() { next_ = 0; }
  void reseedFromClock() override;
  float draw() override;

 private:
  ClockSeededRandom clock_;
  std::vector<float> drawn_;
  std::size_t next_ = 0;
};

}  // namespace flurb::platform::web
