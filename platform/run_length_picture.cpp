#include "run_length_picture.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace flurb::platform {
namespace {

// Eight pixels to a step, which compilers make two 16-byte stores: std::fill_n stores one pixel at
// a time, a run of a hundred pixels a hundred stores.
std::uint32_t* fillRun(std::uint32_t* out, std::size_t length, std::uint32_t pixel) {
  constexpr std::size_t kStep = 8;
  std::array<std::uint32_t, kStep> step{};
  step.fill(pixel);
  std::uint32_t* const end = out + length;
  for (; out + kStep <= end; out += kStep) {
    std::memcpy(out, step.data(), sizeof step);
  }
  std::fill(out, end, pixel);
  return end;
}

}  // namespace

RunLengthPicture::RunLengthPicture(const Picture& picture)
    : width_(picture.width()), height_(picture.height()) {
  for (const std::uint32_t pixel : picture.pixels()) {
    if (!runs_.empty() && runs_.back().pixel == pixel) {
      ++runs_.back().length;
    } else {
      runs_.push_back({pixel, 1});
    }
  }
  runs_.shrink_to_fit();
}

Picture RunLengthPicture::expanded() const {
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  // Left uncleared: the runs cover every pixel.
  // NOLINTNEXTLINE(modernize-make-shared, modernize-make-unique): make_* would clear it
  const std::shared_ptr<std::uint32_t[]> pixels(new std::uint32_t[count]);
  std::uint32_t* next = pixels.get();
  for (const Run& run : runs_) {
    next = fillRun(next, run.length, run.pixel);
  }
  return {width_, height_, pixels};
}

}  // namespace flurb::platform
