#include "canvas_2d.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>
#include <vector>

// clang-format off
// The canvas's backing store in device pixels and its size on the page in CSS pixels, one device
// pixel to each of its pixels, centred on whole device pixels in the part of the screen the page is
// shown in. A backing store set anew is cleared, so it is set only when its size changes.
EM_JS(void, js_fit_canvas, (int deviceWidth, int deviceHeight), {
  const canvas = document.getElementById("card");
  if (canvas.width !== deviceWidth || canvas.height !== deviceHeight) {
    canvas.width = deviceWidth;
    canvas.height = deviceHeight;
  }
  const shown = window.visualViewport || {offsetLeft: 0, offsetTop: 0, width: window.innerWidth,
                                          height: window.innerHeight, scale: 1};
  const ratio = window.devicePixelRatio * shown.scale;
  function centred(start, room, size) {
    return Math.round((start + (room - size) / 2) * ratio) / ratio + "px";
  }
  canvas.style.width = deviceWidth / ratio + "px";
  canvas.style.height = deviceHeight / ratio + "px";
  canvas.style.left = centred(shown.offsetLeft, shown.width, deviceWidth / ratio);
  canvas.style.top = centred(shown.offsetTop, shown.height, deviceHeight / ratio);
});

EM_JS(void, js_fill_rect, (int left, int top, int width, int height, int red, int green, int blue), {
  const context = document.getElementById("card").getContext("2d", {alpha: false});
  context.fillStyle = "rgb(" + red + "," + green + "," + blue + ")";
  context.fillRect(left, top, width, height);
});

// The top of the character cell lies the face's full ascent above the baseline (the page read it
// from the font, Module.faceAscents, per em); the line is centred on whole pixels, as the desktop
// toolkits place it.
EM_JS(void, js_draw_caption, (int left, int top, int width, int height, const char* face,
                              const char* css, int pixelSize, int red, int green, int blue,
                              const char* text), {
  const context = document.getElementById("card").getContext("2d", {alpha: false});
  const caption = UTF8ToString(text);
  context.save();
  context.beginPath();
  context.rect(left, top, width, height);
  context.clip();
  context.font = UTF8ToString(css);
  context.textBaseline = "alphabetic";
  context.textAlign = "left";
  context.fillStyle = "rgb(" + red + "," + green + "," + blue + ")";
  const metrics = context.measureText(caption);
  const textWidth = Math.round(metrics.width);
  const x = left + Math.trunc((width - textWidth) / 2);
  const ascent = Math.round(Module.faceAscents.get(UTF8ToString(face)) * pixelSize);
  context.fillText(caption, x, top + ascent);
  context.restore();
});

EM_JS(void, js_draw_circle, (int left, int top, int side, const char* fill, const char* outline), {
  const context = document.getElementById("card").getContext("2d", {alpha: false});
  const radius = side / 2;
  context.beginPath();
  // The one-pixel outline runs along the inside of the square.
  context.arc(left + radius, top + radius, radius - 0.5, 0, 2 * Math.PI);
  context.fillStyle = UTF8ToString(fill);
  context.fill();
  context.lineWidth = 1;
  context.strokeStyle = UTF8ToString(outline);
  context.stroke();
});

EM_JS(void, js_draw_picture, (int left, int top, int width, int height, const std::uint8_t* rgba), {
  // A view on the program's memory, not a copy: nothing grows that memory before it is drawn.
  const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
  const context = document.getElementById("card").getContext("2d", {alpha: false});
  context.putImageData(new ImageData(bytes, width, height), left, top);
});
// clang-format on

namespace flurb::platform::web {
namespace {

std::string cssColour(Rgb colour) {
  return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
         std::to_string(colour.blue) + ")";
}

// The faces carried with the site: the Palatino-style face for the letter pair, the face
// metric-compatible with Arial for the digit and any other family (Liberation Sans, cut to the
// digits under a name of its own, as its licence asks).
std::string carriedFace(std::u16string_view family) {
  return family == u"Palladius" ? "P052" : "Flurb Digits";
}

std::string utf8(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    // Captions are letters and digits; anything beyond ASCII is shown as a question mark.
    bytes.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  }
  return bytes;
}

}  // namespace

void fitCanvas(const PixelSize& devicePixels) {
  js_fit_canvas(devicePixels.width, devicePixels.height);
}

void Canvas2d::fillRect(const PixelRect& rect, Rgb colour) {
  js_fill_rect(rect.left, rect.top, rect.width, rect.height, colour.red, colour.green, colour.blue);
}

void Canvas2d::drawCaption(const PixelRect& box, const FontSpec& font, int pixelSize, Rgb colour,
                           std::u16string_view text) {
  const std::string face = carriedFace(font.family);
  const std::string css = std::string(font.italic ? "italic " : "normal ") +
                          std::to_string(font.weight) + " " + std::to_string(pixelSize) + "px \"" +
                          face + "\"";
  js_draw_caption(box.left, box.top, box.width, box.height, face.c_str(), css.c_str(), pixelSize,
                  colour.red, colour.green, colour.blue, utf8(text).c_str());
}

void Canvas2d::drawCircle(const PixelRect& square, Rgb fill, Rgb outline) {
  js_draw_circle(square.left, square.top, square.width, cssColour(fill).c_str(),
                 cssColour(outline).c_str());
}

void Canvas2d::drawPicture(int left, int top, const Picture& picture) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(picture.pixels().size() * 4);
  constexpr std::uint32_t kByte = 0xFFU;
  constexpr std::uint8_t kOpaque = 0xFFU;
  for (const std::uint32_t pixel : picture.pixels()) {
    rgba.push_back(static_cast<std::uint8_t>((pixel >> 16U) & kByte));
    rgba.push_back(static_cast<std::uint8_t>((pixel >> 8U) & kByte));
    rgba.push_back(static_cast<std::uint8_t>(pixel & kByte));
    rgba.push_back(kOpaque);
  }
  js_draw_picture(left, top, picture.width(), picture.height(), rgba.data());
}

}  // namespace flurb::platform::web
