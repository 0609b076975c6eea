// The browser program: the card window on a canvas of the page, its pictures from the files of
// the site, which the page fetched before it started the program.
#include "app/product.h"
#include "app/startup.h"
#include "cards/card_window.h"
#include "cards/key_dispatch.h"
#include "platform/colour.h"
#include "platform/product_name.h"
#include "platform/random_source.h"
#include "platform/web/page.h"
#include "platform/web/site_pictures.h"

namespace {

// CSS pixels: the page lays the card out at 96 to the inch and draws it at the device's ratio.
constexpr double kTwipsPerCssPixel = 15;

}  // namespace

int main() {
  namespace web = flurb::platform::web;
  flurb::platform::setProductName(flurb::app::kProductName);
  // The page lives on after main returns, and with it everything the handlers use.
  static const web::SitePictures pictures;
  static const flurb::platform::ClassicColours colours;
  static flurb::platform::ClockSeededRandom random;
  static flurb::cards::CardWindow window(kTwipsPerCssPixel);
  // The page is the window: centred "on a screen" of its own size, it stays where it is.
  const flurb::platform::ScreenArea screen{0, 0, window.width(), window.height()};

  web::runPage(window, colours,
               {.onLoad = [screen] { flurb::app::onLoad(window, screen, random, pictures); },
                .onKeyDown =
                    [](const std::int16_t& keyCode, const std::int16_t& shift) {
                      flurb::cards::onKeyDown(window, pictures, keyCode, shift);
                    }});
  return 0;
}
