#pragma once

#include "platform/resource_store.h"
#include "platform/win32/win32.h"

namespace flurb::platform::win32 {

// The resources carried in a program file, found by name through the Windows resource API, which
// compares names without regard to case: the pictures as bitmaps (RT_BITMAP), their renderings for
// screens that scale as gzip-packed bitmaps (RT_RCDATA) named "<name>_<scale in hundredths>".
class ModuleResources final : public ResourceStore {
 public:
  explicit ModuleResources(HMODULE module) : module_(module) {}

  std::optional<StoredBytes> findBitmap(std::u16string_view name) const override;
  // Rendered from the drawings at build time at 1.25, 1.5, 1.75, 2, 2.5 and 3; a rendering that
  // does not unpack is none.
  std::optional<Rendering> findRendering(std::u16string_view name, double ratio) const override;

 private:
  std::optional<std::span<const std::uint8_t>> find(std::u16string_view name,
                                                    const wchar_t* type) const;

  HMODULE module_;
};

}  // namespace flurb::platform::win32
