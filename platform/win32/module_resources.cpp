#include "module_resources.h"

#include <string>

#include "platform/rendering_scale.h"
#include "platform/win32/gzip.h"

namespace flurb::platform::win32 {
namespace {

// Far more than the largest rendering unpacks to (about 3.6 MB): anything beyond is damage.
constexpr std::size_t kLargestRendering = std::size_t{16} << 20U;

}  // namespace

std::optional<std::span<const std::uint8_t>> ModuleResources::find(std::u16string_view name,
                                                                   const wchar_t* type) const {
  // A name that looks like "#12" would be taken as a resource number.
  if (name.empty() || name.front() == u'#') {
    return std::nullopt;
  }
  const std::u16string terminated(name);
  HRSRC found = FindResourceW(module_, reinterpret_cast<const wchar_t*>(terminated.c_str()), type);
  if (found == nullptr) {
    return std::nullopt;
  }
  const DWORD size = SizeofResource(module_, found);
  HGLOBAL loaded = LoadResource(module_, found);
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (bytes == nullptr) {
    return std::nullopt;
  }
  return std::span<const std::uint8_t>(bytes, size);
}

std::optional<StoredBytes> ModuleResources::findBitmap(std::u16string_view name) const {
  const auto bytes = find(name, RT_BITMAP);
  if (!bytes) {
    return std::nullopt;
  }
  // The module's resources stay mapped as long as the program runs.
  return StoredBytes(nullptr, *bytes);
}

std::optional<Rendering> ModuleResources::findRendering(std::u16string_view name,
                                                        double ratio) const {
  const int percent = renderingPercentFor(ratio);
  const std::string suffix = "_" + std::to_string(percent);
  const auto packed =
      find(std::u16string(name) + std::u16string(suffix.begin(), suffix.end()), RT_RCDATA);
  if (!packed) {
    return std::nullopt;
  }
  auto bytes = gunzip(*packed, kLargestRendering);
  if (!bytes) {
    return std::nullopt;
  }
  return Rendering{renderingScale(percent), std::move(*bytes)};
}

}  // namespace flurb::platform::win32
