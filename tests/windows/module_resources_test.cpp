#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/dib.h"
#include "platform/resource_store.h"
#include "platform/win32/gzip.h"
#include "platform/win32/module_resources.h"
#include "support/rendering_cases.h"

namespace flurb::platform::win32 {
namespace {

std::vector<std::uint8_t> storedPicture(char letter) {
  const std::filesystem::path path =
      std::filesystem::path(FLURB_PICTURES_DIR) / (std::string(1, letter) + ".dib");
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// This test program carries the letter pictures and their renderings the way flurb-cards.exe does.
class ProgramResources : public ::testing::Test {
 protected:
  ModuleResources resources{GetModuleHandleW(nullptr)};
};

TEST_F(ProgramResources, EveryLetterFindsItsStoredBytesInEitherCase) {
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    SCOPED_TRACE(letter);
    const std::vector<std::uint8_t> stored = storedPicture(letter);
    ASSERT_FALSE(stored.empty());
    const std::u16string capital(1, static_cast<char16_t>(letter));
    const std::u16string small(1, static_cast<char16_t>(letter - 'A' + 'a'));
    EXPECT_EQ(resources.findBitmap(capital), stored);
    EXPECT_EQ(resources.findBitmap(small), stored);
  }
}

TEST_F(ProgramResources, NamesThatAreNoLetterFindNothing) {
  for (const std::u16string_view name : {u"", u"1", u"aa", u"#1", u"#30001", u"[", u"@"}) {
    EXPECT_FALSE(resources.findBitmap(name).has_value()) << std::string(name.begin(), name.end());
  }
}

TEST_F(ProgramResources, PicturesLoadAtTheirStoredSizes) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    SCOPED_TRACE(letter);
    const Picture picture = loadResPicture(
        resources, std::u16string(1, static_cast<char16_t>(letter)), kBitmapResource);
    EXPECT_EQ(picture.width(), letter == 'i' || letter == 'j' ? 405 : 450);
    EXPECT_EQ(picture.height(), 293);
  }
}

TEST_F(ProgramResources, RenderingsStandAtEveryScaleDesktopsOffer) {
  for (const auto& [ratio, scale, width, height] : flurb::testing::kKiteRenderings) {
    SCOPED_TRACE(ratio);
    for (const std::u16string_view name : {u"k", u"K"}) {
      const std::optional<Rendering> rendering = resources.findRendering(name, ratio);
      ASSERT_TRUE(rendering.has_value());
      EXPECT_EQ(rendering->scale, scale);
      const std::optional<Picture> picture = decodeDib(rendering->bytes.view());
      ASSERT_TRUE(picture.has_value());
      EXPECT_EQ(picture->width(), width);
      EXPECT_EQ(picture->height(), height);
    }
  }
  for (const std::u16string_view name : {u"", u"1", u"#1", u"k_200", u"kk"}) {
    EXPECT_FALSE(resources.findRendering(name, 2).has_value())
        << std::string(name.begin(), name.end());
  }
}

// "Flurb Cards" as `gzip -9 -n` packs it: header, deflated bytes, check sum, length.
const std::vector<std::uint8_t> kPacked = {
    0x1f, 0x8b, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x03, 0x73, 0xcb, 0x29, 0x2d, 0x4a, 0x52,
    0x70, 0x4e, 0x2c, 0x4a, 0x29, 0x06, 0x00, 0xd7, 0x4e, 0x44, 0xd2, 0x0b, 0x00, 0x00, 0x00};
const std::string kUnpacked = "Flurb Cards";

TEST(Gunzip, UnpacksAWholeMemberWithinTheLimit) {
  const auto unpacked = gunzip(kPacked, kUnpacked.size());
  ASSERT_TRUE(unpacked.has_value());
  EXPECT_EQ(std::string(unpacked->begin(), unpacked->end()), kUnpacked);
}

// Damaged renderings unpack to nothing, and the card draws the picture itself instead.
TEST(Gunzip, DamagedMembersGiveNothing) {
  struct Damage {
    const char* what;
    std::size_t keep;
    std::size_t flip;
    std::size_t limit;
  };
  constexpr std::size_t kNone = SIZE_MAX;
  const std::size_t whole = kPacked.size();
  const std::size_t roomy = kUnpacked.size() * 4;
  for (const auto& [what, keep, flip, limit] : {
           Damage{"empty", 0, kNone, roomy},
           Damage{"header only", 10, kNone, roomy},
           Damage{"length cut short", whole - 1, kNone, roomy},
           Damage{"no gzip magic", whole, 0, roomy},
           Damage{"deflated bytes changed", whole, 12, roomy},
           Damage{"check sum wrong", whole, whole - 8, roomy},
           Damage{"length wrong", whole, whole - 4, roomy},
           Damage{"more than the limit", whole, kNone, kUnpacked.size() - 1},
       }) {
    std::vector<std::uint8_t> bytes(kPacked.begin(), kPacked.begin() + static_cast<long>(keep));
    if (flip != kNone) {
      bytes[flip] ^= 0x40U;
    }
    EXPECT_FALSE(gunzip(bytes, limit).has_value()) << what;
  }
  std::vector<std::uint8_t> trailing = kPacked;
  trailing.push_back(0);
  EXPECT_FALSE(gunzip(trailing, roomy).has_value()) << "bytes after the member";
}

}  // namespace
}  // namespace flurb::platform::win32
