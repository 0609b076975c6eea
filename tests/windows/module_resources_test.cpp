#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/win32/module_resources.h"

namespace flurb::platform::win32 {
namespace {

std::vector<std::uint8_t> storedPicture(char letter) {
  const std::filesystem::path path =
      std::filesystem::path(FLURB_PICTURES_DIR) / (std::string(1, letter) + ".dib");
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// This test program carries the letter pictures the way flurb-cards.exe does.
class ProgramResources : public testing::Test {
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

}  // namespace
}  // namespace flurb::platform::win32
