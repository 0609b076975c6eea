#include "expected_card.h"

#include "cards/card_window.h"
#include "cards/key_dispatch.h"
#include "cards/letter_card.h"
#include "platform/qt/render.h"

namespace flurb::e2e {
namespace {

constexpr std::int16_t kNoShift = 0;

}  // namespace

QImage expectedClientArea(const CardHistory& history, double devicePixelRatio,
                          const platform::FrameExtents& frame,
                          const platform::ResourceStore& pictures) {
  cards::CardWindow window(devicePixelRatio);
  window.setFrameExtents(frame);
  // Start-up ends on exactly the state a letter card leaves in a fresh window.
  cards::showLetterCard(window, pictures, history.startLetter);
  for (const std::int16_t keyCode : history.keyCodes) {
    cards::onKeyDown(window, pictures, keyCode, kNoShift);
  }
  return platform::qt::renderWindow(window);
}

}  // namespace flurb::e2e
