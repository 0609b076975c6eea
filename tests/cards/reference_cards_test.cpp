#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "e2e/expected_card.h"
#include "e2e/image_difference.h"
#include "resources/letter_picture_store.h"

namespace flurb::e2e {
namespace {

ExpectedCard referenceSized(const CardHistory& history, const platform::ResourceStore& pictures) {
  return {history, kReferenceDevicePixelRatio, kReferenceFrame, pictures};
}

// The model draws every committed reference card as it was when the card was made and looked
// at: a change to the drawing, a font or a picture shows here.
TEST(ReferenceCards, TheModelDrawsEachCommittedCard) {
  const resources::LetterPictureStore pictures;
  for (const auto& [name, history] : referenceCards()) {
    const QString path =
        QStringLiteral(FLURB_REFERENCE_CARDS_DIR "/%1.png").arg(QString::fromStdString(name));
    const QImage reference(path);
    ASSERT_FALSE(reference.isNull()) << "cannot read " << path.toStdString();
    const ImageDifference difference =
        compareImages(reference, referenceSized(history, pictures).image(pictures));
    EXPECT_EQ(difference.differingPixels, 0)
        << "card " << name << ": the first differing pixel is at " << difference.firstDifference.x()
        << "," << difference.firstDifference.y();
  }
}

// Which reference shows the card a history ends on: every number card and every letter card
// but "I" and "J" beside leftover dots of the outer columns.
TEST(ReferenceCards, AHistoryEndsOnTheReferenceThatShowsItsCard) {
  struct Case {
    CardHistory history;
    const char* reference = "";  // none
  };
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
  };
  const resources::LetterPictureStore pictures;
  for (const Case& c : cases) {
    EXPECT_EQ(referenceSized(c.history, pictures).referenceName().value_or(""), c.reference)
        << "ends on key " << c.history.keyCodes.back();
  }
  const ExpectedCard atTwiceTheDpi(cases[0].history, kReferenceDevicePixelRatio * 2,
                                   kReferenceFrame, pictures);
  EXPECT_FALSE(atTwiceTheDpi.referenceName());
  // openbox's one-pixel border moves a letter's picture, not a digit.
  const ExpectedCard inANarrowerFrame(cases[0].history, kReferenceDevicePixelRatio, {1, 1, 20, 1},
                                      pictures);
  EXPECT_FALSE(inANarrowerFrame.referenceName());
  const ExpectedCard digitInANarrowerFrame(cases[2].history, kReferenceDevicePixelRatio,
                                           {1, 1, 20, 1}, pictures);
  EXPECT_EQ(digitInANarrowerFrame.referenceName().value_or(""), "7");
}

}  // namespace
}  // namespace flurb::e2e
