#include "termination_signals.h"

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace flurb::platform::qt {
namespace {

// A signal handler may only write to a descriptor: the event loop reads the other end.
std::array<int, 2> signalSockets{-1, -1};

void onTerminationSignal(int /*signal*/) {
  const char byte = 1;
  // Nothing to do if the socket is full: a close is already on its way.
  [[maybe_unused]] const auto written = ::write(signalSockets[0], &byte, 1);
}

constexpr auto kTeardownLimit = std::chrono::seconds(3);

}  // namespace

void closeOnTerminationSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets.data()) !=
      0) {
    return;
  }
  auto* notifier =
      new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    char byte = 0;
    while (::read(signalSockets[1], &byte, 1) > 0) {
    }
    QCoreApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    ::sigaction(signal, &action, nullptr);
  }
}

void boundTeardown(int status) {
  std::thread([status] {
    std::this_thread::sleep_for(kTeardownLimit);
    std::fflush(nullptr);
    std::_Exit(status);
  }).detach();
}

}  // namespace flurb::platform::qt
