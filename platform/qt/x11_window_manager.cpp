#include "x11_window_manager.h"

#include <QtGui/qguiapplication_platform.h>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>

#if QT_CONFIG(xcb)
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string_view>

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

// Acts only on the X server's own report that the window's own structure went: a client may send
// a made-up DestroyNotify, and Qt may replace the window's native window with a new one of its own
// (so the id the watch started with is not the one to look for).
class DestroyWatch final : public QAbstractNativeEventFilter {
 public:
  explicit DestroyWatch(const QWidget& window) : window_(window) {}

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override {
    if (eventType != "xcb_generic_event_t") {
      return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (event->response_type != XCB_DESTROY_NOTIFY) {
      return false;
    }
    const auto* destroyed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
    const auto own = static_cast<xcb_window_t>(window_.internalWinId());
    if (destroyed->window == own && destroyed->event == own) {
      QCoreApplication::exit(0);
    }
    return false;
  }

 private:
  const QWidget& window_;
};

using ConnectionPtr = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

// The next event on the connection, or nothing once the deadline has passed: the wait sleeps in
// poll() until the X server writes or the deadline comes.
ReplyPtr<xcb_generic_event_t> nextEvent(xcb_connection_t* connection,
                                        std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    if (auto* event = xcb_poll_for_event(connection)) {
      return owned(event);
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || xcb_connection_has_error(connection) != 0) {
      return owned<xcb_generic_event_t>(nullptr);
    }
    pollfd readable{xcb_get_file_descriptor(connection), POLLIN, 0};
    if (poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
      return owned<xcb_generic_event_t>(nullptr);
    }
  }
}

}  // namespace

std::unique_ptr<QAbstractNativeEventFilter> closeWhenDestroyedFromOutside(const QWidget& window) {
  if (x11Connection() == nullptr) {
    return nullptr;
  }
  auto watch = std::make_unique<DestroyWatch>(window);
  QCoreApplication::instance()->installNativeEventFilter(watch.get());
  return watch;
}

std::optional<FrameExtents> requestFrameExtents(QWidget& window) {
  xcb_connection_t* qtConnection = x11Connection();
  if (qtConnection == nullptr) {
    return std::nullopt;
  }
  const auto windowId = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t requestAtom = atom(qtConnection, "_NET_REQUEST_FRAME_EXTENTS");
  if (!windowManagerSupports(qtConnection, requestAtom)) {
    return std::nullopt;
  }
  // A connection of its own, so that the wait takes the answer's PropertyNotify off a queue that
  // is nobody else's, and Qt's queue stays as it is.
  const ConnectionPtr connection(xcb_connect(nullptr, nullptr), &xcb_disconnect);
  if (xcb_connection_has_error(connection.get()) != 0) {
    return std::nullopt;
  }
  const xcb_atom_t extents = atom(connection.get(), "_NET_FRAME_EXTENTS");
  const std::uint32_t propertyChanges = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection.get(), windowId, XCB_CW_EVENT_MASK, &propertyChanges);

  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = windowId;
  request.type = requestAtom;
  xcb_send_event(connection.get(), 0, rootOf(connection.get()),
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&request));
  // Read after the request: an answer that came before the events were selected is seen here.
  if (auto answer = readFrameExtents(connection.get(), windowId, extents)) {
    return answer;
  }

  // Only a window manager that lists the request gets here, and it answers within a few
  // milliseconds; on a machine loaded many times over, an openbox just started once answered too
  // late for a bound of two seconds. The wait ends with the answer, so a generous bound costs
  // nothing but where a window manager lists the request and never answers. This happens once,
  // before the first show.
  constexpr auto kPatience = std::chrono::seconds(5);
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (const auto event = nextEvent(connection.get(), deadline)) {
    const auto* changed = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
    if (event->response_type == XCB_PROPERTY_NOTIFY && changed->window == windowId &&
        changed->atom == extents && changed->state == XCB_PROPERTY_NEW_VALUE) {
      return readFrameExtents(connection.get(), windowId, extents);
    }
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

std::unique_ptr<QAbstractNativeEventFilter> closeWhenDestroyedFromOutside(
    const QWidget& /*window*/) {
  return nullptr;
}

std::optional<FrameExtents> requestFrameExtents(QWidget& /*window*/) {
  return std::nullopt;
}

void markAsToolWindow(QWidget& /*window*/) {}

std::optional<QSize> x11ScreenPixels() {
  return std::nullopt;
}

#endif

}  // namespace flurb::platform::qt
