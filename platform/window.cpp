#include "window.h"

#include "twips.h"

namespace flurb::platform {

// The client size is rounded like every other edge, halves up: at 120 dots per inch (12 twips a
// pixel) 7305 x 7695 twips make 608.75 x 641.25 pixels and the client area 609 x 641.
Window::Window(const WindowDescription& description, double twipsPerPixel)
    : caption(description.caption),
      backColor(description.backColor),
      twipsPerPixel_(twipsPerPixel),
      clientPixels_{twipsToPixels(description.clientWidth, twipsPerPixel),
                    twipsToPixels(description.clientHeight, twipsPerPixel)} {}

double Window::width() const {
  return (clientPixels_.width + frame_.left + frame_.right) * twipsPerPixel_;
}

double Window::height() const {
  return (clientPixels_.height + frame_.top + frame_.bottom) * twipsPerPixel_;
}

}  // namespace flurb::platform
