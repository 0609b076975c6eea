#pragma once

#include <cstdint>

#include <QString>

#include "app/flurb_window.h"
#include "platform/picture.h"

namespace flurb::cards {

// The picture frame's top on a letter card, below the letter pair.
inline constexpr double kLetterCardImageTop = 3120;

// The character with that code followed by the same character in small type: 65 gives "Aa".
QString letterPair(std::int16_t code);

// Loads the picture named by the small letter of a letter code 65..90 into the frame, which
// takes on the picture's size.
void loadLetterPicture(Flurb& form, const platform::ResourceStore& pictures,
                       std::int16_t letterCode);

// Centres the frame across the window by the window's outer width, at whatever width the frame
// has now.
void centreImage(Flurb& form);

// The letter pair above its picture, for a letter code 65..90. The dots are left alone: the
// picture covers them.
void showLetterCard(Flurb& form, const platform::ResourceStore& pictures, std::int16_t letterCode);

}  // namespace flurb::cards
