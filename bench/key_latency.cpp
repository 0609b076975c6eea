// Key press to repaint on a real X server: presses keys through XTEST and times each from the
// press to the first damage the window reports, then prints the median and the 99th percentile.
//   key_latency WINDOW_ID KEYS [KEY_NAME...]   (default keys: b 7 k 5, in turn)
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Waits for the window's next damage; false after a second without one.
bool waitForDamage(Display* display, int damageEvent) {
  const auto deadline = Clock::now() + std::chrono::seconds(1);
  while (Clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == damageEvent + XDamageNotify) {
        return true;
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  return false;
}

// Lets the program finish whatever the key started, then forgets the damage it did.
void settle(Display* display, Damage damage) {
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  XSync(display, False);
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
  }
  XDamageSubtract(display, damage, None, None);
  XSync(display, False);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: key_latency WINDOW_ID KEYS [KEY_NAME...]\n");
    return 2;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const int count = std::atoi(argv[2]);
  std::vector<std::string> names(argv + 3, argv + argc);
  if (names.empty()) {
    names = {"b", "7", "k", "5"};
  }
  Display* display = XOpenDisplay(nullptr);
  int damageEvent = 0;
  int damageError = 0;
  int major = 0;
  int minor = 0;
  int event = 0;
  int error = 0;
  if (display == nullptr || !XDamageQueryExtension(display, &damageEvent, &damageError) ||
      !XTestQueryExtension(display, &event, &error, &major, &minor)) {
    std::fprintf(stderr, "key_latency: no X display with DAMAGE and XTEST\n");
    return 1;
  }
  const Damage damage = XDamageCreate(display, window, XDamageReportRawRectangles);
  settle(display, damage);
  std::vector<double> millis;
  for (int key = 0; key < count; ++key) {
    const KeyCode code = XKeysymToKeycode(
        display, XStringToKeysym(names[static_cast<std::size_t>(key) % names.size()].c_str()));
    const auto pressed = Clock::now();
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XFlush(display);
    const bool repainted = waitForDamage(display, damageEvent);
    const auto seen = Clock::now();
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
    if (repainted) {
      millis.push_back(std::chrono::duration<double, std::milli>(seen - pressed).count());
    }
    settle(display, damage);
  }
  XDamageDestroy(display, damage);
  XCloseDisplay(display);
  if (millis.empty()) {
    std::fprintf(stderr, "key_latency: the window never repainted\n");
    return 1;
  }
  std::sort(millis.begin(), millis.end());
  const auto at = [&](double share) {
    return millis[std::min(millis.size() - 1,
                           static_cast<std::size_t>(share * static_cast<double>(millis.size())))];
  };
  std::printf("%.2f %.2f %zu\n", at(0.5), at(0.99), millis.size());
  return 0;
}
