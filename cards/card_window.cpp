#include "card_window.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace flurb::cards {
namespace {

template <std::size_t... Index>
std::array<platform::Dot, description::kDotCount> makeDots(
    double twipsPerPixel, std::index_sequence<Index...> /*indices*/) {
  return {platform::Dot(description::kDotPlaces.at(Index), twipsPerPixel, description::kDotFill,
                        description::kDotBorder)...};
}

}  // namespace

CardWindow::CardWindow(double twipsPerPixel)
    : platform::Window(description::kWindow, twipsPerPixel),
      focusBox(description::kFocusBoxPlace, twipsPerPixel, description::kFocusBoxBack),
      pictureFrame(description::kPictureFramePlace, twipsPerPixel),
      dots(makeDots(twipsPerPixel, std::make_index_sequence<description::kDotCount>())),
      digitLabel(description::kDigitLabelPlace, twipsPerPixel, description::digitLabelLook()),
      letterLabel(description::kLetterLabelPlace, twipsPerPixel, description::letterLabelLook()) {
  for (platform::Dot& dot : dots) {
    dot.visible = false;
  }
}

std::vector<const platform::Control*> CardWindow::controlsFrontToBack() const {
  std::vector<const platform::Control*> order{&focusBox, &pictureFrame};
  // Among the dots the higher index lies in front.
  std::transform(dots.rbegin(), dots.rend(), std::back_inserter(order),
                 [](const platform::Dot& dot) { return &dot; });
  order.push_back(&digitLabel);
  order.push_back(&letterLabel);
  return order;
}

}  // namespace flurb::cards
