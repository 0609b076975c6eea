#include "toolkit_environment.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

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

// The environment as it stands, with `name` set to `value`, or left out where `value` is null.
std::vector<std::string> environmentWith(std::string_view name, const char* value) {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string_view entry(*variable);
    if (!(entry.starts_with(name) && entry.size() > name.size() && entry[name.size()] == '=')) {
      variables.emplace_back(entry);
    }
  }
  if (value != nullptr) {
    variables.push_back(std::string(name) + "=" + value);
  }
  return variables;
}

// The toolkit reads its environment once, as it starts: only a fresh start changes what it read.
[[noreturn]] void startAfresh(std::vector<std::string> environment) {
  // The name the program was started under, which the toolkit takes as the application's name.
  std::ifstream commandLine("/proc/self/cmdline");
  std::string name;
  std::getline(commandLine, name, '\0');
  std::array<char*, 2> arguments{name.data(), nullptr};
  std::vector<char*> variables;
  variables.reserve(environment.size() + 1);
  for (std::string& variable : environment) {
    variables.push_back(variable.data());
  }
  variables.push_back(nullptr);
  std::fflush(stderr);
  ::execve("/proc/self/exe", arguments.data(), variables.data());
  std::fprintf(stderr, "%s cannot start again: %s\n", productName().c_str(), std::strerror(errno));
  std::_Exit(EXIT_FAILURE);
}

// Asked before the toolkit starts, the bus cost a round trip to its daemon on every start, and on
// a busy machine its answer came late now and then. The toolkit starts at once instead; only a
// window not up within this time has the bus asked, and a silent bus then means a fresh start
// without it.
constexpr auto kPatience = std::chrono::milliseconds(300);

struct BusWatch {
  std::mutex mutex;
  std::condition_variable ended;
  bool windowShown = false;
};

// Never destroyed: the watching thread may still wait on it as the program ends.
BusWatch& busWatch() {
  static auto* const kWatch = new BusWatch;
  return *kWatch;
}

void watchTheSessionBus(const std::string& address, const std::string& runtimeDir) {
  std::thread([address, runtimeDir] {
    BusWatch& watch = busWatch();
    std::unique_lock lock(watch.mutex);
    while (!watch.ended.wait_for(lock, kPatience, [&] { return watch.windowShown; })) {
      lock.unlock();
      if (findSessionBus(address, runtimeDir, BusQuestion::kAnswers) == SessionBus::kSilent) {
        std::fprintf(stderr, "%s: the session bus does not answer; going on without it.\n",
                     productName().c_str());
        startAfresh(environmentWith("DBUS_SESSION_BUS_ADDRESS", "none:"));
      }
      lock.lock();
    }
  }).detach();
}

// The bus library fails at once on an address of an unknown kind, and the toolkit goes on
// without the bus: without accessibility, which needs it. Where there is no bus at all, this
// also keeps the library from launching one that would outlive the program. A bus that takes
// connections but never answers would hold the toolkit on its way to the first show for ever:
// a watch looks after that.
void leaveOutAMissingSessionBus(const SessionFacts& session) {
  const char* variable = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const std::string address = variable != nullptr ? variable : "";
  if (findSessionBus(address, session.runtimeDir, BusQuestion::kReachable) != SessionBus::kUsable) {
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "none:", 1);
    return;
  }
  watchTheSessionBus(address, session.runtimeDir);
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

void restartWithoutAScaleFactorThatHidesTheCard(PixelSize logicalClient, PixelSize smallest) {
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
  startAfresh(environmentWith("QT_SCALE_FACTOR", nullptr));
}

void stopWatchingTheSessionBus() {
  BusWatch& watch = busWatch();
  {
    const std::lock_guard lock(watch.mutex);
    watch.windowShown = true;
  }
  watch.ended.notify_all();
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
  keepThreadStacksSmall();
  leaveOutAMissingSessionBus(session);
  return session;
}

}  // namespace flurb::platform::qt
