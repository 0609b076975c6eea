#include "drawing.h"

#include <algorithm>
#include <vector>

namespace flurb::platform {

void paintWindow(Canvas& canvas, const Window& window, const SystemColours& colours,
                 const ResourceStore& pictures) {
  const PixelSize client = window.clientPixels();
  canvas.fillRect({0, 0, client.width, client.height}, resolveColour(window.backColor, colours));
  // The focus box is the frontmost control, so one back-to-front pass draws it last, above
  // everything, as its own window would stand.
  const std::vector<const Control*> frontToBack = window.controlsFrontToBack();
  std::for_each(frontToBack.rbegin(), frontToBack.rend(), [&](const Control* control) {
    if (control->visible) {
      control->draw(canvas, colours, pictures);
    }
  });
}

}  // namespace flurb::platform
