#pragma once

namespace flurb::platform {

// Device pixels, from the client area's top left corner.
struct PixelRect {
  int left;
  int top;
  int width;
  int height;

  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
  int width;
  int height;

  friend constexpr bool operator==(const PixelSize&, const PixelSize&) = default;
};

}  // namespace flurb::platform
