#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QImage>

#include "cards/card_window.h"
#include "platform/resource_store.h"
#include "platform/window.h"

namespace flurb::e2e {

// What the window went through: the letter card it opened with, then the key codes it was given.
struct CardHistory {
  std::int16_t startLetter = 'A';
  std::vector<std::int16_t> keyCodes;
};

// The frame's sides decide where a letter's picture stands. Windows draws side borders of three
// pixels around a tool window at 96 dots per inch (and Wine under the Windows program's
// end-to-end tests): with these the pictures of "I" and "J" leave a strip two pixels wide of the
// outer columns of dots in sight. openbox draws one pixel at any resolution.
inline constexpr platform::FrameExtents kWindowsFrame{3, 3, 19, 3};
inline constexpr platform::FrameExtents kOpenboxFrameAt192Dpi{1, 1, 32, 1};

// A committed card, drawn once by the model at that ratio inside that frame and looked at.
struct ReferenceCard {
  std::string name;  // the PNG's path in the reference folder without ".png"
  CardHistory history;
  double devicePixelRatio = 1;
  platform::FrameExtents frame = kWindowsFrame;
};

// At 96 dots per inch each letter as a start card, each digit, and "5" then "I"; at 192 (in
// "192-dpi/") a letter, a digit, and "5" then "I".
std::vector<ReferenceCard> referenceCards();

// The card the real window must show after that history, by the program's own model, at the
// screen's device pixel ratio with the frame the desktop reported.
class ExpectedCard {
 public:
  ExpectedCard(const CardHistory& history, double devicePixelRatio,
               const platform::FrameExtents& frame, const platform::ResourceStore& pictures);

  // The client area as the model draws it, with the renderings `pictures` keeps.
  QImage image(const platform::ResourceStore& pictures) const;

  // The reference card ("B", "7", "192-dpi/5-then-I") that shows exactly this card, or nothing:
  // one at the same ratio, in a frame of the same sides where a picture shows, with the same
  // captions and the same dots in sight (a letter's picture hides all but strips of some dots
  // beside the narrower pictures of "I" and "J").
  std::optional<std::string> referenceName() const;

  // Where a toolkit that rasterises text and circles in its own way may differ from the drawn
  // card: near an edge of the text or of a dot, never inside the picture (true where tolerated).
  std::vector<bool> softEdges(const QImage& drawn) const;

 private:
  // For each dot, whether any of it shows.
  std::vector<bool> dotsInSight() const;

  cards::CardWindow window_;
};

}  // namespace flurb::e2e
