#include "window.h"

namespace flurb::platform {

Window::Window(const WindowDescription& description, double devicePixelRatio)
    : caption(description.caption),
      backColor(description.backColor),
      clientWidth_(description.clientWidth),
      clientHeight_(description.clientHeight),
      scale_(devicePixelRatio) {}

PixelSize Window::clientSize() const {
  return {twipsToPixels(clientWidth_, kTwipsPerLogicalPixel),
          twipsToPixels(clientHeight_, kTwipsPerLogicalPixel)};
}

// Rounded like every other edge, halves up: at a ratio of 1.25 (12 twips a device pixel) 7305 x
// 7695 twips make 608.75 x 641.25 pixels and the client area 609 x 641, as the desktop gives it.
PixelSize Window::clientPixels() const {
  return {twipsToPixels(clientWidth_, twipsPerPixel()),
          twipsToPixels(clientHeight_, twipsPerPixel())};
}

double Window::width() const {
  return clientSize().width * kTwipsPerLogicalPixel +
         (frame_.left + frame_.right) * twipsPerPixel();
}

double Window::height() const {
  return clientSize().height * kTwipsPerLogicalPixel +
         (frame_.top + frame_.bottom) * twipsPerPixel();
}

}  // namespace flurb::platform
