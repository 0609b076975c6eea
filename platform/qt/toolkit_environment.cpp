#include "toolkit_environment.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <pthread.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QScreen>

#include "platform/product_name.h"
#include "session_bus.h"

namespace flurb::platform::qt {
namespace {

// Enough for every thread the toolkit starts; the usual default of 8 MiB each fails to map
// under a tight address-space limit, and the toolkit then waits for ever on the thread.
constexpr std::size_t kThreadStackBytes = std::size_t{1} << 20U;

void ignoreAScaleFactorThatIsNoNumber() {
  const char* factor = std::getenv("QT_SCALE_FACTOR");
  if (factor != nullptr && !isScaleFactor(factor)) {
    std::fprintf(stderr, "%s: QT_SCALE_FACTOR=\"%s\" is not a positive number and is ignored.\n",
                 productName().c_str(), factor);
    ::unsetenv("QT_SCALE_FACTOR");
  }
}

// The bus library fails at once on an address of an unknown kind, and the toolkit goes on
// without the bus: without accessibility, which needs it. Where there is no bus at all, this
// also keeps the library from launching one that would outlive the program.
void leaveOutASilentOrMissingSessionBus(const SessionFacts& session) {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const SessionBus bus = findSessionBus(address != nullptr ? address : "", session.runtimeDir);
  if (bus == SessionBus::kSilent) {
    std::fprintf(stderr, "%s: the session bus does not answer; going on without it.\n",
                 productName().c_str());
  }
  if (bus != SessionBus::kUsable) {
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "none:", 1);
  }
}

void keepThreadStacksSmall() {
  pthread_attr_t attributes;
  if (::pthread_getattr_default_np(&attributes) != 0) {
    return;
  }
  std::size_t stackBytes = 0;
  if (::pthread_attr_getstacksize(&attributes, &stackBytes) == 0 &&
      stackBytes > kThreadStackBytes &&
      ::pthread_attr_setstacksize(&attributes, kThreadStackBytes) == 0) {
    ::pthread_setattr_default_np(&attributes);
  }
  ::pthread_attr_destroy(&attributes);
}

}  // namespace

void restartWithoutAScaleFactorThatHidesTheCard(PixelSize logicalClient, PixelSize smallest,
                                                std::string executable) {
  const char* factor = std::getenv("QT_SCALE_FACTOR");
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (factor == nullptr || screen == nullptr) {
    return;
  }
  const ClientAtRatio client = clientAtRatio(logicalClient, smallest, screen->devicePixelRatio());
  if (client == ClientAtRatio::kShowsACard) {
    return;
  }
  std::fprintf(stderr, "%s: QT_SCALE_FACTOR=\"%s\" makes the window %s and is ignored.\n",
               productName().c_str(), factor,
               client == ClientAtRatio::kTooSmall ? "too small to show a card"
                                                  : "larger than the screen can hold");
  std::fflush(stderr);
  ::unsetenv("QT_SCALE_FACTOR");
  // The toolkit reads the factor once, as it starts: only a fresh start leaves it out.
  std::array<char*, 2> arguments{executable.data(), nullptr};
  ::execv("/proc/self/exe", arguments.data());
  std::fprintf(stderr, "%s cannot start again without it.\n", productName().c_str());
  std::exit(EXIT_FAILURE);
}

SessionFacts settleToolkitEnvironment() {
  SessionFacts session = sessionFactsFromEnvironment();
  if (const auto refusal = startupRefusal(session)) {
    std::fprintf(stderr, "%s\n", refusal->c_str());
    std::exit(EXIT_FAILURE);
  }
  if (const auto platforms = chosenPlatforms(session)) {
    ::setenv("QT_QPA_PLATFORM", platforms->c_str(), 1);
  }
  ignoreAScaleFactorThatIsNoNumber();
  leaveOutASilentOrMissingSessionBus(session);
  keepThreadStacksSmall();
  return session;
}

}  // namespace flurb::platform::qt
