#include "page.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <utility>

#include "platform/drawing.h"
#include "platform/runtime_error.h"
#include "platform/web/canvas_2d.h"
#include "platform/web/key_codes.h"

// clang-format off
EM_JS(void, js_show_sentence, (const char* sentence), {
  document.getElementById("card").hidden = true;
  const message = document.getElementById("message");
  message.textContent = UTF8ToString(sentence);
  message.hidden = false;
});

// Tells the page (and whoever waits on it) that a card stands.
EM_JS(void, js_mark_card_shown, (), {
  document.body.dataset.card = "shown";
  performance.mark("first-card");
});
// clang-format on

namespace flurb::platform::web {
namespace {

struct Page {
  Window& window;
  const SystemColours& colours;
  const ResourceStore& pictures;
  PageHandlers handlers;
};

void paint(const Page& page) {
  Canvas2d canvas;
  paintWindow(canvas, page.window, page.colours, page.pictures);
}

// The card at the page's device pixel ratio: zooming, or moving the browser's window to a screen of
// another scale, changes it and comes as a resize. The window keeps its logical size.
void fitAndPaint(const Page& page) {
  page.window.setDevicePixelRatio(emscripten_get_device_pixel_ratio());
  fitCanvas(page.window.clientSize(), page.window.clientPixels());
  paint(page);
}

EM_BOOL onResize(int /*eventType*/, const EmscriptenUiEvent* /*event*/, void* userData) {
  fitAndPaint(*static_cast<const Page*>(userData));
  return EM_FALSE;
}

std::int16_t shiftState(const EmscriptenKeyboardEvent& event) {
  return static_cast<std::int16_t>((event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) |
                                   (event.altKey ? 4 : 0));
}

EM_BOOL onKeyDown(int /*eventType*/, const EmscriptenKeyboardEvent* event, void* userData) {
  const Page& page = *static_cast<const Page*>(userData);
  const auto keyCode =
      virtualKeyCode(static_cast<const char*>(event->key), static_cast<const char*>(event->code));
  if (keyCode) {
    const std::int16_t shift = shiftState(*event);
    if (runHandler([&] { page.handlers.onKeyDown(*keyCode, shift); }, showErrorSentence)) {
      paint(page);
    }
  }
  // Without Ctrl, Alt or Meta a key means nothing else in the page (no find-as-you-type, no
  // scrolling); with them the browser keeps its shortcuts, closing the tab among them.
  const bool browserShortcut = event->ctrlKey || event->altKey || event->metaKey;
  return browserShortcut ? EM_FALSE : EM_TRUE;
}

}  // namespace

void showErrorSentence(const std::string& sentence) {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
  js_show_sentence(sentence.c_str());
}

void runPage(Window& window, const SystemColours& colours, const ResourceStore& pictures,
             PageHandlers handlers) {
  // The page's one run: its events find it through their user data.
  static Page page{window, colours, pictures, std::move(handlers)};
  if (!runHandler(page.handlers.onLoad, showErrorSentence)) {
    return;
  }
  fitAndPaint(page);
  js_mark_card_shown();
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, &page, EM_FALSE, onKeyDown);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, &page, EM_FALSE, onResize);
}

}  // namespace flurb::platform::web
