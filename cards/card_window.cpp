#include "card_window.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace flurb::cards {
namespace {

template <std::size_t... Index>
std::array<platform::Dot, description::kDotCount> makeDots(
    const platform::PixelScale& scale, std::index_sequence<Index...> /*indices*/) {
  return {platform::Dot(description::kDotPlaces.at(Index), scale, description::kDotFill,
                        description::kDotBorder)...};
}

}  // namespace

CardWindow::CardWindow(double devicePixelRatio)
    : platform::Window(description::kWindow, devicePixelRatio),
      focusBox(description::kFocusBoxPlace, scale(), description::kFocusBoxBack),
      pictureFrame(description::kPictureFramePlace, scale()),
      dots(makeDots(scale(), std::make_index_sequence<description::kDotCount>())),
      digitLabel(description::kDigitLabelPlace, scale(), description::digitLabelLook()),
      letterLabel(description::kLetterLabelPlace, scale(), description::letterLabelLook()) {
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
