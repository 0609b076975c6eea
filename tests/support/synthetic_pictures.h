#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/resource_store.h"

namespace flurb::testing {

// The stored bitmap layout of a picture: a 40-byte header, then bottom-up 24-bit rows padded to
// four bytes.
std::vector<std::uint8_t> storedBitmap(const platform::Picture& image);

// A store of plain pictures in the letter pictures' sizes (405 pixels wide for "I" and "J", 450
// for the rest), each one colour, so that tests can tell a picture's pixels from everything else.
class SyntheticPictureStore final : public platform::ResourceStore {
 public:
  static constexpr int kHeight = 293;
  // The one colour of a letter's picture as a decoded picture holds it: 0x00RRGGBB. (No Qt here:
  // the Windows build runs these tests too.)
  static std::uint32_t pixelOf(char16_t letter);

  SyntheticPictureStore();
  std::optional<platform::StoredBytes> findBitmap(std::u16string_view name) const override;

 private:
  std::map<char16_t, std::vector<std::uint8_t>> entries_;
};

}  // namespace flurb::testing
