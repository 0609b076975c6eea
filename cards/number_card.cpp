#include "number_card.h"

#include "platform/conversions.h"

namespace flurb::cards {

void HideDots(Flurb& form) {
  for (platform::Dot& dot : form.Shape1) {
    dot.Visible = false;
  }
}

void showNumberCard(Flurb& form, std::int16_t keyCode) {
  constexpr std::int16_t kDigitZero = 48;
  form.Label1.Caption.clear();
  form.Label2.Caption = platform::characterForCode(keyCode);
  form.Image1.Top = kNumberCardImageTop;
  HideDots(form);
  const int count = keyCode - kDigitZero;
  for (int index = 0; index < count; ++index) {
    form.Shape1.at(static_cast<std::size_t>(index)).Visible = true;
  }
}

}  // namespace flurb::cards
