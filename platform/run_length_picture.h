#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "picture.h"

namespace flurb::platform {

// A picture kept as runs of equal pixels, the rows one after another. A flat drawing of 130,000
// pixels makes about 4,000 runs, 32 kB, and comes back with as many fills: far less work and
// memory traffic than unpacking and decoding its bitmap again.
class RunLengthPicture {
 public:
  explicit RunLengthPicture(const Picture& picture);

  Picture expanded() const;
  std::size_t bytes() const { return runs_.size() * sizeof(Run); }

 private:
  struct Run {
    std::uint32_t pixel;
    std::uint32_t length;
  };

  int width_;
  int height_;
  std::vector<Run> runs_;
};

}  // namespace flurb::platform
