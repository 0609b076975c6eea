#include <malloc.h>

#include <array>
#include <memory>
#include <string>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "app/product.h"
#include "app/startup.h"
#include "cards/card_window.h"
#include "cards/key_dispatch.h"
#include "cards/window_description.h"
#include "platform/product_name.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/qt_screen.h"
#include "platform/qt/termination_signals.h"
#include "platform/qt/toolkit_environment.h"
#include "platform/qt/toolkit_failure.h"
#include "platform/random_source.h"
#include "platform/twips.h"
#include "resources/letter_picture_store.h"
#include "resources/program_icon.h"
#include "resources/program_version.h"

namespace {

QIcon programIcon() {
  return QIcon(QPixmap::fromImage(QImage::fromData(flurb::resources::programIconFile(), "ICO")));
}

}  // namespace

// The program has no command line: the toolkit's own options (-display, -platform...) are not
// passed on to it, so no argument changes what the program does.
int main() {
  // Every key passes through picture buffers of up to a few megabytes (at a device pixel ratio of
  // 3). Mapped afresh for each key and handed back after it, their pages fault in again every time,
  // which cost more than the drawing itself: up to 16 MiB they come from the heap, and up to
  // 16 MiB freed at its top stay for the next key.
  constexpr int kLargeBlock = 16 * 1024 * 1024;
  constexpr int kKeptFree = 16 * 1024 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargeBlock);
  mallopt(M_TRIM_THRESHOLD, kKeptFree);
  namespace qt = flurb::platform::qt;
  qt::exitOnTerminationSignals();
  flurb::platform::setProductName(flurb::app::kProductName);
  qt::exitCleanlyOnToolkitFailure(qt::settleToolkitEnvironment());
  std::string executable = flurb::app::kExecutableName;
  int toolkitArgumentCount = 1;
  std::array<char*, 2> toolkitArguments{executable.data(), nullptr};
  const QApplication application(toolkitArgumentCount, toolkitArguments.data());
  qt::toolkitStarted();
  {
    // A card needs room for the picture frame as the window description lays it out.
    namespace description = flurb::cards::description;
    const auto logicalPixels = [](double twips) {
      return flurb::platform::twipsToPixels(twips, flurb::platform::kTwipsPerLogicalPixel);
    };
    qt::restartWithoutAScaleFactorThatHidesTheCard(
        {logicalPixels(description::kWindow.clientWidth),
         logicalPixels(description::kWindow.clientHeight)},
        {logicalPixels(description::kPictureFramePlace.width),
         logicalPixels(description::kPictureFramePlace.height)});
  }
  QCoreApplication::setApplicationVersion(
      QString::fromUtf8(flurb::resources::kProgramVersion.data(),
                        static_cast<qsizetype>(flurb::resources::kProgramVersion.size())));
  const flurb::resources::LetterPictureStore pictures;
  flurb::platform::ClockSeededRandom random;

  std::unique_ptr<flurb::cards::CardWindow> window;
  flurb::platform::ScreenArea screen;
  const bool screenKnown = qt::runHandler(
      [&] {
        window = std::make_unique<flurb::cards::CardWindow>(qt::screenDevicePixelRatio());
        screen = qt::primaryScreenArea();
      },
      qt::showRuntimeError);
  if (!screenKnown) {
    return 1;
  }
  const int status = qt::runWindow(
      *window, pictures, window->focusBox, programIcon(),
      [&] { flurb::app::onLoad(*window, screen, random, pictures); },
      [&](const std::int16_t& keyCode, const std::int16_t& shift) {
        flurb::cards::onKeyDown(*window, pictures, keyCode, shift);
      });
  qt::boundTeardown(status);
  return status;
}
