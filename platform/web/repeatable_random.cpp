#include "repeatable_random.h"

namespace flurb::platform::web {

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
