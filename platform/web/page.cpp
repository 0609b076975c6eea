#include "page.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <deque>
#include <string_view>
#include <utility>

#include "platform/drawing.h"
#include "platform/runtime_error.h"
#include "platform/web/canvas_2d.h"
#include "platform/web/key_codes.h"

// clang-format off
EM_JS(void, js_show_sentence, (const char* sentence), {
  flurbPage.fail(UTF8ToString(sentence));
});

// Tells the page (and whoever waits on it) that a card stands.
EM_JS(void, js_mark_card_shown, (), {
  flurbPage.showCard();
  performance.mark("first-card");
});

// The device pixels to a logical pixel the card is drawn with: the screen's ratio (times the
// page's zoom), less where the part of the screen the page is shown in (the visual viewport:
// without the on-screen keyboard) is smaller than the card, so that the whole card is seen, drawn
// in whole device pixels.
EM_JS(double, js_card_ratio, (int width, int height), {
  const shown = window.visualViewport ||
                {width: window.innerWidth, height: window.innerHeight, scale: 1};
  const ratio = window.devicePixelRatio * shown.scale;
  return Math.min(ratio, Math.floor(shown.width * ratio) / width,
                  Math.floor(shown.height * ratio) / height);
});

// Calls the program back whenever the card's place, size or ratio may have changed: a new window
// size, the on-screen keyboard coming or going, or a new device pixel ratio (moving to a screen of
// another scale changes it without a resize). Text from an on-screen keyboard comes one character
// at a time, and the field that takes it is emptied each time.
EM_JS(void, js_watch_page, (void* page), {
  Module.refit = function () { _flurb_page_refit(page); };
  window.addEventListener("resize", Module.refit);
  if (window.visualViewport) {
    window.visualViewport.addEventListener("resize", Module.refit);
    window.visualViewport.addEventListener("scroll", Module.refit);
  }
  (function watchRatio() {
    window.matchMedia("(resolution: " + window.devicePixelRatio + "dppx)")
        .addEventListener("change", function () { Module.refit(); watchRatio(); }, {once: true});
  })();
  const field = document.getElementById("keys");
  field.addEventListener("input", function () {
    const text = field.value;
    field.value = "";
    for (const character of text) {
      _flurb_page_text(page, character.codePointAt(0));
    }
  });
});

EM_JS(bool, js_faces_in, (), {
  return Module.facesIn;
});

EM_JS(void, js_when_faces_in, (void* page), {
  Module.whenFacesIn(function () { _flurb_page_resume(page); });
});

EM_JS(void, js_when_picture_in, (const char* name, void* page), {
  Module.whenPictureIn(UTF8ToString(name), function () { _flurb_page_resume(page); });
});

EM_JS(void, js_begin_paint, (), {
  Module.enlarged = false;
});

// For whoever waits on the page: how many keys it was given, and whether a step waits for a file
// (the canvas then shows the card of every key before it, and not yet its own).
EM_JS(void, js_note_steps, (int keys, bool waiting), {
  document.body.dataset.keys = keys;
  document.body.dataset.waiting = waiting ? "yes" : "no";
});

// What the canvas shows now, for whoever waits on it: the ratio and the viewport it was drawn for,
// and whether a picture is still drawn enlarged while its sharper rendering loads.
EM_JS(void, js_end_paint, (), {
  const shown = window.visualViewport || {width: window.innerWidth, height: window.innerHeight};
  document.body.dataset.drawn = window.devicePixelRatio + " " + shown.width + "x" + shown.height +
                                (Module.enlarged ? " enlarged" : "");
});
// clang-format on

namespace flurb::platform::web {
namespace {

// One thing the page does, in the order things happened: the load handler, the first card, each
// key. It answers whether it is done; one that needs a file still on its way has asked to be
// called again once the file is in, and the steps behind it wait.
using Step = std::function<bool()>;

struct Page {
  Window& window;
  const SystemColours& colours;
  SitePictures& pictures;
  PageHandlers handlers;
  std::deque<Step> steps;
  bool waiting = false;
  bool shown = false;
  bool stopped = false;
  int keys = 0;
};

void paint(Page& page) {
  const PixelSize client = page.window.clientSize();
  page.window.setDevicePixelRatio(js_card_ratio(client.width, client.height));
  fitCanvas(page.window.clientPixels());
  js_begin_paint();
  Canvas2d canvas;
  paintWindow(canvas, page.window, page.colours, page.pictures);
  js_end_paint();
}

void stop(Page& page, const std::string& sentence) {
  page.stopped = true;
  showErrorSentence(sentence);
}

// Runs a handler: done when it ran to its end (`painted` then follows) or failed with its sentence;
// not done when it asked for a picture still on its way, and runs again once that is in. A handler
// sets only properties, so running it again from the start leaves what one run leaves.
bool handled(Page& page, const std::function<void()>& handler, bool painted) {
  page.pictures.takeAwaited();
  std::string failure;
  if (runHandler(handler, [&failure](const std::string& sentence) { failure = sentence; })) {
    if (painted) {
      paint(page);
    }
    return true;
  }
  if (const auto awaited = page.pictures.takeAwaited()) {
    js_when_picture_in(awaited->c_str(), &page);
    return false;
  }
  stop(page, failure);
  return true;
}

void run(Page& page) {
  while (!page.waiting && !page.stopped && !page.steps.empty()) {
    if (!page.steps.front()()) {
      page.waiting = true;
      break;
    }
    page.steps.pop_front();
  }
  if (page.stopped) {
    page.steps.clear();
  }
  js_note_steps(page.keys, page.waiting);
}

void deliverKey(Page& page, std::int16_t keyCode, std::int16_t shift) {
  ++page.keys;
  page.steps.emplace_back([&page, keyCode, shift] {
    return handled(
        page, [&page, keyCode, shift] { page.handlers.onKeyDown(keyCode, shift); }, page.shown);
  });
  run(page);
}

// The first card stands once it is drawn in its own faces, never in a fallback one.
bool firstCard(Page& page) {
  if (!js_faces_in()) {
    js_when_faces_in(&page);
    return false;
  }
  paint(page);
  page.shown = true;
  js_mark_card_shown();
  return true;
}

std::int16_t shiftState(const EmscriptenKeyboardEvent& event) {
  return static_cast<std::int16_t>((event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) |
                                   (event.altKey ? 4 : 0));
}

EM_BOOL onKeyDown(int /*eventType*/, const EmscriptenKeyboardEvent* event, void* userData) {
  Page& page = *static_cast<Page*>(userData);
  const std::string_view key = static_cast<const char*>(event->key);
  const auto keyCode = virtualKeyCode(key, static_cast<const char*>(event->code));
  if (keyCode) {
    deliverKey(page, *keyCode, shiftState(*event));
  }
  // An on-screen keyboard's key-down names no key (key code 229): its text follows, and must not
  // be stopped. Without Ctrl, Alt or Meta a key means nothing else in the page (no
  // find-as-you-type, no scrolling); with them the browser keeps its shortcuts, closing the tab
  // among them.
  constexpr unsigned long kKeyOfTextToCome = 229;
  const bool textToCome = event->keyCode == kKeyOfTextToCome || key == "Unidentified";
  const bool browserShortcut = event->ctrlKey || event->altKey || event->metaKey;
  return textToCome || browserShortcut ? EM_FALSE : EM_TRUE;
}

}  // namespace

void showErrorSentence(const std::string& sentence) {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
  js_show_sentence(sentence.c_str());
}

void runPage(Window& window, const SystemColours& colours, SitePictures& pictures,
             PageHandlers handlers) {
  // The page's one run: its events find it through their user data.
  static Page page{window, colours, pictures, std::move(handlers), {}};
  page.steps.emplace_back([] { return handled(page, page.handlers.onLoad, false); });
  page.steps.emplace_back([] { return firstCard(page); });
  js_watch_page(&page);
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, &page, EM_FALSE, onKeyDown);
  run(page);
}

}  // namespace flurb::platform::web

// The page's script calls these back, with the page it was given.
extern "C" {

EMSCRIPTEN_KEEPALIVE void flurb_page_resume(void* page) {
  auto& running = *static_cast<flurb::platform::web::Page*>(page);
  running.waiting = false;
  flurb::platform::web::run(running);
}

EMSCRIPTEN_KEEPALIVE void flurb_page_refit(void* page) {
  auto& running = *static_cast<flurb::platform::web::Page*>(page);
  if (running.shown && !running.waiting && !running.stopped) {
    flurb::platform::web::paint(running);
  }
}

EMSCRIPTEN_KEEPALIVE void flurb_page_text(void* page, char32_t character) {
  auto& running = *static_cast<flurb::platform::web::Page*>(page);
  if (const auto keyCode = flurb::platform::web::textKeyCode(character)) {
    flurb::platform::web::deliverKey(running, *keyCode, 0);
  }
}
}
