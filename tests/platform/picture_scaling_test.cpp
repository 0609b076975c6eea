#include <cstdint>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "platform/picture.h"
#include "platform/picture_scaling.h"

namespace flurb::platform {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000U;

constexpr std::uint32_t grey(std::uint32_t level) {
  return kOpaque | (level * 0x010101U);
}

// Red rising where green falls, so a reduction that mixes up the channels shows.
constexpr std::uint32_t ramp(std::uint32_t level) {
  return kOpaque | (level << 16U) | ((255 - level) << 8U);
}

// A square picture, white where `white` holds and black elsewhere.
Picture square(int side, const std::function<bool(int x, int y)>& white) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      pixels.push_back(white(x, y) ? grey(255) : grey(0));
    }
  }
  return {side, side, std::move(pixels)};
}

// Each case worked out by hand: every new pixel averages the source area it covers.
TEST(Resampled, EachPixelIsTheAverageOfTheAreaItCovers) {
  const auto checkerboard = [](int x, int y) { return (x + y) % 2 == 0; };
  const Picture rampAcross(4, 1, {ramp(0), ramp(60), ramp(120), ramp(180)});
  const struct {
    const char* what;
    Picture source;
    PixelSize size;
    std::vector<std::uint32_t> expected;
  } cases[] = {
      // Two white and two black pixels under each: 127.5, rounded up.
      {"checkerboard halved", square(4, checkerboard), {2, 2}, std::vector(4, grey(128))},
      // Under each new pixel 1.5 x 1.5: a whole white corner, two black halves and a white
      // quarter, 1.25 of 2.25 white: 141.7.
      {"checkerboard by two thirds", square(3, checkerboard), {2, 2}, std::vector(4, grey(142))},
      // 4 -> 3 across: 1 + 1/3, 2/3 + 2/3 and 1/3 + 1 of the source pixels.
      {"ramp by three quarters", rampAcross, {3, 1}, {ramp(15), ramp(90), ramp(165)}},
      {"ramp halved", rampAcross, {2, 1}, {ramp(30), ramp(150)}},
      // The pixel lights its own quarter only, with a quarter of its light.
      {"bright pixel halved",
       square(4, [](int x, int y) { return x == 1 && y == 2; }),
       {2, 2},
       {grey(0), grey(0), grey(64), grey(0)}},
      // The corner pixel is 1 of the 2.25 pixels the first new one covers: 113.3.
      {"bright corner by two thirds",
       square(3, [](int x, int y) { return x == 0 && y == 0; }),
       {2, 2},
       {grey(113), grey(0), grey(0), grey(0)}},
      {"bright pixel to one",
       square(3, [](int x, int y) { return x == 1 && y == 1; }),
       {1, 1},
       {grey(28)}},
      // Enlarged a whole number of times, each new pixel lies inside one source pixel.
      {"ramp doubled",
       Picture(2, 1, {ramp(0), ramp(60)}),
       {4, 2},
       {ramp(0), ramp(0), ramp(60), ramp(60), ramp(0), ramp(0), ramp(60), ramp(60)}},
      {"bright pixel three times across, once down",
       Picture(2, 2, {grey(0), grey(255), grey(7), grey(0)}),
       {6, 2},
       {grey(0), grey(0), grey(0), grey(255), grey(255), grey(255), grey(7), grey(7), grey(7),
        grey(0), grey(0), grey(0)}},
  };
  for (const auto& [what, source, size, expected] : cases) {
    const Picture reduced = resampled(source, size);
    EXPECT_EQ((PixelSize{reduced.width(), reduced.height()}), size) << what;
    EXPECT_EQ(std::vector(reduced.pixels().begin(), reduced.pixels().end()), expected) << what;
  }
}

}  // namespace
}  // namespace flurb::platform
