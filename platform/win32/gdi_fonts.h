#pragma once

#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "platform/win32/win32.h"

namespace flurb::platform::win32 {

// The installed face that draws a family the window description names: the family itself when
// installed, else the first installed look-alike, else the family's name (GDI's font mapper then
// picks a face, still at the requested size).
std::u16string installedFace(std::u16string_view family);

// A GDI font for a font description, its em height pixelSize device pixels whatever face draws
// it; deleted with the object.
class GdiFont {
 public:
  GdiFont(const FontSpec& spec, int pixelSize);
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;
  GdiFont(GdiFont&&) = delete;
  GdiFont& operator=(GdiFont&&) = delete;
  ~GdiFont();

  HFONT handle() const { return font_; }

 private:
  HFONT font_;
};

}  // namespace flurb::platform::win32
