#pragma once

#include <string>
#include <vector>

#include "colour.h"
#include "controls.h"
#include "geometry.h"
#include "twips.h"

namespace flurb::platform {

// The border and title bar around the client area, in device pixels; zero until the desktop says.
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
// `width()` and `height()` are the outer size, frame included: the client area's twips and the
// frame as it stands on the screen, in device pixels, turned into twips.
class Window {
 public:
  Window(const WindowDescription& description, double devicePixelRatio);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  Window(Window&&) = delete;
  Window& operator=(Window&&) = delete;
  virtual ~Window() = default;

  const std::u16string caption;
  const Colour backColor;
  double left = 0;
  double top = 0;

  double width() const;
  double height() const;

  void setFrameExtents(const FrameExtents& frame) { frame_ = frame; }
  const FrameExtents& frameExtents() const { return frame_; }
  // The client area's size in logical pixels, and in device pixels (each to the nearest pixel).
  PixelSize clientSize() const;
  PixelSize clientPixels() const;
  // Twips per device pixel.
  double twipsPerPixel() const { return scale_.twipsPerPixel(); }
  double devicePixelRatio() const { return scale_.devicePixelRatio(); }
  // On a screen of another scale the window keeps its logical size and draws with more or fewer
  // device pixels.
  void setDevicePixelRatio(double ratio) { scale_.setDevicePixelRatio(ratio); }
  const PixelScale& scale() const { return scale_; }

  // Every control, the frontmost first.
  virtual std::vector<const Control*> controlsFrontToBack() const = 0;

 private:
  double clientWidth_;  // twips
  double clientHeight_;
  PixelScale scale_;
  FrameExtents frame_;
};

}  // namespace flurb::platform
