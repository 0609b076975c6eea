#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/colour.h"
#include "platform/web/site_pictures.h"
#include "platform/window.h"

namespace flurb::platform::web {

struct PageHandlers {
  std::function<void()> onLoad;
  std::function<void(const std::int16_t& keyCode, const std::int16_t& shift)> onKeyDown;
};

// Runs the window in the page, which is its client area and has no frame: the load handler, the
// first card on the canvas once its fonts are in, then every key of the page (from a keyboard, or
// as text from an on-screen one) until the page closes. A handler that asks for a picture still on
// its way runs again once it is in, the keys behind it waiting their turn; the load handler must
// then draw the same card again. The card fits the part of the screen it is shown in, drawn in
// device pixels at the scale it is shown. The window, the colours, the pictures and the handlers'
// objects must live as long as the page.
void runPage(Window& window, const SystemColours& colours, SitePictures& pictures,
             PageHandlers handlers);

// The run-time error's one sentence, shown in the page in place of the card; keys do nothing
// more.
void showErrorSentence(const std::string& sentence);

}  // namespace flurb::platform::web
