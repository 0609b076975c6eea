#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace flurb::platform::qt {

// What the desktop session tells its programs about where to show windows.
struct SessionFacts {
  std::string qtPlatform;      // QT_QPA_PLATFORM: the user's own choice, if any
  std::string x11Display;      // DISPLAY: an X server, or a Wayland compositor's Xwayland
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string currentDesktop;  // XDG_CURRENT_DESKTOP (else XDG_SESSION_DESKTOP), colon-separated
  std::string runtimeDir;      // XDG_RUNTIME_DIR: where a relative WAYLAND_DISPLAY is found
};

SessionFacts sessionFactsFromEnvironment();

// The toolkit platforms to try for the card window, in order (QT_QPA_PLATFORM's syntax), or
// nothing when the user has chosen one.
std::optional<std::string> chosenPlatforms(const SessionFacts& session);

// One or two lines that say why the window cannot be shown, where that is plain before the
// toolkit starts: a platform chosen by QT_QPA_PLATFORM that shows no window on a desktop (an
// off-screen buffer, a framebuffer, a VNC server), or a Wayland display that cannot be found.
std::optional<std::string> startupRefusal(const SessionFacts& session);

// Whether a scale factor is a positive number; anything else is to be ignored.
bool isScaleFactor(std::string_view text);

// What a device pixel ratio makes of a client area of the given logical size: a card, a client
// smaller than `smallest` device pixels, or one larger than a window system maps (X11 counts in
// 16 bits).
enum class ClientAtRatio { kShowsACard, kTooSmall, kTooLarge };
ClientAtRatio clientAtRatio(PixelSize logicalClient, PixelSize smallest, double ratio);

// One or two lines that say why the window could not be shown and what to do, for a start-up
// that found no usable display. `waylandPluginInstalled` says whether the toolkit's Wayland
// support is there.
std::string startupFailureMessage(const SessionFacts& session, bool waylandPluginInstalled);

// The Debian package that brings the toolkit's Wayland support.
inline constexpr const char* kWaylandPluginPackage = "qt6-wayland";

}  // namespace flurb::platform::qt
