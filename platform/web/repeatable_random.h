#pragma once

#include <cstddef>
#include <vector>

#include "platform/random_source.h"

namespace flurb::platform::web {

// Random numbers that a handler run again gets again: the page runs the load handler anew when the
// picture it drew is still on its way, and the card must then be the same one. `rewind` starts a
// run. The first draws are the page's own (Module.firstDraws), made to fetch the first card's
// picture while the program loads; past them and the draws of the runs before, re-seeds and draws
// are the clock's.
class RepeatableRandom final : public RandomSource {
 public:
  RepeatableRandom();
  void rewind() { next_ = 0; }
  void reseedFromClock() override;
  float draw() override;

 private:
  ClockSeededRandom clock_;
  std::vector<float> drawn_;
  std::size_t next_ = 0;
};

}  // namespace flurb::platform::web
