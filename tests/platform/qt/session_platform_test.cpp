#include "platform/qt/session_platform.h"

#include <algorithm>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace flurb::platform::qt {
namespace {

struct PlatformCase {
  const char* name = "";
  SessionFacts session;
  std::optional<std::string> expected;
};

TEST(ChosenPlatforms, FollowTheDesktop) {
  const PlatformCase cases[] = {
      {"the user's choice stands", {"wayland", ":0", "wayland-0", "GNOME"}, std::nullopt},
      {"an X11 session", {"", ":0", "", "openbox"}, "xcb"},
      {"GNOME: Xwayland, where the window is centred", {"", ":0", "wayland-0", "GNOME"}, "xcb"},
      {"Ubuntu's GNOME", {"", ":0", "wayland-0", "ubuntu:GNOME"}, "xcb"},
      {"weston: Xwayland", {"", ":1", "wayland-1", ""}, "xcb"},
      {"KDE: native Wayland", {"", ":1", "wayland-0", "KDE"}, "wayland;xcb"},
      {"sway: native Wayland", {"", ":1", "wayland-1", "sway"}, "wayland;xcb"},
      {"case and lists", {"", ":1", "wayland-1", "X-Generic:kde"}, "wayland;xcb"},
      {"a Wayland session without Xwayland", {"", "", "wayland-0", "GNOME"}, "wayland;xcb"},
      {"KDE's X11 session", {"", ":0", "", "KDE"}, "xcb"},
      {"nothing at all", {"", "", "", ""}, "xcb"},
  };
  for (const PlatformCase& c : cases) {
    EXPECT_EQ(chosenPlatforms(c.session), c.expected) << c.name;
  }
}

struct MessageCase {
  const char* name = "";
  SessionFacts session;
  bool waylandPluginInstalled = true;
  const char* cause = "";
  const char* remedy = "";
};

// Each message names its cause and its remedy in at most two lines, and never advises a
// reinstall of the program.
TEST(StartupFailureMessage, NamesCauseAndRemedy) {
  const MessageCase cases[] = {
      {"no display",
       {"", "", "", ""},
       true,
       "neither DISPLAY nor WAYLAND_DISPLAY",
       "desktop session"},
      {"no X server",
       {"", ":93", "", ""},
       true,
       "no X server answers on display \":93\"",
       "set DISPLAY"},
      {"Wayland only, no plugin",
       {"", "", "wayland-0", ""},
       false,
       "WAYLAND_DISPLAY=wayland-0",
       "sudo apt install qt6-wayland"},
      {"Wayland only, no compositor",
       {"", "", "wayland-9", ""},
       true,
       "no Wayland compositor answers on \"wayland-9\"",
       "desktop session"},
      {"the user's platform",
       {"eglfs", ":0", "", ""},
       true,
       "\"eglfs\" chosen by QT_QPA_PLATFORM",
       "Unset QT_QPA_PLATFORM"},
  };
  for (const MessageCase& c : cases) {
    const std::string message = startupFailureMessage(c.session, c.waylandPluginInstalled);
    EXPECT_NE(message.find(c.cause), std::string::npos) << c.name << ": " << message;
    EXPECT_NE(message.find(c.remedy), std::string::npos) << c.name << ": " << message;
    EXPECT_EQ(message.find("einstall"), std::string::npos) << c.name;
    EXPECT_LE(std::count(message.begin(), message.end(), '\n'), 1) << c.name;
  }
}

}  // namespace
}  // namespace flurb::platform::qt
