#include "number_card.h"

#include "platform/conversions.h"

namespace flurb::cards {

void hideDots(CardWindow& window) {
  for (platform::Dot& dot : window.dots) {
    dot.visible = false;
  }
}

void showNumberCard(CardWindow& window, std::int16_t keyCode) {
  constexpr std::int16_t kDigitZero = 48;
  window.letterLabel.caption.clear();
  window.digitLabel.caption = platform::characterForCode(keyCode);
  window.pictureFrame.top = kNumberCardPictureTop;
  hideDots(window);
  const int count = keyCode - kDigitZero;
  for (int index = 0; index < count; ++index) {
    window.dots.at(static_cast<std::size_t>(index)).visible = true;
  }
}

}  // namespace flurb::cards
