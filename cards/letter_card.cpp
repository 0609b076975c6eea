#include "letter_card.h"

#include "platform/conversions.h"

namespace flurb::cards {

QString letterPair(std::int16_t code) {
  const QString letter = platform::characterForCode(code);
  return letter + platform::lowerCase(letter);
}

void loadLetterPicture(Flurb& form, const platform::ResourceStore& pictures,
                       std::int16_t letterCode) {
  const QString name = platform::lowerCase(platform::characterForCode(letterCode));
  form.Image1.setPicture(platform::LoadResPicture(pictures, name, platform::kBitmapResource));
}

void centreImage(Flurb& form) {
  form.Image1.Left = (form.Width() - form.Image1.Width()) / 2;
}

void showLetterCard(Flurb& form, const platform::ResourceStore& pictures, std::int16_t letterCode) {
  form.Label2.Caption.clear();
  form.Label1.Caption = letterPair(letterCode);
  form.Image1.Top = kLetterCardImageTop;
  loadLetterPicture(form, pictures, letterCode);
  centreImage(form);
}

}  // namespace flurb::cards
