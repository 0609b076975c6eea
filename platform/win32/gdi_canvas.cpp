#include "gdi_canvas.h"

#include "platform/win32/gdi_fonts.h"

namespace flurb::platform::win32 {
namespace {

COLORREF toColorRef(Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

RECT toRect(const PixelRect& rect) {
  return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

// Selects a GDI object into the context for one drawing call and puts the old one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  Selection(Selection&&) = delete;
  Selection& operator=(Selection&&) = delete;
  ~Selection() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace

void GdiCanvas::fillRect(const PixelRect& rect, Rgb colour) {
  const RECT area = toRect(rect);
  SetDCBrushColor(dc_, toColorRef(colour));
  FillRect(dc_, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::drawCaption(const PixelRect& box, const FontSpec& font, int pixelSize, Rgb colour,
                            std::u16string_view text) {
  const GdiFont gdiFont(font, pixelSize);
  const Selection selected(dc_, gdiFont.handle());
  const auto* characters = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  SIZE extent{};
  GetTextExtentPoint32W(dc_, characters, length, &extent);
  // TA_TOP puts the top of the character cell, internal leading included, at the given y.
  SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, toColorRef(colour));
  const RECT clip = toRect(box);
  ExtTextOutW(dc_, box.left + (box.width - extent.cx) / 2, box.top, ETO_CLIPPED, &clip, characters,
              static_cast<UINT>(length), nullptr);
}

void GdiCanvas::drawCircle(const PixelRect& square, Rgb fill, Rgb outline) {
  // The stock DC pen is solid and one pixel wide; Ellipse keeps the figure inside the right and
  // bottom edges it is given.
  const Selection pen(dc_, GetStockObject(DC_PEN));
  const Selection brush(dc_, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc_, toColorRef(outline));
  SetDCBrushColor(dc_, toColorRef(fill));
  Ellipse(dc_, square.left, square.top, square.left + square.width, square.top + square.height);
}

void GdiCanvas::drawPicture(int left, int top, const Picture& picture) {
  // The pixels are, byte for byte, the rows of a 32-bit top-down DIB, which ignores the top byte.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width();
  info.bmiHeader.biHeight = -picture.height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const auto rows = static_cast<UINT>(picture.height());
  SetDIBitsToDevice(dc_, left, top, static_cast<DWORD>(picture.width()), rows, 0, 0, 0, rows,
                    picture.pixels().data(), &info, DIB_RGB_COLORS);
}

}  // namespace flurb::platform::win32
