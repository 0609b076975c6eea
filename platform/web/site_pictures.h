#pragma once

#include "platform/picture.h"

namespace flurb::platform::web {

// The bitmaps the page fetched and unpacked before the program started (Module.sitePictures, a
// map from lower-case name to bytes), found by name without regard to case.
class SitePictures final : public ResourceStore {
 public:
  std::optional<std::vector<std::uint8_t>> findBitmap(std::u16string_view name) const override;
};

}  // namespace flurb::platform::web
