#include "dib_surface.h"

#include <cstddef>

namespace flurb::platform::win32 {

namespace {

HBITMAP createTopDownBitmap(HDC dc, int width, int height, std::uint32_t*& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  bits = static_cast<std::uint32_t*>(memory);
  return bitmap;
}

}  // namespace

DibSurface::DibSurface(int width, int height)
    : width_(width),
      height_(height),
      dc_(CreateCompatibleDC(nullptr)),
      bitmap_(createTopDownBitmap(dc_, width, height, bits_)),
      previous_(SelectObject(dc_, bitmap_)) {}

DibSurface::~DibSurface() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

std::uint32_t DibSurface::pixel(int x, int y) const {
  GdiFlush();
  return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x)] &
         0x00FFFFFFU;
}

}  // namespace flurb::platform::win32
