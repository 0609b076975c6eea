#pragma once

#include <string>
#include <vector>

#include "colour.h"
#include "controls.h"
#include "geometry.h"

namespace flurb::platform {

// The border and title bar around the client area, in pixels; zero until the desktop says.
struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

struct WindowDescription {
  std::u16string caption;
  double clientWidth;   // twips
  double clientHeight;  // twips
  Colour backColor;
};

// A window with its controls. `left` and `top` place the outer (framed) corner on the screen;
// `width()` and `height()` are the outer size, frame included.
class Window {
 public:
  Window(const WindowDescription& description, double twipsPerPixel)
      : caption(description.caption),
        backColor(description.backColor),
        clientWidth_(description.clientWidth),
        clientHeight_(description.clientHeight),
        twipsPerPixel_(twipsPerPixel) {}
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  Window(Window&&) = delete;
  Window& operator=(Window&&) = delete;
  virtual ~Window() = default;

  const std::u16string caption;
  const Colour backColor;
  double left = 0;
  double top = 0;

  double width() const { return clientWidth_ + (frame_.left + frame_.right) * twipsPerPixel_; }
  double height() const { return clientHeight_ + (frame_.top + frame_.bottom) * twipsPerPixel_; }

  void setFrameExtents(const FrameExtents& frame) { frame_ = frame; }
  const FrameExtents& frameExtents() const { return frame_; }
  PixelSize clientPixels() const;
  double twipsPerPixel() const { return twipsPerPixel_; }

  // Every control, the frontmost first.
  virtual std::vector<const Control*> controlsFrontToBack() const = 0;

 private:
  double clientWidth_;
  double clientHeight_;
  double twipsPerPixel_;
  FrameExtents frame_;
};

}  // namespace flurb::platform
