#pragma once

#include <optional>
#include <string>

#include "canvas.h"
#include "colour.h"
#include "geometry.h"
#include "picture.h"
#include "resource_store.h"
#include "twips.h"

namespace flurb::platform {

// Where a control stands when the window is created, in twips from the client area's top left.
struct ControlPlace {
  double left;
  double top;
  double width;
  double height;
};

// A control of the window. Positions are kept in twips and turned into pixels only when drawing;
// what the program writes are public properties, what follows from others is read through a
// function.
class Control {
 public:
  Control(const ControlPlace& place, const PixelScale& scale)
      : left(place.left),
        top(place.top),
        designWidth_(place.width),
        designHeight_(place.height),
        scale_(scale) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  Control(Control&&) = delete;
  Control& operator=(Control&&) = delete;
  virtual ~Control() = default;

  double left;
  double top;
  bool visible = true;

  virtual double width() const { return designWidth_; }
  virtual double height() const { return designHeight_; }

  // `pictures` is the store the window's pictures came from, which keeps their sharper renderings.
  virtual void draw(Canvas& canvas, const SystemColours& colours,
                    const ResourceStore& pictures) const = 0;

  // The control's rectangle in the client area's device pixels; each edge is rounded on its own so
  // neighbours meet without gaps.
  PixelRect pixelRect() const;
  int toPixels(double twips) const;
  const PixelScale& scale() const { return scale_; }

 private:
  double designWidth_;
  double designHeight_;
  const PixelScale& scale_;
};

enum class BackStyle { kTransparent, kOpaque };

struct LabelLook {
  FontSpec font;
  Colour foreColor{};
  Colour backColor{};
  BackStyle backStyle{};
};

// One line of text, its character cell's top at the label's top edge, centred across the label
// and cut off at its edges.
class Label final : public Control {
 public:
  Label(const ControlPlace& place, const PixelScale& scale, LabelLook labelLook)
      : Control(place, scale), look(std::move(labelLook)) {}

  std::u16string caption;
  const LabelLook look;

  // The font's size in device pixels.
  int fontPixels() const;
  void draw(Canvas& canvas, const SystemColours& colours,
            const ResourceStore& pictures) const override;
};

// Shows its picture unstretched and takes on the picture's size in logical pixels; with no picture
// it draws nothing. Above a device pixel ratio of 1 it draws the picture's sharper rendering.
class PictureFrame final : public Control {
 public:
  using Control::Control;

  void setPicture(Picture picture) { picture_ = std::move(picture); }
  const std::optional<Picture>& picture() const { return picture_; }
  bool hasPicture() const { return picture_.has_value(); }

  double width() const override;
  double height() const override;
  void draw(Canvas& canvas, const SystemColours& colours,
            const ResourceStore& pictures) const override;

 private:
  std::optional<Picture> picture_;
};

// A filled circle inscribed in its square, with a one-pixel outline inside the square.
class Dot final : public Control {
 public:
  Dot(const ControlPlace& place, const PixelScale& scale, Colour fill, Colour border)
      : Control(place, scale), fillColor(fill), borderColor(border) {}

  const Colour fillColor;
  const Colour borderColor;

  void draw(Canvas& canvas, const SystemColours& colours,
            const ResourceStore& pictures) const override;
};

// A plain square in its background colour that holds the keyboard focus.
class FocusBox final : public Control {
 public:
  FocusBox(const ControlPlace& place, const PixelScale& scale, Colour background)
      : Control(place, scale), backColor(background) {}

  const Colour backColor;

  void draw(Canvas& canvas, const SystemColours& colours,
            const ResourceStore& pictures) const override;
};

}  // namespace flurb::platform
