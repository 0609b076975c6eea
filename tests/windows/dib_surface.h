#pragma once

#include <cstdint>

#include "platform/win32/win32.h"

namespace flurb::platform::win32 {

// A memory device context drawing into a 32-bit top-down bitmap whose pixels can be read back,
// 0x00RRGGBB each.
class DibSurface {
 public:
  DibSurface(int width, int height);
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;
  DibSurface(DibSurface&&) = delete;
  DibSurface& operator=(DibSurface&&) = delete;
  ~DibSurface();

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t pixel(int x, int y) const;

 private:
  int width_;
  int height_;
  HDC dc_;
  std::uint32_t* bits_ = nullptr;  // set when the bitmap is made
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

}  // namespace flurb::platform::win32
