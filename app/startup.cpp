#include "startup.h"

#include <algorithm>

#include "cards/letter_card.h"
#include "platform/conversions.h"

namespace flurb::app {

std::int32_t centredPosition(double screenSize, double windowSize, double workAreaStart) {
  return std::max(platform::roundToInt32(screenSize - windowSize) / 2,
                  platform::roundToInt32(workAreaStart));
}

void onLoad(cards::CardWindow& window, const platform::ScreenArea& screen,
            platform::RandomSource& random, const platform::ResourceStore& pictures) {
  window.left = screen.left +
                centredPosition(screen.width, window.width(), screen.workAreaLeft - screen.left);
  window.top =
      screen.top + centredPosition(screen.height, window.height(), screen.workAreaTop - screen.top);

  // Draw codes 1..101 until one is a letter; about one draw in four is.
  constexpr float kSpread = 100.0F;
  constexpr std::int16_t kFirstLetter = 65;
  constexpr std::int16_t kLastLetter = 90;
  while (!window.pictureFrame.hasPicture()) {
    random.reseedFromClock();
    const std::int16_t code = platform::roundToInt16(random.draw() * kSpread + 1.0F);
    window.letterLabel.caption = cards::letterPair(code);
    window.pictureFrame.top = cards::kLetterCardPictureTop;
    if (code >= kFirstLetter && code <= kLastLetter) {
      cards::loadLetterPicture(window, pictures, code);
    }
    cards::centrePictureFrame(window);
  }
}

}  // namespace flurb::app
