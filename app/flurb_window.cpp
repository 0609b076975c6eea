#include "flurb_window.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "window_description.h"

namespace flurb {
namespace {

template <std::size_t... Index>
std::array<platform::Dot, kDotCount> makeDots(double twipsPerPixel,
                                              std::index_sequence<Index...> /*indices*/) {
  return {platform::Dot(description::kDotPlaces.at(Index), twipsPerPixel, description::kDotFill,
                        description::kDotBorder)...};
}

platform::Label makeLabel(const description::LabelDescription& label, double twipsPerPixel) {
  return {label.place,     twipsPerPixel,   label.font,
          label.foreColor, label.backColor, label.backStyle};
}

}  // namespace

Flurb::Flurb(double twipsPerPixel)
    : platform::Window(description::kWindow, twipsPerPixel),
      Picture1(description::kPicture1, twipsPerPixel, description::kFocusBoxBack),
      Image1(description::kImage1, twipsPerPixel),
      Shape1(makeDots(twipsPerPixel, std::make_index_sequence<kDotCount>())),
      Label2(makeLabel(description::label2(), twipsPerPixel)),
      Label1(makeLabel(description::label1(), twipsPerPixel)) {
  for (platform::Dot& dot : Shape1) {
    dot.Visible = false;
  }
}

std::vector<const platform::Control*> Flurb::controlsFrontToBack() const {
  std::vector<const platform::Control*> order{&Picture1, &Image1};
  // Among the dots the higher index lies in front.
  std::transform(Shape1.rbegin(), Shape1.rend(), std::back_inserter(order),
                 [](const platform::Dot& dot) { return &dot; });
  order.push_back(&Label2);
  order.push_back(&Label1);
  return order;
}

}  // namespace flurb
