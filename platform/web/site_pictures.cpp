#include "site_pictures.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstddef>
#include <string>
#include <utility>

// clang-format off
// 0 for a picture that is in; -2 while it is on its way (the page starts fetching it), -1 for a
// name the site has no picture for.
EM_JS(int, js_picture_state, (const char* name), {
  const state = Module.pictureState(UTF8ToString(name));
  return state === "in" ? 0 : state === "loading" ? -2 : -1;
});

// The scale in percent of the page's rendering for the ratio, if it has fetched that scale's;
// otherwise it starts fetching them and draws the card again once they are in.
EM_JS(int, js_rendering_percent, (const char* name, double ratio), {
  return Module.renderingFor(UTF8ToString(name), ratio);
});

// What the page holds of a picture (percent 0) or a rendering: its pixels as it unpacked them
// (ImageData: 0, their width and height in `size`) or the bitmap the program made of them (its
// length in bytes).
EM_JS(int, js_held_size, (const char* name, int percent, int* size), {
  const held = (percent ? Module.renderings.get(percent) : Module.sitePictures)
                   .get(UTF8ToString(name));
  if (held instanceof ImageData) {
    HEAP32[size >> 2] = held.width;
    HEAP32[(size >> 2) + 1] = held.height;
    return 0;
  }
  return held.length;
});

EM_JS(void, js_copy_held, (const char* name, int percent, std::uint8_t* target), {
  const held = (percent ? Module.renderings.get(percent) : Module.sitePictures)
                   .get(UTF8ToString(name));
  HEAPU8.set(held instanceof ImageData ? held.data : held, target);
});

// The page keeps the bitmap in place of the pixels: a picture is made a bitmap once.
EM_JS(void, js_keep_bitmap, (const char* name, int percent, const std::uint8_t* bitmap,
                             std::size_t length), {
  (percent ? Module.renderings.get(percent) : Module.sitePictures)
      .set(UTF8ToString(name), HEAPU8.slice(bitmap, bitmap + length));
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

void putU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  constexpr unsigned kBitsInByte = 8;
  for (std::size_t index = 0; index < 4; ++index) {
    bytes[offset + index] = static_cast<std::uint8_t>(value >> (kBitsInByte * index));
  }
}

// The 24-bit bitmap the program stores, rows from the top, of pixels as ImageData gives them: red,
// green, blue and alpha, row after row.
std::vector<std::uint8_t> bitmapOf(int width, int height, const std::vector<std::uint8_t>& rgba) {
  constexpr std::size_t kHeaderSize = 40;
  const auto columns = static_cast<std::size_t>(width);
  const std::size_t stride = (columns * 3 + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> bitmap(kHeaderSize + stride * static_cast<std::size_t>(height));
  putU32(bitmap, 0, kHeaderSize);
  putU32(bitmap, 4, static_cast<std::uint32_t>(width));
  putU32(bitmap, 8, static_cast<std::uint32_t>(-height));  // negative: rows from the top
  constexpr std::uint32_t kOnePlaneOf24Bits = 1U | (24U << 16U);
  putU32(bitmap, 12, kOnePlaneOf24Bits);
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    const std::uint8_t* from = rgba.data() + y * columns * 4;
    std::uint8_t* to = bitmap.data() + kHeaderSize + y * stride;
    for (std::size_t x = 0; x < columns; ++x, from += 4, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return bitmap;
}

// The bitmap of a picture (percent 0) or a rendering the page holds. The page unpacks pixels; the
// bitmap is made of them here, once, where a loop over them runs fastest, and the page keeps it.
std::vector<std::uint8_t> heldBitmap(const std::string& name, int percent) {
  std::array<int, 2> size{};
  const int length = js_held_size(name.c_str(), percent, size.data());
  if (length > 0) {
    std::vector<std::uint8_t> bitmap(static_cast<std::size_t>(length));
    js_copy_held(name.c_str(), percent, bitmap.data());
    return bitmap;
  }
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size[0]) *
                                 static_cast<std::size_t>(size[1]) * 4);
  js_copy_held(name.c_str(), percent, rgba.data());
  std::vector<std::uint8_t> bitmap = bitmapOf(size[0], size[1], rgba);
  js_keep_bitmap(name.c_str(), percent, bitmap.data(), bitmap.size());
  return bitmap;
}

}  // namespace

std::optional<StoredBytes> SitePictures::findBitmap(std::u16string_view name) const {
  const auto key = siteName(name);
  if (!key) {
    return std::nullopt;
  }
  constexpr int kOnItsWay = -2;
  const int state = js_picture_state(key->c_str());
  if (state == kOnItsWay) {
    awaited_ = key;
  }
  if (state < 0) {
    return std::nullopt;
  }
  return heldBitmap(*key, 0);
}

std::optional<std::string> SitePictures::takeAwaited() {
  return std::exchange(awaited_, std::nullopt);
}

std::optional<Rendering> SitePictures::findRendering(std::u16string_view name, double ratio) const {
  const auto key = siteName(name);
  const int percent = key ? js_rendering_percent(key->c_str(), ratio) : -1;
  if (percent <= 0) {
    return std::nullopt;
  }
  constexpr double kPercent = 100.0;
  return Rendering{percent / kPercent, heldBitmap(*key, percent)};
}

}  // namespace flurb::platform::web
