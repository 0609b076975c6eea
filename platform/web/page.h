#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/colour.h"
#include "platform/resource_store.h"
#include "platform/window.h"

namespace flurb::platform::web {

struct PageHandlers {
  std::function<void()> onLoad;
  std::function<void(const std::int16_t& keyCode, const std::int16_t& shift)> onKeyDown;
};

// Runs the window in the page, which is its client area and has no frame: the load handler, the
// first card on the canvas, then every keydown of the page until the page closes. The window,
// the colours, the pictures' store and the handlers' objects must live as long as the page.
void runPage(Window& window, const SystemColours& colours, const ResourceStore& pictures,
             PageHandlers handlers);

// The run-time error's one sentence, shown in the page in place of the card; keys do nothing
// more.
void showErrorSentence(const std::string& sentence);

}  // namespace flurb::platform::web
