#include "termination_signals.h"

#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <thread>

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace flurb::platform::qt {
namespace {

// A signal handler may only write to a descriptor: the event loop reads the other end. Until
// the loop runs there is no such end, and the handler ends the program itself.
std::array<int, 2> signalSockets{-1, -1};
std::atomic<int> closeSocket{-1};

void onTerminationSignal(int /*signal*/) {
  const int socket = closeSocket.load();
  if (socket < 0) {
    ::_exit(EXIT_SUCCESS);
  }
  const char byte = 1;
  // Nothing to do if the socket is full: a close is already on its way.
  [[maybe_unused]] const auto written = ::write(socket, &byte, 1);
}

constexpr auto kTeardownLimit = std::chrono::seconds(3);

}  // namespace

void exitOnTerminationSignals() {
  struct sigaction action {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigset_t endingSignals;
  sigemptyset(&endingSignals);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    ::sigaction(signal, &action, nullptr);
    sigaddset(&endingSignals, signal);
  }
  // Whoever started the program may have left them blocked: one already sent arrives now.
  ::pthread_sigmask(SIG_UNBLOCK, &endingSignals, nullptr);
}

void closeOnTerminationSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets.data()) !=
      0) {
    return;  // the signals go on ending the program at once
  }
  auto* notifier =
      new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [] {
    char byte = 0;
    while (::read(signalSockets[1], &byte, 1) > 0) {
    }
    QCoreApplication::exit(0);
  });
  closeSocket.store(signalSockets[0]);
}

void boundTeardown(int status) {
  try {
    std::thread([status] {
      std::this_thread::sleep_for(kTeardownLimit);
      std::fflush(nullptr);
      std::_Exit(status);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare (a memory limit): the teardown goes on without its bound.
  }
}

}  // namespace flurb::platform::qt
