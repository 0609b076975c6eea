#include "form_load.h"

#include "cards/letter_card.h"
#include "platform/conversions.h"

namespace flurb {

std::int32_t centredPosition(double screenSize, double windowSize) {
  return platform::roundToInt32(screenSize - windowSize) / 2;
}

void Form_Load(Flurb& form, const platform::ScreenSize& screen, platform::RandomSource& random,
               const platform::ResourceStore& pictures) {
  form.Left = centredPosition(screen.Width, form.Width());
  form.Top = centredPosition(screen.Height, form.Height());

  // Draw codes 1..101 until one is a letter; about one draw in four is.
  constexpr float kSpread = 100.0F;
  constexpr std::int16_t kFirstLetter = 65;
  constexpr std::int16_t kLastLetter = 90;
  while (!form.Image1.hasPicture()) {
    random.Randomize();
    const std::int16_t code = platform::roundToInt16(random.Rnd() * kSpread + 1.0F);
    form.Label1.Caption = cards::letterPair(code);
    form.Image1.Top = cards::kLetterCardImageTop;
    if (code >= kFirstLetter && code <= kLastLetter) {
      cards::loadLetterPicture(form, pictures, code);
    }
    cards::centreImage(form);
  }
}

}  // namespace flurb
