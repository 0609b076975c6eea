#pragma once

namespace flurb::platform {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kTwipsPerPoint = 20.0;
// Positions and sizes count logical pixels of 96 to the inch, as the desktop does wherever it
// scales; the device draws each logical pixel with its device pixel ratio's worth of pixels.
inline constexpr double kTwipsPerLogicalPixel = 15.0;

// Twips per pixel at a resolution in dots per inch: 15 at 96, 7.5 at 192.
constexpr double twipsPerPixel(double dotsPerInch) {
  return kTwipsPerInch / dotsPerInch;
}

// Positions stay in twips until drawing; this is the one place they become pixels. Halves go up
// (towards +infinity) everywhere, so a control's edges move together, whatever their sign.
int twipsToPixels(double twips, double twipsPerPixel);

// How logical pixels meet the device's: the window's own, shared by its controls, and changed
// when the window moves to a screen of another scale.
class PixelScale {
 public:
  explicit PixelScale(double devicePixelRatio) : devicePixelRatio_(devicePixelRatio) {}

  double devicePixelRatio() const { return devicePixelRatio_; }
  void setDevicePixelRatio(double ratio) { devicePixelRatio_ = ratio; }
  // Twips per device pixel: 15 at a ratio of 1, 7.5 at 2.
  double twipsPerPixel() const { return kTwipsPerLogicalPixel / devicePixelRatio_; }

 private:
  double devicePixelRatio_;
};

}  // namespace flurb::platform
