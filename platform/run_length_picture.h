#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "picture.h"

namespace flurb::platform {

// A picture kept as runs of equal pixels, the rows one after another. A flat drawing of 130,000
// pixels makes about 4,000 runs, 32 kB, and comes back with as many fills: far less work and
// memory traffic than unpacking and decoding its bitmap again.
class RunLengthPicture {
 public:
  // The runs of `picture`, or none once they would take more than `maxBytes`: the pass over its
  // pixels stops there, and with no room left it does not start.
  static std::optional<RunLengthPicture> within(const Picture& picture, std::size_t maxBytes);

  Picture expanded() const;
  std::size_t bytes() const { return runs_.size() * sizeof(Run); }

 private:
  struct Run {
    std::uint32_t pixel;
    std::uint32_t length;
  };

  RunLengthPicture(int width, int height) : width_(width), height_(height) {}

  int width_;
  int height_;
  std::vector<Run> runs_;
};

}  // namespace flurb::platform
