#pragma once

#include <optional>
#include <string>

#include "platform/resource_store.h"

namespace flurb::platform::web {

// The pictures the page fetched and unpacked (Module.sitePictures, a map from lower-case name to
// ImageData), found by name without regard to case and given as bitmaps. A picture still on its
// way is not found, and is noted as awaited: the page runs the handler that asked for it again
// once it is in.
class SitePictures final : public ResourceStore {
 public:
  std::optional<StoredBytes> findBitmap(std::u16string_view name) const override;
  // The picture the last failed look-up is waiting for, if it is on its way; asking forgets it.
  std::optional<std::string> takeAwaited();
  // From the renderings for screens that scale, one scale of them fetched at a time
  // (Module.renderings); until the page has the scale a ratio needs, nothing.
  std::optional<Rendering> findRendering(std::u16string_view name, double ratio) const override;

 private:
  mutable std::optional<std::string> awaited_;
};

}  // namespace flurb::platform::web
