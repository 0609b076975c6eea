// The Windows program: the card window on the Win32 backend, its pictures from the program
// file's own bitmap resources.
#include <memory>

#include "app/product.h"
#include "app/startup.h"
#include "cards/card_window.h"
#include "cards/key_dispatch.h"
#include "cards/window_description.h"
#include "platform/product_name.h"
#include "platform/random_source.h"
#include "platform/win32/desktop_colours.h"
#include "platform/win32/handlers.h"
#include "platform/win32/module_resources.h"
#include "platform/win32/screen.h"
#include "platform/win32/tool_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  namespace win32 = flurb::platform::win32;
  flurb::platform::setProductName(flurb::app::kProductName);
  const win32::ModuleResources pictures(instance);
  const win32::DesktopColours colours;
  flurb::platform::ClockSeededRandom random;

  std::unique_ptr<win32::ToolWindow> toolWindow;
  std::unique_ptr<flurb::cards::CardWindow> window;
  flurb::platform::ScreenArea screen;
  const bool created = flurb::platform::runHandler(
      [&] {
        toolWindow = std::make_unique<win32::ToolWindow>(
            instance, flurb::cards::description::kWindow.caption);
        // Sizes in twips become pixels at the resolution of the monitor the window is on.
        window = std::make_unique<flurb::cards::CardWindow>(toolWindow->devicePixelRatio());
        screen = win32::primaryScreen(window->twipsPerPixel());
      },
      win32::showErrorBox);
  if (!created) {
    return 1;
  }
  return toolWindow->run(*window, window->focusBox, colours, pictures,
                         {.onLoad = [&] { flurb::app::onLoad(*window, screen, random, pictures); },
                          .onKeyDown =
                              [&](const std::int16_t& keyCode, const std::int16_t& shift) {
                                flurb::cards::onKeyDown(*window, pictures, keyCode, shift);
                              },
                          .reportError = win32::showErrorBox});
}
