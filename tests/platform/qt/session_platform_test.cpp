#include "platform/qt/session_platform.h"

#include <algorithm>
#include <cmath>
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
      {"the user's choice stands",
       {"wayland", ":0", "wayland-0", "GNOME", "/run/user/0"},
       std::nullopt},
      {"an X11 session", {"", ":0", "", "openbox", "/run/user/0"}, "xcb"},
      {"GNOME: Xwayland, where the window is centred",
       {"", ":0", "wayland-0", "GNOME", "/run/user/0"},
       "xcb"},
      {"Ubuntu's GNOME", {"", ":0", "wayland-0", "ubuntu:GNOME", "/run/user/0"}, "xcb"},
      {"weston: native Wayland", {"", ":1", "wayland-1", "weston", "/run/user/0"}, "wayland;xcb"},
      {"a desktop nobody named: Xwayland", {"", ":1", "wayland-1", "", "/run/user/0"}, "xcb"},
      {"KDE: native Wayland", {"", ":1", "wayland-0", "KDE", "/run/user/0"}, "wayland;xcb"},
      {"sway: native Wayland", {"", ":1", "wayland-1", "sway", "/run/user/0"}, "wayland;xcb"},
      {"case and lists", {"", ":1", "wayland-1", "X-Generic:kde", "/run/user/0"}, "wayland;xcb"},
      {"a Wayland session without Xwayland",
       {"", "", "wayland-0", "GNOME", "/run/user/0"},
       "wayland;xcb"},
      {"KDE's X11 session", {"", ":0", "", "KDE", "/run/user/0"}, "xcb"},
      {"nothing at all", {"", "", "", "", "/run/user/0"}, "xcb"},
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
void expectCauseAndRemedy(const MessageCase& c, const std::string& message) {
  EXPECT_NE(message.find(c.cause), std::string::npos) << c.name << ": " << message;
  EXPECT_NE(message.find(c.remedy), std::string::npos) << c.name << ": " << message;
  EXPECT_EQ(message.find("einstall"), std::string::npos) << c.name;
  EXPECT_LE(std::count(message.begin(), message.end(), '\n'), 1) << c.name;
}

TEST(StartupFailureMessage, NamesCauseAndRemedy) {
  const MessageCase cases[] = {
      {"no display",
       {"", "", "", "", "/run/user/0"},
       true,
       "neither DISPLAY nor WAYLAND_DISPLAY",
       "desktop session"},
      {"no X server",
       {"", ":93", "", "", "/run/user/0"},
       true,
       "no X server answers on display \":93\"",
       "set DISPLAY"},
      {"Wayland only, no plugin",
       {"", "", "wayland-0", "", "/run/user/0"},
       false,
       "WAYLAND_DISPLAY=wayland-0",
       "sudo apt install qt6-wayland"},
      {"Wayland only, no compositor",
       {"", "", "wayland-9", "", "/run/user/0"},
       true,
       "no Wayland compositor answers on \"wayland-9\"",
       "desktop session"},
      {"the user's platform",
       {"xcb", ":0", "", "", "/run/user/0"},
       true,
       "\"xcb\" chosen by QT_QPA_PLATFORM",
       "Unset QT_QPA_PLATFORM"},
  };
  for (const MessageCase& c : cases) {
    expectCauseAndRemedy(c, startupFailureMessage(c.session, c.waylandPluginInstalled));
  }
}

// What is plain before the toolkit starts: a platform that shows no window on a desktop, a
// Wayland display that cannot be found. Anything else is left to the toolkit.
TEST(StartupRefusal, NamesCauseAndRemedy) {
  const MessageCase cases[] = {
      {"off screen", {"offscreen", ":0", "", "", "/r"}, true, "\"offscreen\" chosen", "xcb"},
      {"VNC after Wayland", {"wayland;vnc", ":0", "", "", "/r"}, true, "\"vnc\" chosen", "xcb"},
      {"framebuffer", {"linuxfb:fb=/dev/fb0", "", "", "", "/r"}, true, "\"linuxfb\"", "unset"},
      {"sway without XDG_RUNTIME_DIR",
       {"", "", "wayland-1", "sway", ""},
       true,
       "XDG_RUNTIME_DIR is not set",
       "set XDG_RUNTIME_DIR"},
      {"Wayland forced without XDG_RUNTIME_DIR",
       {"wayland", ":1", "wayland-1", "sway", ""},
       true,
       "\"wayland-1\" (WAYLAND_DISPLAY) cannot be found",
       "desktop session"},
  };
  for (const MessageCase& c : cases) {
    const auto message = startupRefusal(c.session);
    ASSERT_TRUE(message.has_value()) << c.name;
    expectCauseAndRemedy(c, *message);
  }
  const SessionFacts startable[] = {
      {"xcb:nograb", ":0", "", "", ""},
      {"Wayland-EGL;XCB", ":0", "wayland-0", "", "/r"},
      {"", ":1", "wayland-1", "sway", ""},
      {"", "", "", "", ""},
  };
  for (const SessionFacts& session : startable) {
    EXPECT_EQ(startupRefusal(session), std::nullopt) << session.qtPlatform;
  }
}

TEST(ScaleFactor, OnlyAPositiveNumber) {
  for (const char* factor : {"1", "2", "1.25", "0.5"}) {
    EXPECT_TRUE(isScaleFactor(factor)) << factor;
  }
  for (const char* factor : {"", "0", "-1", "abc", "2x", "nan", "inf", "1e999"}) {
    EXPECT_FALSE(isScaleFactor(factor)) << factor;
  }
}

TEST(ScaleFactor, ShowsACardBetweenOnePictureFrameAndWhatAWindowSystemMaps) {
  const PixelSize client{487, 513};
  const PixelSize frame{473, 297};
  const struct {
    double ratio;
    ClientAtRatio expected;
  } cases[] = {
      {1, ClientAtRatio::kShowsACard},          {0.98, ClientAtRatio::kShowsACard},
      {0.97, ClientAtRatio::kTooSmall},         {0.0001, ClientAtRatio::kTooSmall},
      {63.8, ClientAtRatio::kShowsACard},       {63.9, ClientAtRatio::kTooLarge},
      {1e300, ClientAtRatio::kTooLarge},        {0, ClientAtRatio::kTooSmall},
      {std::nan(""), ClientAtRatio::kTooSmall},
  };
  for (const auto& [ratio, expected] : cases) {
    EXPECT_EQ(clientAtRatio(client, frame, ratio), expected) << ratio;
  }
}

}  // namespace
}  // namespace flurb::platform::qt
