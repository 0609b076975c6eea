#include "gdi_fonts.h"

#include <algorithm>
#include <array>
#include <map>

namespace flurb::platform::win32 {
namespace {

struct LookAlikes {
  std::u16string_view family;
  std::array<std::u16string_view, 3> faces;
};

// Faces with the same proportions as the ones the program names. "Palladius" is a Palatino-style
// face: URW's P052 (on Linux, and so under Wine), then the Palatino faces Windows ships. "Arial":
// Liberation Sans has its metrics where Arial is missing (Wine without Microsoft's fonts).
constexpr std::array<LookAlikes, 2> kLookAlikes = {{
    {u"Palladius", {u"P052", u"Palatino Linotype", u"Book Antiqua"}},
    {u"Arial", {u"Liberation Sans", u"Arimo", u"Helvetica"}},
}};

int CALLBACK noteFace(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                      LPARAM found) {
  // The API hands back the pointer it was given as an integer.
  *reinterpret_cast<bool*>(found) = true;  // NOLINT(performance-no-int-to-ptr)
  return 0;                                // one is enough
}

bool isInstalled(std::u16string_view face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  const std::size_t length = std::min(face.size(), std::size(wanted.lfFaceName) - 1);
  std::copy_n(face.begin(), length, std::begin(wanted.lfFaceName));
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

std::u16string chooseFace(std::u16string_view family) {
  if (isInstalled(family)) {
    return std::u16string(family);
  }
  for (const LookAlikes& entry : kLookAlikes) {
    if (entry.family != family) {
      continue;
    }
    for (const std::u16string_view face : entry.faces) {
      if (isInstalled(face)) {
        return std::u16string(face);
      }
    }
  }
  return std::u16string(family);
}

}  // namespace

std::u16string installedFace(std::u16string_view family) {
  // Fonts are not installed while the program runs: one search per family is enough.
  static std::map<std::u16string, std::u16string, std::less<>> chosen;
  auto found = chosen.find(family);
  if (found == chosen.end()) {
    found = chosen.emplace(std::u16string(family), chooseFace(family)).first;
  }
  return found->second;
}

GdiFont::GdiFont(const FontSpec& spec, int pixelSize) {
  const std::u16string face = installedFace(spec.family);
  // A negative height asks for the em height, not the cell height.
  font_ = CreateFontW(-pixelSize, 0, 0, 0, spec.weight, spec.italic ? TRUE : FALSE,
                      spec.underline ? TRUE : FALSE, spec.strikeOut ? TRUE : FALSE, ANSI_CHARSET,
                      OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, reinterpret_cast<const wchar_t*>(face.c_str()));
}

GdiFont::~GdiFont() {
  DeleteObject(font_);
}

}  // namespace flurb::platform::win32
