#include "toolkit_failure.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <utility>
#include <vector>

#include <QFileInfo>
#include <QLibraryInfo>
#include <QString>
#include <QtGlobal>

#include "platform/product_name.h"

namespace flurb::platform::qt {
namespace {

struct HeldMessage {
  QtMsgType type;
  QString category;
  QString message;
};

QtMessageHandler previousHandler = nullptr;
SessionFacts startingSession;
bool starting = false;
std::vector<HeldMessage> heldMessages;

bool waylandPluginInstalled() {
  return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           QStringLiteral("/platforms/libqwayland-generic.so"));
}

void handleToolkitMessage(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
  if (type == QtFatalMsg) {
    const std::string lines =
        starting ? startupFailureMessage(startingSession, waylandPluginInstalled())
                 : productName() +
                       " cannot go on: " + message.section(QLatin1Char('\n'), 0, 0).toStdString();
    std::fprintf(stderr, "%s\n", lines.c_str());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
  }
  if (starting) {
    heldMessages.push_back(
        {type, QString::fromUtf8(context.category ? context.category : ""), message});
    return;
  }
  previousHandler(type, context, message);
}

// An exception that escapes the toolkit's event dispatch, such as memory running out under a
// tight limit, would end the program with a core dump.
[[noreturn]] void reportUncaughtException() {
  const char* cause = "an unexpected failure";
  try {
    if (const std::exception_ptr exception = std::current_exception()) {
      std::rethrow_exception(exception);
    }
  } catch (const std::bad_alloc&) {
    cause = "out of memory";
  } catch (...) {  // NOLINT(bugprone-empty-catch): the cause stays the general one
  }
  std::fprintf(stderr, "%s cannot go on: %s.\n", productName().c_str(), cause);
  std::fflush(stderr);
  std::_Exit(EXIT_FAILURE);
}

}  // namespace

void exitCleanlyOnToolkitFailure(const SessionFacts& session) {
  startingSession = session;
  starting = true;
  previousHandler = qInstallMessageHandler(handleToolkitMessage);
  std::set_terminate(reportUncaughtException);
}

void toolkitStarted() {
  starting = false;
  for (const HeldMessage& held : std::exchange(heldMessages, {})) {
    const QByteArray category = held.category.toUtf8();
    const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
    previousHandler(held.type, context, held.message);
  }
}

}  // namespace flurb::platform::qt
