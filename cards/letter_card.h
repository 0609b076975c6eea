#pragma once

#include <cstdint>
#include <string>

#include "cards/card_window.h"
#include "platform/resource_store.h"

namespace flurb::cards {

// The picture frame's top on a letter card, below the letter pair.
inline constexpr double kLetterCardPictureTop = 3120;

// The character with that code followed by the same character in small type: 65 gives "Aa".
std::u16string letterPair(std::int16_t code);

// Loads the picture named by the small letter of a letter code 65..90 into the frame, which
// takes on the picture's size.
void loadLetterPicture(CardWindow& window, const platform::ResourceStore& pictures,
                       std::int16_t letterCode);

// Centres the frame across the window by the window's outer width, at whatever width the frame
// has now.
void centrePictureFrame(CardWindow& window);

// The letter pair above its picture, for a letter code 65..90. The dots are left alone: the
// picture covers them.
void showLetterCard(CardWindow& window, const platform::ResourceStore& pictures,
                    std::int16_t letterCode);

}  // namespace flurb::cards
