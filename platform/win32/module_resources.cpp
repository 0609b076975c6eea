#include "module_resources.h"

#include <string>

namespace flurb::platform::win32 {

std::optional<std::vector<std::uint8_t>> ModuleResources::findBitmap(
    std::u16string_view name) const {
  // A name that looks like "#12" would be taken as a resource number.
  if (name.empty() || name.front() == u'#') {
    return std::nullopt;
  }
  const std::u16string terminated(name);
  HRSRC found =
      FindResourceW(module_, reinterpret_cast<const wchar_t*>(terminated.c_str()), RT_BITMAP);
  if (found == nullptr) {
    return std::nullopt;
  }
  const DWORD size = SizeofResource(module_, found);
  HGLOBAL loaded = LoadResource(module_, found);
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (bytes == nullptr) {
    return std::nullopt;
  }
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

}  // namespace flurb::platform::win32
