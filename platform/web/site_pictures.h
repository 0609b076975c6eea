#pragma once

#include "platform/resource_store.h"

namespace flurb::platform::web {

// The bitmaps the page fetched and unpacked (Module.sitePictures, a map from lower-case name to
// bytes), found by name without regard to case.
class SitePictures final : public ResourceStore {
 public:
  std::optional<std::vector<std::uint8_t>> findBitmap(std::u16string_view name) const override;
  // From the renderings for screens that scale, one scale of them fetched at a time
  // (Module.renderings); until the page has the scale a ratio needs, nothing.
  std::optional<Rendering> findRendering(std::u16string_view name, double ratio) const override;
};

}  // namespace flurb::platform::web
