#include "resource_store.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "dib.h"
#include "runtime_error.h"

namespace flurb::platform {
namespace {

// A letter picture is 0.56 MB at most, and the program must stay within 40 MiB at ratio 1.
constexpr std::size_t kRecentPictures = 2;
// The 26 letter pictures take 0.8 MB as runs.
constexpr std::size_t kKeptRunBytes = std::size_t{1} << 20U;

// The name as it goes into an error message: printable ASCII as it is, anything else as '?'.
std::string quoted(std::u16string_view name) {
  constexpr char16_t kFirstPrintable = 0x20;
  constexpr char16_t kLastPrintable = 0x7E;
  std::string text = "\"";
  for (const char16_t c : name) {
    text += (c >= kFirstPrintable && c <= kLastPrintable) ? static_cast<char>(c) : '?';
  }
  return text + "\"";
}

}  // namespace

Picture ResourceStore::keptOrDecoded(const ResourceStore& store, std::u16string_view name) {
  const auto kept = std::find_if(store.keptRuns_.begin(), store.keptRuns_.end(),
                                 [&](const auto& entry) { return entry.first == name; });
  if (kept != store.keptRuns_.end()) {
    return kept->second.expanded();
  }
  const std::optional<StoredBytes> bytes = store.findBitmap(name);
  if (!bytes) {
    throw RuntimeError("no picture named " + quoted(name));
  }
  std::optional<Picture> picture = decodeDib(bytes->view());
  if (!picture) {
    throw RuntimeError("the picture " + quoted(name) + " is damaged");
  }
  if (auto runs = RunLengthPicture::within(*picture, kKeptRunBytes - store.keptRunBytes_)) {
    store.keptRunBytes_ += runs->bytes();
    store.keptRuns_.emplace_back(std::u16string(name), std::move(*runs));
  }
  return std::move(*picture);
}

Picture loadResPicture(const ResourceStore& store, std::u16string_view name, std::int16_t kind) {
  if (kind != kBitmapResource) {
    throw RuntimeError("resource " + quoted(name) + " was asked for as an unknown kind");
  }
  std::deque<Picture>& recent = store.recentPictures_;
  const auto found = std::find_if(recent.begin(), recent.end(), [&](const Picture& picture) {
    return picture.resourceName() == name;
  });
  if (found != recent.end()) {
    std::rotate(recent.begin(), found, found + 1);
    return recent.front();
  }
  Picture picture = ResourceStore::keptOrDecoded(store, name);
  picture.setResourceName(std::u16string(name));
  recent.push_front(picture);
  if (recent.size() > kRecentPictures) {
    recent.pop_back();
  }
  return picture;
}

}  // namespace flurb::platform
