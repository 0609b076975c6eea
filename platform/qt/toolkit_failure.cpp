#include "toolkit_failure.h"

#include <cstdio>
#include <cstdlib>

#include <QString>
#include <QtGlobal>

namespace flurb::platform::qt {
namespace {

QtMessageHandler previousHandler = nullptr;

void handleToolkitMessage(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
  if (type != QtFatalMsg) {
    previousHandler(type, context, message);
    return;
  }
  const QString firstLine = message.section(QLatin1Char('\n'), 0, 0).trimmed();
  std::fprintf(stderr, "Flurb Cards cannot run: %s\n", qPrintable(firstLine));
  std::fflush(stderr);
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

void exitCleanlyOnToolkitFailure() {
  previousHandler = qInstallMessageHandler(handleToolkitMessage);
}

}  // namespace flurb::platform::qt
