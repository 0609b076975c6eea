#include "letter_card.h"

#include "platform/conversions.h"

namespace flurb::cards {

std::u16string letterPair(std::int16_t code) {
  const std::u16string letter = platform::characterForCode(code);
  return letter + platform::lowerCase(letter);
}

void loadLetterPicture(CardWindow& window, const platform::ResourceStore& pictures,
                       std::int16_t letterCode) {
  const std::u16string name = platform::lowerCase(platform::characterForCode(letterCode));
  window.pictureFrame.setPicture(
      platform::loadResPicture(pictures, name, platform::kBitmapResource));
}

void centrePictureFrame(CardWindow& window) {
  window.pictureFrame.left = (window.width() - window.pictureFrame.width()) / 2;
}

void showLetterCard(CardWindow& window, const platform::ResourceStore& pictures,
                    std::int16_t letterCode) {
  window.digitLabel.caption.clear();
  window.letterLabel.caption = letterPair(letterCode);
  window.pictureFrame.top = kLetterCardPictureTop;
  loadLetterPicture(window, pictures, letterCode);
  centrePictureFrame(window);
}

}  // namespace flurb::cards
