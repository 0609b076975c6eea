#pragma once

// The card window as it stands when the program starts. Every place and size is in twips
// (15 to a pixel at 96 dots per inch); the pixels are given beside them.
//
// Readers who know the original forms program will find its controls under these names:
//
//   original name     role               here
//   Flurb             the window         CardWindow
//   Picture1          focus box          CardWindow::focusBox
//   Image1            picture frame      CardWindow::pictureFrame
//   Shape1(0..8)      dots               CardWindow::dots
//   Label2            digit label        CardWindow::digitLabel
//   Label1            letter label       CardWindow::letterLabel
//   Form_Load         load handler       app::onLoad
//   Picture1_KeyDown  key-down handler   cards::onKeyDown
//   HideDots          hides every dot    cards::hideDots

#include <array>

#include "platform/colour.h"
#include "platform/controls.h"
#include "platform/window.h"

namespace flurb::cards::description {

using platform::BackStyle;
using platform::Colour;
using platform::ControlPlace;
using platform::LabelLook;

inline constexpr Colour kBlue = platform::fixedColour(0, 0, 255);

inline const platform::WindowDescription kWindow{
    .caption = u"Quimo's Flurb Cards",
    .clientWidth = 7305,   // 487 px
    .clientHeight = 7695,  // 513 px
    .backColor = platform::kHighlightTextColour,
};

// Front to back:                           Left    Top  Width  Height    pixels
inline constexpr ControlPlace kFocusBoxPlace{6840, 540, 255, 255};        // 456, 36, 17, 17
inline constexpr ControlPlace kPictureFramePlace{150, 3120, 7095, 4455};  // 10, 208, 473, 297
// then dots 8 .. 0, see kDotPlaces
inline constexpr ControlPlace kDigitLabelPlace{150, 120, 6975, 7470};    // 10, 8, 465, 498
inline constexpr ControlPlace kLetterLabelPlace{150, -480, 6975, 5805};  // 10, -32, 465, 387

inline constexpr double kDotSide = 615;  // 41 px
inline constexpr std::size_t kDotCount = 9;
// Index order is counting order: two to a column, the fifth dot alone in the middle column.
inline constexpr std::array<ControlPlace, kDotCount> kDotPlaces{{
    {630, 5640, kDotSide, kDotSide},   // 0: 42, 376  first column, upper row
    {630, 6600, kDotSide, kDotSide},   // 1: 42, 440  first column, lower row
    {2070, 5640, kDotSide, kDotSide},  // 2: 138, 376 second column, upper row
    {2070, 6600, kDotSide, kDotSide},  // 3: 138, 440 second column, lower row
    {3390, 6120, kDotSide, kDotSide},  // 4: 226, 408 third column, between the rows
    {4830, 5640, kDotSide, kDotSide},  // 5: 322, 376 fourth column, upper row
    {4830, 6600, kDotSide, kDotSide},  // 6: 322, 440 fourth column, lower row
    {6150, 5640, kDotSide, kDotSide},  // 7: 410, 376 fifth column, upper row
    {6150, 6600, kDotSide, kDotSide},  // 8: 410, 440 fifth column, lower row
}};
inline constexpr Colour kDotFill = kBlue;
inline constexpr Colour kDotBorder = platform::kWindowTextColour;

inline constexpr Colour kFocusBoxBack = platform::kHighlightTextColour;

// The letter pair, its line's top 480 twips above the client area and cut off there.
inline LabelLook letterLabelLook() {
  return {{u"Palladius", 144, 400, false, false, false},
          platform::kButtonTextColour,
          platform::kHighlightTextColour,
          BackStyle::kOpaque};
}

// The digit, transparent so that the letter pair behind it shows through.
inline LabelLook digitLabelLook() {
  return {{u"Arial", 249.75, 400, false, false, false},
          platform::kButtonTextColour,
          platform::kHighlightTextColour,
          BackStyle::kTransparent};
}

// Tab order: letter label 0, focus box 1, digit label 2. Labels never take the focus, so the
// focus box holds it for the life of the window.

}  // namespace flurb::cards::description
