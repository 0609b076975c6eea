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

StartPlace startPlace(std::int16_t startLetter, double twipsPerPixel,
                      const platform::FrameExtents& frame, const platform::PixelRect& primaryScreen,
                      const platform::ResourceStore& pictures) {
  cards::CardWindow window(twipsPerPixel);
  window.setFrameExtents(frame);
  const platform::ScreenArea screen{.left = primaryScreen.left * twipsPerPixel,
                                    .top = primaryScreen.top * twipsPerPixel,
                                    .width = primaryScreen.width * twipsPerPixel,
                                    .height = primaryScreen.height * twipsPerPixel};
  FixedDraw random(startLetter);
  app::onLoad(window, screen, random, pictures);
  return {window.clientPixels(), platform::twipsToPixels(window.left, twipsPerPixel),
          platform::twipsToPixels(window.top, twipsPerPixel), window.pictureFrame.pixelRect()};
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
