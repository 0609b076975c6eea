#include "x11_window_manager.h"

#include <QtGui/qguiapplication_platform.h>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>

#if QT_CONFIG(xcb)
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>

#include <xcb/xcb.h>
#endif

namespace flurb::platform::qt {

#if QT_CONFIG(xcb)
namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) {
  return ReplyPtr<Reply>(reply, &std::free);
}

xcb_connection_t* x11Connection() {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
  const auto reply = owned(xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
      nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

xcb_window_t rootOf(xcb_connection_t* connection) {
  return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

std::optional<FrameExtents> readFrameExtents(xcb_connection_t* connection, xcb_window_t window,
                                             xcb_atom_t property) {
  const auto reply = owned(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_CARDINAL, 0, 4),
      nullptr));
  constexpr int kValueCount = 4;
  if (!reply || reply->format != 32 ||
      xcb_get_property_value_length(reply.get()) != kValueCount * 4) {
    return std::nullopt;
  }
  const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
  return FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]),
                      static_cast<int>(values[2]), static_cast<int>(values[3])};
}

// Whether a running EWMH window manager lists the request among what it supports.
bool windowManagerSupports(xcb_connection_t* connection, xcb_atom_t request) {
  constexpr std::uint32_t kMaxAtoms = 1024;
  const auto reply = owned(xcb_get_property_reply(
      connection,
      xcb_get_property(connection, 0, rootOf(connection), atom(connection, "_NET_SUPPORTED"),
                       XCB_ATOM_ATOM, 0, kMaxAtoms),
      nullptr));
  if (!reply || reply->format != 32) {
    return false;
  }
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  const int count = xcb_get_property_value_length(reply.get()) / 4;
  return std::find(atoms, atoms + count, request) != atoms + count;
}

class DestroyWatch final : public QAbstractNativeEventFilter {
 public:
  explicit DestroyWatch(xcb_window_t window) : window_(window) {}

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override {
    if (eventType != "xcb_generic_event_t") {
      return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    constexpr std::uint8_t kEventCode = 0x7f;  // without the bit of events sent by a client
    if ((event->response_type & kEventCode) == XCB_DESTROY_NOTIFY &&
        reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == window_) {
      QCoreApplication::exit(0);
    }
    return false;
  }

 private:
  xcb_window_t window_;
};

}  // namespace

void closeWhenDestroyedFromOutside(const QWidget& window) {
  if (x11Connection() == nullptr) {
    return;
  }
  static DestroyWatch watch(static_cast<xcb_window_t>(window.winId()));
  QCoreApplication::instance()->installNativeEventFilter(&watch);
}

std::optional<FrameExtents> requestFrameExtents(QWidget& window) {
  xcb_connection_t* connection = x11Connection();
  if (connection == nullptr) {
    return std::nullopt;
  }
  const auto windowId = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
  const xcb_atom_t requestAtom = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
  if (!windowManagerSupports(connection, requestAtom)) {
    return std::nullopt;
  }

  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = windowId;
  request.type = requestAtom;
  xcb_send_event(connection, 0, rootOf(connection),
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&request));
  xcb_flush(connection);

  // Only a window manager that lists the request gets here, and it answers within a few
  // milliseconds, but on a loaded machine it has taken longer than 200: the loop ends with the
  // answer, so a generous bound costs nothing. This wait happens once, before the first show.
  constexpr auto kPatience = std::chrono::seconds(2);
  constexpr auto kStep = std::chrono::milliseconds(1);
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (std::chrono::steady_clock::now() < deadline) {
    if (auto answer = readFrameExtents(connection, windowId, extents)) {
      return answer;
    }
    std::this_thread::sleep_for(kStep);
  }
  return std::nullopt;
}

void markAsToolWindow(QWidget& window) {
  xcb_connection_t* connection = x11Connection();
  if (connection == nullptr) {
    return;
  }
  const auto windowId = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t skipTaskbar = atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  // weston's window manager knows no taskbar, and never gives the keyboard focus to a utility
  // window: there the window stays a normal one. Everywhere else a utility window gets the small
  // frame (mutter, kwin) and no minimise button (kwin).
  if (windowManagerSupports(connection, skipTaskbar)) {
    const xcb_atom_t utility = atom(connection, "_NET_WM_WINDOW_TYPE_UTILITY");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, windowId,
                        atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &utility);
  }
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, windowId,
                      atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 1, &skipTaskbar);
  xcb_flush(connection);
}

std::optional<QSize> x11ScreenPixels() {
  xcb_connection_t* connection = x11Connection();
  if (connection == nullptr) {
    return std::nullopt;
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  return QSize(screen->width_in_pixels, screen->height_in_pixels);
}

#else

void closeWhenDestroyedFromOutside(const QWidget& /*window*/) {}

std::optional<FrameExtents> requestFrameExtents(QWidget& /*window*/) {
  return std::nullopt;
}

void markAsToolWindow(QWidget& /*window*/) {}

std::optional<QSize> x11ScreenPixels() {
  return std::nullopt;
}

#endif

}  // namespace flurb::platform::qt
