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

std::optional<RunLengthPicture> RunLengthPicture::within(const Picture& picture,
                                                         std::size_t maxBytes) {
  const std::size_t maxRuns = maxBytes / sizeof(Run);
  RunLengthPicture kept(picture.width(), picture.height());
  std::vector<Run>& runs = kept.runs_;
  for (const std::uint32_t pixel : picture.pixels()) {
    if (!runs.empty() && runs.back().pixel == pixel) {
      ++runs.back().length;
    } else if (runs.size() == maxRuns) {
      return std::nullopt;
    } else {
      runs.push_back({pixel, 1});
    }
  }
  runs.shrink_to_fit();
  return kept;
}

Picture RunLengthPicture::expanded() const {
  const auto pixels = Picture::unclearedPixels(width_, height_);  // the runs cover every pixel
  std::uint32_t* next = pixels.get();
  for (const Run& run : runs_) {
    next = fillRun(next, run.length, run.pixel);
  }
  return {width_, height_, pixels};
}

}  // namespace flurb::platform
