#include "expected_card.h"

#include <algorithm>

#include <QRect>

#include "cards/key_dispatch.h"
#include "cards/letter_card.h"
#include "platform/qt/painter_canvas.h"
#include "platform/qt/render.h"
#include "resources/letter_picture_store.h"

namespace flurb::e2e {
namespace {

using platform::qt::toQRect;

constexpr std::int16_t kNoShift = 0;

// The frame's sides decide where a letter's picture stands (and nothing else inside the client
// area).
bool sameSides(const platform::FrameExtents& a, const platform::FrameExtents& b) {
  return a.left + a.right == b.left + b.right;
}

// Whether a pixel's 3x3 neighbourhood holds another colour than its own.
bool atAnEdge(const QImage& image, int x, int y) {
  const QRgb own = image.pixel(x, y);
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const QPoint neighbour(x + dx, y + dy);
      if (image.rect().contains(neighbour) && image.pixel(neighbour) != own) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

std::vector<ReferenceCard> referenceCards() {
  std::vector<ReferenceCard> references;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    references.push_back({std::string(1, letter), {letter, {}}});
  }
  for (char digit = '0'; digit <= '9'; ++digit) {
    references.push_back({std::string(1, digit), {'A', {digit}}});
  }
  references.push_back({"5-then-I", {'A', {'5', 'I'}}});
  return references;
}

ExpectedCard::ExpectedCard(const CardHistory& history, double twipsPerPixel,
                           const platform::FrameExtents& frame,
                           const platform::ResourceStore& pictures)
    : window_(twipsPerPixel) {
  window_.setFrameExtents(frame);
  // Start-up ends on exactly the state a letter card leaves in a fresh window.
  cards::showLetterCard(window_, pictures, history.startLetter);
  for (const std::int16_t keyCode : history.keyCodes) {
    cards::onKeyDown(window_, pictures, keyCode, kNoShift);
  }
}

QImage ExpectedCard::image() const {
  return platform::qt::renderWindow(window_);
}

std::vector<bool> ExpectedCard::dotsInSight() const {
  const QRect picture = toQRect(window_.pictureFrame.pixelRect());
  std::vector<bool> inSight;
  for (const platform::Dot& dot : window_.dots) {
    inSight.push_back(dot.visible && !picture.contains(toQRect(dot.pixelRect())));
  }
  return inSight;
}

std::optional<std::string> ExpectedCard::referenceName() const {
  const platform::PixelSize client = window_.clientPixels();
  const bool pictureInSight = toQRect(window_.pictureFrame.pixelRect())
                                  .intersects(QRect(0, 0, client.width, client.height));
  if (window_.twipsPerPixel() != kReferenceTwipsPerPixel ||
      (pictureInSight && !sameSides(window_.frameExtents(), kReferenceFrame))) {
    return std::nullopt;
  }
  const resources::LetterPictureStore pictures;
  for (const auto& [name, history] : referenceCards()) {
    const ExpectedCard reference(history, kReferenceTwipsPerPixel, kReferenceFrame, pictures);
    const auto& shown = reference.window_;
    if (shown.letterLabel.caption == window_.letterLabel.caption &&
        shown.digitLabel.caption == window_.digitLabel.caption &&
        reference.dotsInSight() == dotsInSight()) {
      return name;
    }
  }
  return std::nullopt;
}

std::vector<bool> ExpectedCard::softTextEdges(const QImage& drawn) const {
  std::vector<bool> tolerated(static_cast<std::size_t>(drawn.width() * drawn.height()));
  QRect text;
  for (const platform::Label* label : {&window_.letterLabel, &window_.digitLabel}) {
    if (!label->caption.empty()) {
      text |= toQRect(label->pixelRect());
    }
  }
  std::vector<QRect> covering{toQRect(window_.pictureFrame.pixelRect())};
  for (const platform::Dot& dot : window_.dots) {
    if (dot.visible) {
      covering.push_back(toQRect(dot.pixelRect()));
    }
  }
  text &= drawn.rect();
  for (int y = text.top(); y <= text.bottom(); ++y) {
    for (int x = text.left(); x <= text.right(); ++x) {
      const bool covered =
          std::ranges::any_of(covering, [&](const QRect& area) { return area.contains(x, y); });
      tolerated[static_cast<std::size_t>(y * drawn.width() + x)] =
          !covered && atAnEdge(drawn, x, y);
    }
  }
  return tolerated;
}

}  // namespace flurb::e2e
