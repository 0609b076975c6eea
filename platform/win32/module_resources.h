#pragma once

#include "platform/picture.h"
#include "platform/win32/win32.h"

namespace flurb::platform::win32 {

// The bitmap resources (RT_BITMAP) carried in a program file, found by name through the Windows
// resource API, which compares names without regard to case.
class ModuleResources final : public ResourceStore {
 public:
  explicit ModuleResources(HMODULE module) : module_(module) {}

  std::optional<std::vector<std::uint8_t>> findBitmap(std::u16string_view name) const override;

 private:
  HMODULE module_;
};

}  // namespace flurb::platform::win32
