#include "key_dispatch.h"

#include "letter_card.h"
#include "number_card.h"

namespace flurb::cards {

void Picture1_KeyDown(Flurb& form, const platform::ResourceStore& pictures,
                      const std::int16_t& KeyCode, const std::int16_t& /*Shift*/) {
  constexpr std::int16_t kKeyA = 65;
  constexpr std::int16_t kKeyZ = 90;
  constexpr std::int16_t kKey0 = 48;
  constexpr std::int16_t kKey9 = 57;
  if (KeyCode >= kKeyA && KeyCode <= kKeyZ) {
    showLetterCard(form, pictures, KeyCode);
  } else if (KeyCode >= kKey0 && KeyCode <= kKey9) {
    showNumberCard(form, KeyCode);
  }
}

}  // namespace flurb::cards
