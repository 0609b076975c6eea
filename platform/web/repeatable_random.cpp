#include "repeatable_random.h"

#include <emscripten/emscripten.h>

// clang-format off
// How many draws the page made; each must be a draw (0 <= r < 1), and those from the first one
// that is not are left out.
EM_JS(int, js_page_draw_count, (), {
  const draws = Module.firstDraws || [];
  const valid = draws.findIndex(function (r) { return !(r >= 0 && r < 1); });
  return valid < 0 ? draws.length : valid;
});

EM_JS(float, js_page_draw, (int index), {
  return Module.firstDraws[index];
});
// clang-format on

namespace flurb::platform::web {

RepeatableRandom::RepeatableRandom() {
  const int count = js_page_draw_count();
  for (int index = 0; index < count; ++index) {
    drawn_.push_back(js_page_draw(index));
  }
}

void RepeatableRandom::reseedFromClock() {
  if (next_ == drawn_.size()) {
    clock_.reseedFromClock();
  }
}

float RepeatableRandom::draw() {
  if (next_ == drawn_.size()) {
    drawn_.push_back(clock_.draw());
  }
  return drawn_[next_++];
}

}  // namespace flurb::platform::web
