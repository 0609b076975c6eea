#include "session_bus.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace flurb::platform::qt {
namespace {

// Long enough for a busy bus on a loaded machine, short enough not to delay the window much.
constexpr auto kAnswerLimit = std::chrono::milliseconds(250);

using Deadline = std::chrono::steady_clock::time_point;

// Address values escape bytes as %XX.
std::string unescaped(std::string_view value) {
  std::string text;
  for (std::size_t at = 0; at < value.size(); ++at) {
    unsigned int byte = 0;
    if (value[at] == '%' && at + 2 < value.size() &&
        std::from_chars(&value[at + 1], &value[at + 3], byte, 16).ptr == &value[at + 3]) {
      text += static_cast<char>(byte);
      at += 2;
    } else {
      text += value[at];
    }
  }
  return text;
}

struct UnixSocket {
  sockaddr_un address{};
  socklen_t length = 0;
};

// The socket of one "unix:path=...,guid=..." or "unix:abstract=..." transport; nothing for other
// transports, which cannot be asked this simply.
std::optional<UnixSocket> unixSocket(std::string_view transport) {
  constexpr std::string_view kUnix = "unix:";
  if (!transport.starts_with(kUnix)) {
    return std::nullopt;
  }
  transport.remove_prefix(kUnix.size());
  while (!transport.empty()) {
    const std::size_t end = std::min(transport.find(','), transport.size());
    const std::string_view pair = transport.substr(0, end);
    const std::size_t equals = pair.find('=');
    const std::string_view key = pair.substr(0, equals);
    if ((key == "path" || key == "abstract") && equals != std::string_view::npos) {
      // An abstract name starts with a zero byte and has no terminating one.
      const std::string name = key == "abstract"
                                   ? std::string(1, '\0') + unescaped(pair.substr(equals + 1))
                                   : unescaped(pair.substr(equals + 1)) + '\0';
      UnixSocket socket;
      socket.address.sun_family = AF_UNIX;
      if (name.size() > sizeof(socket.address.sun_path)) {
        return std::nullopt;
      }
      std::copy(name.begin(), name.end(), std::begin(socket.address.sun_path));
      socket.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size());
      return socket;
    }
    transport.remove_prefix(std::min(end + 1, transport.size()));
  }
  return std::nullopt;
}

bool ready(int descriptor, short events, Deadline deadline) {
  pollfd watched{descriptor, events, 0};
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    const int count =
        ::poll(&watched, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
    if (count >= 0 || errno != EINTR) {
      return count > 0;
    }
  }
}

// The first line of the bus's handshake: authentication as this process's user.
std::string greeting() {
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string line = std::string(1, '\0') + "AUTH EXTERNAL ";
  for (const char digit : std::to_string(::getuid())) {
    line += kHex[static_cast<unsigned char>(digit) >> 4U];
    line += kHex[static_cast<unsigned char>(digit) & 0xFU];
  }
  return line + "\r\n";
}

enum class BusAnswer { kUnreachable, kAnswers, kSilent };

BusAnswer ask(const UnixSocket& socket, Deadline deadline, BusQuestion question) {
  const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (descriptor < 0) {
    return BusAnswer::kUnreachable;
  }
  BusAnswer answer = BusAnswer::kUnreachable;
  // A listener too stopped to take more connections makes the bus library wait in connect().
  if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&socket.address), socket.length) ==
          0 ||
      errno == EINPROGRESS || errno == EAGAIN) {
    if (question == BusQuestion::kReachable) {
      ::close(descriptor);
      return BusAnswer::kAnswers;
    }
    const std::string line = greeting();
    const bool answered = ready(descriptor, POLLOUT, deadline) &&
                          ::send(descriptor, line.data(), line.size(), MSG_NOSIGNAL) ==
                              static_cast<ssize_t>(line.size()) &&
                          ready(descriptor, POLLIN, deadline);
    answer = answered ? BusAnswer::kAnswers : BusAnswer::kSilent;
  }
  ::close(descriptor);
  return answer;
}

}  // namespace

SessionBus findSessionBus(const std::string& address, const std::string& runtimeDir,
                          BusQuestion question) {
  const Deadline deadline = std::chrono::steady_clock::now() + kAnswerLimit;
  // Without an address, the bus library looks for the session's bus in its runtime directory,
  // and failing that launches one.
  if (address.empty()) {
    const auto socket = unixSocket("unix:path=" + runtimeDir + "/bus");
    const BusAnswer answer =
        runtimeDir.empty() || !socket ? BusAnswer::kUnreachable : ask(*socket, deadline, question);
    return answer == BusAnswer::kUnreachable ? SessionBus::kMissing
           : answer == BusAnswer::kSilent    ? SessionBus::kSilent
                                             : SessionBus::kUsable;
  }
  // The library takes the first transport that connects.
  std::string_view transports = address;
  while (!transports.empty()) {
    const std::size_t end = std::min(transports.find(';'), transports.size());
    const auto socket = unixSocket(transports.substr(0, end));
    if (!socket) {
      return SessionBus::kUsable;
    }
    if (const BusAnswer answer = ask(*socket, deadline, question);
        answer != BusAnswer::kUnreachable) {
      return answer == BusAnswer::kSilent ? SessionBus::kSilent : SessionBus::kUsable;
    }
    transports.remove_prefix(std::min(end + 1, transports.size()));
  }
  return SessionBus::kUsable;
}

}  // namespace flurb::platform::qt
