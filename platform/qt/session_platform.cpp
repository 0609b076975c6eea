#include "session_platform.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/product_name.h"

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
// KDE's kwin and sway; and weston, which places every window itself, X11 windows too, and
// upscales X11 windows, so that only a native window is sharp there. GNOME's mutter places a new
// Wayland window near the top left corner but leaves an X11 window where the program puts it.
constexpr auto kDesktopsPreferringWayland =
    std::to_array<std::string_view>({"KDE", "sway", "weston"});

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

// The platforms that show a window on a desktop, as QT_QPA_PLATFORM names them.
constexpr auto kDesktopPlatforms =
    std::to_array<std::string_view>({"xcb", "wayland", "wayland-egl"});

// QT_QPA_PLATFORM lists platforms to try, separated by semicolons, each with options after a colon.
std::vector<std::string_view> platformNames(std::string_view platforms) {
  std::vector<std::string_view> names;
  while (!platforms.empty()) {
    const std::size_t end = std::min(platforms.find(';'), platforms.size());
    const std::string_view entry = platforms.substr(0, end);
    if (const std::string_view name = entry.substr(0, entry.find(':')); !name.empty()) {
      names.push_back(name);
    }
    platforms.remove_prefix(std::min(end + 1, platforms.size()));
  }
  return names;
}

bool isDesktopPlatform(std::string_view name) {
  return std::any_of(kDesktopPlatforms.begin(), kDesktopPlatforms.end(),
                     [&](std::string_view known) { return sameIgnoringCase(name, known); });
}

// A relative WAYLAND_DISPLAY names a socket in XDG_RUNTIME_DIR.
bool waylandDisplayFindable(const SessionFacts& session) {
  return !session.waylandDisplay.empty() &&
         (session.waylandDisplay.front() == '/' || !session.runtimeDir.empty());
}

std::string cannotStart() {
  return productName() + " cannot start: ";
}

}  // namespace

SessionFacts sessionFactsFromEnvironment() {
  // A session whose file names no desktop (weston's) is named by the display manager alone.
  std::string desktop = environmentValue("XDG_CURRENT_DESKTOP");
  if (desktop.empty()) {
    desktop = environmentValue("XDG_SESSION_DESKTOP");
  }
  return {environmentValue("QT_QPA_PLATFORM"), environmentValue("DISPLAY"),
          environmentValue("WAYLAND_DISPLAY"), desktop, environmentValue("XDG_RUNTIME_DIR")};
}

// X11 wherever there is an X display, native Wayland where the desktop does better with it or
// there is nothing else; X11 stays the fallback when the Wayland support is not installed.
std::optional<std::string> chosenPlatforms(const SessionFacts& session) {
  if (!session.qtPlatform.empty()) {
    return std::nullopt;
  }
  if (waylandDisplayFindable(session) &&
      (session.x11Display.empty() || prefersWayland(session.currentDesktop))) {
    return "wayland;xcb";
  }
  return "xcb";
}

std::optional<std::string> startupRefusal(const SessionFacts& session) {
  const std::vector<std::string_view> forced = platformNames(session.qtPlatform);
  if (const auto other = std::find_if_not(forced.begin(), forced.end(), isDesktopPlatform);
      other != forced.end()) {
    return cannotStart() + "the platform \"" + std::string(*other) +
           "\" chosen by QT_QPA_PLATFORM shows no window on a desktop; unset QT_QPA_PLATFORM or "
           "set it to xcb or wayland.";
  }
  const bool x11Tried = forced.empty()
                            ? !session.x11Display.empty()
                            : std::any_of(forced.begin(), forced.end(), [](std::string_view name) {
                                return sameIgnoringCase(name, "xcb");
                              });
  if (!session.waylandDisplay.empty() && !waylandDisplayFindable(session) && !x11Tried) {
    return cannotStart() + "XDG_RUNTIME_DIR is not set, so the Wayland display \"" +
           session.waylandDisplay +
           "\" (WAYLAND_DISPLAY) cannot be found.\nStart it from a desktop session, or set "
           "XDG_RUNTIME_DIR to the session's runtime directory.";
  }
  return std::nullopt;
}

bool isScaleFactor(std::string_view text) {
  double factor = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), factor);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(factor) &&
         factor > 0.0;
}

ClientAtRatio clientAtRatio(PixelSize logicalClient, PixelSize smallest, double ratio) {
  constexpr double kLargestSide = 32767;
  const double width = logicalClient.width * ratio;
  const double height = logicalClient.height * ratio;
  if (!(width >= smallest.width && height >= smallest.height)) {
    return ClientAtRatio::kTooSmall;
  }
  return width <= kLargestSide && height <= kLargestSide ? ClientAtRatio::kShowsACard
                                                         : ClientAtRatio::kTooLarge;
}

std::string startupFailureMessage(const SessionFacts& session, bool waylandPluginInstalled) {
  const std::string prefix = cannotStart();
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
