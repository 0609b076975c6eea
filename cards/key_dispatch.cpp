#include "key_dispatch.h"

#include "letter_card.h"
#include "number_card.h"

namespace flurb::cards {

void onKeyDown(CardWindow& window, const platform::ResourceStore& pictures,
               const std::int16_t& keyCode, const std::int16_t& /*shift*/) {
  constexpr std::int16_t kKeyA = 65;
  constexpr std::int16_t kKeyZ = 90;
  constexpr std::int16_t kKey0 = 48;
  constexpr std::int16_t kKey9 = 57;
  if (keyCode >= kKeyA && keyCode <= kKeyZ) {
    showLetterCard(window, pictures, keyCode);
  } else if (keyCode >= kKey0 && keyCode <= kKey9) {
    showNumberCard(window, keyCode);
  }
}

}  // namespace flurb::cards
