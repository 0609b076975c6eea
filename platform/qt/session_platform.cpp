#include "session_platform.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace flurb::platform::qt {
namespace {

std::string environmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

bool sameIgnoringCase(std::string_view left, std::string_view right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

// Desktops measured to centre a new Wayland window themselves, to give it their own title bar
// (close button only for a fixed-size window) and to upscale X11 windows on a scale-2 screen:
// KDE's kwin and sway. GNOME's mutter places a new Wayland window near the top left corner
// and weston anywhere; both leave an X11 window (through Xwayland) where the program puts it,
// and there Qt's own Wayland title bar would offer minimise and maximise too.
constexpr auto kDesktopsPreferringWayland = std::to_array<std::string_view>({"KDE", "sway"});

// XDG_CURRENT_DESKTOP lists names separated by colons ("ubuntu:GNOME").
bool prefersWayland(std::string_view currentDesktop) {
  while (!currentDesktop.empty()) {
    const std::size_t end = std::min(currentDesktop.find(':'), currentDesktop.size());
    const std::string_view name = currentDesktop.substr(0, end);
    if (std::any_of(kDesktopsPreferringWayland.begin(), kDesktopsPreferringWayland.end(),
                    [&](std::string_view known) { return sameIgnoringCase(name, known); })) {
      return true;
    }
    currentDesktop.remove_prefix(std::min(end + 1, currentDesktop.size()));
  }
  return false;
}

}  // namespace

SessionFacts sessionFactsFromEnvironment() {
  return {environmentValue("QT_QPA_PLATFORM"), environmentValue("DISPLAY"),
          environmentValue("WAYLAND_DISPLAY"), environmentValue("XDG_CURRENT_DESKTOP")};
}

// X11 wherever there is an X display, native Wayland where the desktop does better with it or
// there is nothing else; X11 stays the fallback when the Wayland support is not installed.
std::optional<std::string> chosenPlatforms(const SessionFacts& session) {
  if (!session.qtPlatform.empty()) {
    return std::nullopt;
  }
  if (!session.waylandDisplay.empty() &&
      (session.x11Display.empty() || prefersWayland(session.currentDesktop))) {
    return "wayland;xcb";
  }
  return "xcb";
}

std::string startupFailureMessage(const SessionFacts& session, bool waylandPluginInstalled) {
  const std::string prefix = "Flurb Cards cannot start: ";
  if (!session.qtPlatform.empty()) {
    return prefix + "the display platform \"" + session.qtPlatform +
           "\" chosen by QT_QPA_PLATFORM cannot be used here.\nUnset QT_QPA_PLATFORM to let "
           "the program choose.";
  }
  if (session.x11Display.empty() && session.waylandDisplay.empty()) {
    return prefix +
           "there is no desktop to show its window on (neither DISPLAY nor "
           "WAYLAND_DISPLAY is set).\nStart it from a desktop session.";
  }
  if (session.x11Display.empty() && !waylandPluginInstalled) {
    return prefix + "this Wayland session (WAYLAND_DISPLAY=" + session.waylandDisplay +
           ") needs Qt's Wayland support.\nInstall it with: sudo apt install " +
           kWaylandPluginPackage;
  }
  if (session.x11Display.empty()) {
    return prefix + "no Wayland compositor answers on \"" + session.waylandDisplay +
           "\" (WAYLAND_DISPLAY).\nStart it from a desktop session.";
  }
  return prefix + "no X server answers on display \"" + session.x11Display +
         "\" (DISPLAY).\nStart it from a desktop session, or set DISPLAY to a running display.";
}

}  // namespace flurb::platform::qt
