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

// What the handlers use; the page lives on after main returns, and all of this with it.
struct Program {
  flurb::platform::web::SitePictures pictures;
  flurb::platform::ClassicColours colours;
  flurb::platform::ClockSeededRandom random;
  flurb::cards::CardWindow window;
};

}  // namespace

int main() {
  namespace web = flurb::platform::web;
  flurb::platform::setProductName(flurb::app::kProductName);
  static Program program;
  // The page is the window: centred "on a screen" of its own size, it stays where it is.
  const flurb::platform::ScreenArea screen{0, 0, program.window.width(), program.window.height()};

  web::runPage(program.window, program.colours, program.pictures,
               {.onLoad =
                    [screen] {
                      flurb::app::onLoad(program.window, screen, program.random, program.pictures);
                    },
                .onKeyDown =
                    [](const std::int16_t& keyCode, const std::int16_t& shift) {
                      flurb::cards::onKeyDown(program.window, program.pictures, keyCode, shift);
                    }});
  return 0;
}
