#include "drawing.h"

#include <algorithm>
#include <vector>

namespace flurb::platform {
namespace {

bool overlaps(const PixelRect& rect, PixelSize client) {
  return rect.left < client.width && rect.top < client.height && rect.left + rect.width > 0 &&
         rect.top + rect.height > 0;
}

}  // namespace

void paintWindow(Canvas& canvas, const Window& window, const SystemColours& colours,
                 const ResourceStore& pictures) {
  const PixelSize client = window.clientPixels();
  canvas.fillRect({0, 0, client.width, client.height}, resolveColour(window.backColor, colours));
  // The focus box is the frontmost control, so one back-to-front pass draws it last, above
  // everything, as its own window would stand. A control wholly outside the client area (the
  // picture frame of a number card) would draw nothing, so it costs nothing: at a ratio above 1
  // its picture would otherwise be decoded and resampled for every key.
  const std::vector<const Control*> frontToBack = window.controlsFrontToBack();
  std::for_each(frontToBack.rbegin(), frontToBack.rend(), [&](const Control* control) {
    if (control->visible && overlaps(control->pixelRect(), client)) {
      control->draw(canvas, colours, pictures);
    }
  });
}

}  // namespace flurb::platform
