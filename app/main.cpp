#include <malloc.h>

#include <memory>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "app/startup.h"
#include "cards/card_window.h"
#include "cards/key_dispatch.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/qt_screen.h"
#include "platform/qt/session_platform.h"
#include "platform/qt/termination_signals.h"
#include "platform/qt/toolkit_failure.h"
#include "platform/random_source.h"
#include "resources/letter_picture_store.h"
#include "resources/program_icon.h"
#include "resources/program_version.h"

namespace {

QIcon programIcon() {
  return QIcon(QPixmap::fromImage(QImage::fromData(flurb::resources::programIconFile(), "ICO")));
}

}  // namespace

int main(int argc, char** argv) {
  // A card at a high device pixel ratio passes through buffers of several megabytes; with a fixed
  // threshold they are handed back to the system when freed instead of staying resident.
  constexpr int kLargeBlock = 256 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargeBlock);
  namespace qt = flurb::platform::qt;
  const qt::SessionFacts session = qt::sessionFactsFromEnvironment();
  if (const auto platforms = qt::chosenPlatforms(session)) {
    qputenv("QT_QPA_PLATFORM", platforms->c_str());
  }
  qt::exitCleanlyOnToolkitFailure(session);
  const QApplication application(argc, argv);
  qt::toolkitStarted();
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
  qt::closeOnTerminationSignals();
  const int status = qt::runWindow(
      *window, window->focusBox, programIcon(),
      [&] { flurb::app::onLoad(*window, screen, random, pictures); },
      [&](const std::int16_t& keyCode, const std::int16_t& shift) {
        flurb::cards::onKeyDown(*window, pictures, keyCode, shift);
      });
  qt::boundTeardown(status);
  return status;
}
