#include "site_pictures.h"

#include <emscripten/emscripten.h>

#include <string>
#include <utility>

// clang-format off
// The picture's size in bytes; -2 while it is on its way (the page starts fetching it), -1 for a
// name the site has no picture for.
EM_JS(int, js_picture_size, (const char* name), {
  const state = Module.pictureState(UTF8ToString(name));
  if (state === "in") {
    return Module.sitePictures.get(UTF8ToString(name)).length;
  }
  return state === "loading" ? -2 : -1;
});

EM_JS(void, js_copy_picture, (const char* name, std::uint8_t* target), {
  HEAPU8.set(Module.sitePictures.get(UTF8ToString(name)), target);
});

// The page's rendering for the ratio, if it has fetched that scale's; otherwise it starts fetching
// them and draws the card again once they are in.
EM_JS(int, js_rendering_size, (const char* name, double ratio, int* percent), {
  const found = Module.renderingFor(UTF8ToString(name), ratio);
  if (!found) {
    return -1;
  }
  HEAP32[percent >> 2] = found.percent;
  return found.bytes.length;
});

EM_JS(void, js_copy_rendering, (const char* name, int percent, std::uint8_t* target), {
  HEAPU8.set(Module.renderings.get(percent).get(UTF8ToString(name)), target);
});
// clang-format on

namespace flurb::platform::web {
namespace {

// Only the ASCII letters fold: Unicode case folding would also let the long s or the Kelvin sign
// find a picture.
std::optional<std::string> siteName(std::u16string_view name) {
  std::string folded;
  for (const char16_t unit : name) {
    if (unit == 0 || unit >= 0x80) {
      return std::nullopt;
    }
    const auto ascii = static_cast<char>(unit);
    folded.push_back(ascii >= 'A' && ascii <= 'Z' ? static_cast<char>(ascii - 'A' + 'a') : ascii);
  }
  return folded;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> SitePictures::findBitmap(std::u16string_view name) const {
  const auto key = siteName(name);
  if (!key) {
    return std::nullopt;
  }
  constexpr int kOnItsWay = -2;
  const int size = js_picture_size(key->c_str());
  if (size == kOnItsWay) {
    awaited_ = key;
  }
  if (size < 0) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  js_copy_picture(key->c_str(), bytes.data());
  return bytes;
}

std::optional<std::string> SitePictures::takeAwaited() {
  return std::exchange(awaited_, std::nullopt);
}

std::optional<Rendering> SitePictures::findRendering(std::u16string_view name, double ratio) const {
  const auto key = siteName(name);
  int percent = 0;
  const int size = key ? js_rendering_size(key->c_str(), ratio, &percent) : -1;
  if (size < 0) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  js_copy_rendering(key->c_str(), percent, bytes.data());
  constexpr double kPercent = 100.0;
  return Rendering{percent / kPercent, std::move(bytes)};
}

}  // namespace flurb::platform::web
