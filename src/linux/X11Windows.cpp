#include "linux/X11Windows.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

namespace brisander {
namespace {

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
  std::free(reply);
  return atom;
}

}  // namespace

bool X11WindowExists(uint32_t window) { return QueryHostGeometry(window).has_value(); }

void ActivateX11Window(uint32_t window) {
  xcb_connection_t* connection = Connection();
  if (!connection) return;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = window;
  request.type = Atom(connection, "_NET_ACTIVE_WINDOW");
  request.data.data32[0] = 1;  // the request comes from an application
  request.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(connection, 0, screen->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&request));
  xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
  xcb_flush(connection);
}

std::optional<HostGeometry> QueryHostGeometry(uint32_t window) {
  xcb_connection_t* connection = Connection();
  if (!connection || window == 0) return std::nullopt;
  xcb_get_geometry_reply_t* reply =
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
  if (!reply) return std::nullopt;
  HostGeometry geometry{reply->x, reply->y, reply->width, reply->height};
  std::free(reply);
  return geometry;
}

HostWatcher::HostWatcher(uint32_t window, std::function<void()> onGone)
    : window_(window), onGone_(std::move(onGone)) {
  xcb_connection_t* connection = Connection();
  if (!connection) return;
  // Each client has its own event mask on a window: asking for the host's
  // structure events takes nothing from its owner.
  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, window_, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);
  QCoreApplication::instance()->installNativeEventFilter(this);
}

HostWatcher::~HostWatcher() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool HostWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t" || !onGone_) return false;
  auto* event = static_cast<xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY) return false;
  if (reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window != window_) return false;
  auto onGone = std::move(onGone_);
  onGone_ = nullptr;
  onGone();
  return false;
}

}  // namespace brisander
