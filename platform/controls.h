#pragma once

#include <optional>

#include <QRect>
#include <QString>

#include "colour.h"
#include "picture.h"

class QPainter;

namespace flurb::platform {

// Where a control stands when the window is created, in twips from the client area's top left.
struct ControlPlace {
  double left;
  double top;
  double width;
  double height;
};

struct FontSpec {
  QString family;
  double points{};
  int weight{};  // 400 normal, 700 bold
  bool italic{};
  bool underline{};
  bool strikeOut{};
};

// A control of the window. Positions are kept in twips and turned into pixels only when drawing;
// what the program writes are public properties, what follows from others is read through a
// function.
class Control {
 public:
  Control(const ControlPlace& place, double twipsPerPixel)
      : Left(place.left),
        Top(place.top),
        designWidth_(place.width),
        designHeight_(place.height),
        twipsPerPixel_(twipsPerPixel) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  Control(Control&&) = delete;
  Control& operator=(Control&&) = delete;
  virtual ~Control() = default;

  double Left;
  double Top;
  bool Visible = true;

  virtual double Width() const { return designWidth_; }
  virtual double Height() const { return designHeight_; }

  // A control with a window of its own is drawn after (in front of) every windowless one.
  virtual bool hasOwnWindow() const { return false; }
  virtual void draw(QPainter& painter) const = 0;

  // The control's rectangle in client pixels; each edge is rounded on its own so neighbours
  // meet without gaps.
  QRect pixelRect() const;
  int toPixels(double twips) const;
  double twipsPerPixel() const { return twipsPerPixel_; }

 private:
  double designWidth_;
  double designHeight_;
  double twipsPerPixel_;
};

enum class BackStyle { kTransparent, kOpaque };

// One line of text, its character cell's top at the label's top edge, centred across the label
// and cut off at its edges.
class Label final : public Control {
 public:
  Label(const ControlPlace& place, double twipsPerPixel, FontSpec font, Colour foreColor,
        Colour backColor, BackStyle backStyle)
      : Control(place, twipsPerPixel),
        Font(std::move(font)),
        ForeColor(foreColor),
        BackColor(backColor),
        Style(backStyle) {}

  QString Caption;
  const FontSpec Font;
  const Colour ForeColor;
  const Colour BackColor;
  const BackStyle Style;

  void draw(QPainter& painter) const override;
};

// Shows its picture pixel for pixel and takes on the picture's size; with no picture it draws
// nothing.
class PictureFrame final : public Control {
 public:
  using Control::Control;

  void setPicture(Picture picture) { picture_ = std::move(picture); }
  const std::optional<Picture>& picture() const { return picture_; }
  bool hasPicture() const { return picture_.has_value(); }

  double Width() const override;
  double Height() const override;
  void draw(QPainter& painter) const override;

 private:
  std::optional<Picture> picture_;
};

// A filled circle inscribed in its square, with a one-pixel outline inside the square.
class Dot final : public Control {
 public:
  Dot(const ControlPlace& place, double twipsPerPixel, Colour fillColor, Colour borderColor)
      : Control(place, twipsPerPixel), FillColor(fillColor), BorderColor(borderColor) {}

  const Colour FillColor;
  const Colour BorderColor;

  void draw(QPainter& painter) const override;
};

// A plain square in its background colour that holds the keyboard focus.
class FocusBox final : public Control {
 public:
  FocusBox(const ControlPlace& place, double twipsPerPixel, Colour backColor)
      : Control(place, twipsPerPixel), BackColor(backColor) {}

  const Colour BackColor;

  bool hasOwnWindow() const override { return true; }
  void draw(QPainter& painter) const override;
};

}  // namespace flurb::platform
