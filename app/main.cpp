#include <memory>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "app/flurb_window.h"
#include "app/form_load.h"
#include "cards/key_dispatch.h"
#include "platform/event_loop.h"
#include "platform/random_source.h"
#include "platform/screen.h"
#include "platform/toolkit_failure.h"
#include "resources/letter_picture_store.h"
#include "resources/program_icon.h"
#include "resources/program_version.h"

namespace {

QIcon programIcon() {
  return QIcon(QPixmap::fromImage(QImage::fromData(flurb::resources::programIconFile(), "ICO")));
}

}  // namespace

int main(int argc, char** argv) {
  flurb::platform::exitCleanlyOnToolkitFailure();
  const QApplication application(argc, argv);
  QCoreApplication::setApplicationVersion(
      QString::fromUtf8(flurb::resources::kProgramVersion.data(),
                        static_cast<qsizetype>(flurb::resources::kProgramVersion.size())));
  const flurb::resources::LetterPictureStore pictures;
  flurb::platform::ClockSeededRandom random;

  std::unique_ptr<flurb::Flurb> form;
  flurb::platform::ScreenSize screen{};
  const bool screenKnown = flurb::platform::runHandler(
      [&] {
        form = std::make_unique<flurb::Flurb>(flurb::platform::screenTwipsPerPixel());
        screen = flurb::platform::primaryScreenSize();
      },
      flurb::platform::showRuntimeError);
  if (!screenKnown) {
    return 1;
  }
  return flurb::platform::runForm(
      *form, form->Picture1, programIcon(),
      [&] { flurb::Form_Load(*form, screen, random, pictures); },
      [&](const std::int16_t& keyCode, const std::int16_t& shift) {
        flurb::cards::Picture1_KeyDown(*form, pictures, keyCode, shift);
      });
}
