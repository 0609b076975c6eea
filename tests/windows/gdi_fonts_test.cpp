#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/win32/gdi_fonts.h"

namespace flurb::platform::win32 {
namespace {

struct FontCase {
  const char16_t* family;
  int pixelSize;
};

class FontSize : public testing::TestWithParam<FontCase> {};

// Whatever face draws the family, the em height is the size asked for: the letter pair and the
// digit keep their sizes where the named faces are missing.
TEST_P(FontSize, EmHeightIsThePixelSizeWhicheverFaceDrawsIt) {
  const FontCase& wanted = GetParam();
  const GdiFont font(FontSpec{wanted.family, 0, 400, false, false, false}, wanted.pixelSize);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font.handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  std::array<wchar_t, LF_FACESIZE> face{};
  GetTextFaceW(dc, LF_FACESIZE, face.data());
  SelectObject(dc, previous);
  DeleteDC(dc);
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, wanted.pixelSize);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(face.data())),
            installedFace(wanted.family));
}

INSTANTIATE_TEST_SUITE_P(TheWindowsFonts, FontSize,
                         testing::Values(FontCase{u"Palladius", 192}, FontCase{u"Arial", 333},
                                         FontCase{u"Palladius", 384}, FontCase{u"Arial", 17}));

TEST(InstalledFace, AnInstalledFamilyIsItsOwnFace) {
  // Wine and Windows both carry Tahoma.
  EXPECT_EQ(installedFace(u"Tahoma"), u"Tahoma");
}

}  // namespace
}  // namespace flurb::platform::win32
