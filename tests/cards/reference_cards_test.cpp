#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "e2e/expected_card.h"
#include "e2e/image_difference.h"
#include "resources/letter_picture_store.h"

namespace flurb::e2e {
namespace {

// The model draws every committed reference card as it was when the card was made and looked
// at: a change to the drawing, a font, a picture or one of its renderings shows here.
TEST(ReferenceCards, TheModelDrawsEachCommittedCard) {
  const resources::LetterPictureStore pictures;
  for (const ReferenceCard& card : referenceCards()) {
    const QString path =
        QStringLiteral(FLURB_REFERENCE_CARDS_DIR "/%1.png").arg(QString::fromStdString(card.name));
    const QImage reference(path);
    ASSERT_FALSE(reference.isNull()) << "cannot read " << path.toStdString();
    const ExpectedCard drawn(card.history, card.devicePixelRatio, card.frame, pictures);
    const ImageDifference difference = compareImages(reference, drawn.image(pictures));
    EXPECT_EQ(difference.differingPixels, 0)
        << "card " << card.name << ": the first differing pixel is at "
        << difference.firstDifference.x() << "," << difference.firstDifference.y();
  }
}

// Which reference shows the card a history ends on: every number card and every letter card
// but "I" and "J" beside leftover dots of the outer columns, at a ratio that has its reference, in
// a frame whose sides put a picture where the reference has it.
TEST(ReferenceCards, AHistoryEndsOnTheReferenceThatShowsItsCard) {
  struct Case {
    CardHistory history;
    const char* reference = "";  // none
    double ratio = 1;
    platform::FrameExtents frame = kWindowsFrame;
  };
  constexpr platform::FrameExtents kOpenboxAt96Dpi{1, 1, 20, 1};
  const Case cases[] = {
      {{'Q', {}}, "Q"},
      {{'A', {'9', 'K'}}, "K"},
      {{'A', {'K', '7'}}, "7"},
      {{'A', {'3', 'I'}}, "5-then-I"},
      {{'A', {'5', 'J'}}, ""},
      {{'A', {'1', 'I'}}, ""},
      {{'A', {'9', 'I'}}, ""},
      {{'A', {'0', 'J'}}, "J"},
      {{'A', {'5', 'I', 32}}, "5-then-I"},
      // openbox's one-pixel border moves a letter's picture, not a digit.
      {{'Q', {}}, "", 1, kOpenboxAt96Dpi},
      {{'A', {'K', '7'}}, "7", 1, kOpenboxAt96Dpi},
      {{'Q', {}}, "", 2, kOpenboxFrameAt192Dpi},
      {{'A', {'9', 'K'}}, "192-dpi/K", 2, kOpenboxFrameAt192Dpi},
      {{'A', {'9', 'K'}}, "", 2, kWindowsFrame},
      {{'A', {'K', '7'}}, "192-dpi/7", 2, kWindowsFrame},
      {{'A', {'3', 'I'}}, "192-dpi/5-then-I", 2, kOpenboxFrameAt192Dpi},
      {{'A', {'9', 'K'}}, "", 3, kOpenboxFrameAt192Dpi},
  };
  const resources::LetterPictureStore pictures;
  for (std::size_t index = 0; index < std::size(cases); ++index) {
    const Case& c = cases[index];
    const ExpectedCard card(c.history, c.ratio, c.frame, pictures);
    EXPECT_EQ(card.referenceName().value_or(""), c.reference) << "case " << index;
  }
}

}  // namespace
}  // namespace flurb::e2e
