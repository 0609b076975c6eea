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

// How far from an edge of the text or of a dot another toolkit's drawing may differ: GDI under
// Wine places the glyphs of the letter pair up to two pixels from where Qt does, and rounds a dot
// that is not a whole number of pixels across its own way.
constexpr int kSoftness = 2;

// A pixel's place in a row-by-row array of the image's pixels.
std::size_t indexOf(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

// Where the image changes colour between a pixel and its right or lower neighbour, both marked.
std::vector<std::uint8_t> edges(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const int width = rgb.width();
  std::vector<std::uint8_t> marked(indexOf(0, rgb.height(), width));
  const auto at = [&](int x, int y) { return indexOf(x, y, width); };
  for (int y = 0; y < rgb.height(); ++y) {
    for (int x = 0; x < width; ++x) {
      const QRgb own = rgb.pixel(x, y);
      for (const QPoint next : {QPoint(x + 1, y), QPoint(x, y + 1)}) {
        if (rgb.rect().contains(next) && rgb.pixel(next) != own) {
          marked[at(x, y)] = 1;
          marked[at(next.x(), next.y())] = 1;
        }
      }
    }
  }
  return marked;
}

// Every pixel within the distance of a marked one, as a square around it.
std::vector<std::uint8_t> widened(const std::vector<std::uint8_t>& marked, int width, int height,
                                  int distance) {
  const auto at = [&](int x, int y) { return indexOf(x, y, width); };
  std::vector<std::uint8_t> across(marked.size());
  std::vector<std::uint8_t> result(marked.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int dx = std::max(0, x - distance); dx <= std::min(width - 1, x + distance); ++dx) {
        across[at(x, y)] |= marked[at(dx, y)];
      }
    }
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int dy = std::max(0, y - distance); dy <= std::min(height - 1, y + distance); ++dy) {
        result[at(x, y)] |= across[at(x, dy)];
      }
    }
  }
  return result;
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
  for (const ReferenceCard& twice :
       {ReferenceCard{"K", {'K', {}}}, ReferenceCard{"7", {'A', {'7'}}},
        ReferenceCard{"5-then-I", {'A', {'5', 'I'}}}}) {
    references.push_back({"192-dpi/" + twice.name, twice.history, 2, kOpenboxFrameAt192Dpi});
  }
  return references;
}

ExpectedCard::ExpectedCard(const CardHistory& history, double devicePixelRatio,
                           const platform::FrameExtents& frame,
                           const platform::ResourceStore& pictures)
    : window_(devicePixelRatio) {
  window_.setFrameExtents(frame);
  // Start-up ends on exactly the state a letter card leaves in a fresh window.
  cards::showLetterCard(window_, pictures, history.startLetter);
  for (const std::int16_t keyCode : history.keyCodes) {
    cards::onKeyDown(window_, pictures, keyCode, kNoShift);
  }
}

QImage ExpectedCard::image(const platform::ResourceStore& pictures) const {
  return platform::qt::renderWindow(window_, pictures);
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
  const resources::LetterPictureStore pictures;
  for (const ReferenceCard& card : referenceCards()) {
    if (card.devicePixelRatio != window_.devicePixelRatio() ||
        (pictureInSight && !sameSides(window_.frameExtents(), card.frame))) {
      continue;
    }
    const ExpectedCard reference(card.history, card.devicePixelRatio, card.frame, pictures);
    const auto& shown = reference.window_;
    if (shown.letterLabel.caption == window_.letterLabel.caption &&
        shown.digitLabel.caption == window_.digitLabel.caption &&
        reference.dotsInSight() == dotsInSight()) {
      return card.name;
    }
  }
  return std::nullopt;
}

std::vector<bool> ExpectedCard::softEdges(const QImage& drawn) const {
  const std::vector<std::uint8_t> nearAnEdge =
      widened(edges(drawn), drawn.width(), drawn.height(), kSoftness);
  const QRect picture = toQRect(window_.pictureFrame.pixelRect());
  std::vector<bool> tolerated(nearAnEdge.size());
  for (int y = 0; y < drawn.height(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) {
      const std::size_t index = indexOf(x, y, drawn.width());
      tolerated[index] = nearAnEdge[index] != 0 && !picture.contains(x, y);
    }
  }
  return tolerated;
}

}  // namespace flurb::e2e
