#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/resource_store.h"

namespace flurb::resources {

// The 26 letter pictures carried inside the program, named "A" to "Z" and found by name without
// regard to case. The entries are kept compressed and unpacked at each look-up: a few kilobytes
// each instead of 400, so the pictures a child has seen do not stay resident.
class LetterPictureStore final : public platform::ResourceStore {
 public:
  std::optional<platform::StoredBytes> findBitmap(std::u16string_view name) const override;
  // Rendered from the drawings at build time at 1.25, 1.5, 1.75, 2, 2.5 and 3.
  std::optional<platform::Rendering> findRendering(std::u16string_view name,
                                                   double ratio) const override;
};

}  // namespace flurb::resources
