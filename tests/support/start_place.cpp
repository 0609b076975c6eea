#include "support/start_place.h"

#include "app/startup.h"
#include "cards/card_window.h"
#include "platform/random_source.h"
#include "platform/twips.h"

namespace flurb::testing {
namespace {

// Draws the one value that start-up turns into the given letter code.
class FixedDraw final : public platform::RandomSource {
 public:
  explicit FixedDraw(std::int16_t code) : code_(code) {}
  void reseedFromClock() override {}
  float draw() override {
    constexpr float kSpread = 100.0F;
    return static_cast<float>(code_ - 1) / kSpread;
  }

 private:
  std::int16_t code_;
};

}  // namespace

StartPlace startPlace(std::int16_t startLetter, double devicePixelRatio,
                      const platform::FrameExtents& frame, const platform::PixelRect& primaryScreen,
                      const platform::ResourceStore& pictures, Placement placement) {
  cards::CardWindow window(devicePixelRatio);
  window.setFrameExtents(frame);
  const double perPixel = window.twipsPerPixel();
  const bool logical = placement == Placement::kThroughLogicalPixels;
  // Qt keeps a screen's corner where it stands in device pixels and scales from there.
  const double cornerTwips = logical ? platform::kTwipsPerLogicalPixel : perPixel;
  // The test desktops have no panel: the work area is the whole screen.
  const platform::ScreenArea screen{.left = primaryScreen.left * cornerTwips,
                                    .top = primaryScreen.top * cornerTwips,
                                    .width = primaryScreen.width * perPixel,
                                    .height = primaryScreen.height * perPixel,
                                    .workAreaLeft = primaryScreen.left * cornerTwips,
                                    .workAreaTop = primaryScreen.top * cornerTwips};
  FixedDraw random(startLetter);
  app::onLoad(window, screen, random, pictures);
  const auto outerPixel = [&](double twips, int frameSide, int screenCorner) {
    if (!logical) {
      return platform::twipsToPixels(twips, perPixel);
    }
    const int logicalClient =
        platform::twipsToPixels(twips + frameSide * perPixel, platform::kTwipsPerLogicalPixel);
    return screenCorner +
           platform::twipsToPixels((logicalClient - screenCorner) * platform::kTwipsPerLogicalPixel,
                                   perPixel) -
           frameSide;
  };
  return {window.clientPixels(), outerPixel(window.left, frame.left, primaryScreen.left),
          outerPixel(window.top, frame.top, primaryScreen.top), window.pictureFrame.pixelRect()};
}

std::string describe(const StartPlace& place) {
  const platform::PixelRect& picture = place.pictureFrame;
  return "client " + std::to_string(place.client.width) + " " +
         std::to_string(place.client.height) + "\nouter " + std::to_string(place.outerLeft) + " " +
         std::to_string(place.outerTop) + "\npicture " + std::to_string(picture.left) + " " +
         std::to_string(picture.top) + " " + std::to_string(picture.width) + " " +
         std::to_string(picture.height) + "\n";
}

}  // namespace flurb::testing
