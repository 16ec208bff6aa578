#include "app/qt/x11_above_state.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace vesperon::qt_view {

namespace {

// _NET_WM_STATE's actions, and the source that says an application asks.
constexpr std::uint32_t kStateRemove = 0;
constexpr std::uint32_t kStateAdd = 1;
constexpr std::uint32_t kSourceApplication = 1;
// More states than any window manager sets on one window.
constexpr std::uint32_t kMostStates = 64;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  ReplyPtr<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(
          connection,
          xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
          nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Asks the window manager, which owns the state of a mapped window.
void SendToRoot(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state,
                xcb_atom_t aboveAtom, bool above) {
  ReplyPtr<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr),
      &std::free);
  if (!geometry) return;
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = state;
  message.data.data32[0] = above ? kStateAdd : kStateRemove;
  message.data.data32[1] = aboveAtom;
  message.data.data32[3] = kSourceApplication;
  xcb_send_event(connection, 0, geometry->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
}

// Writes the state of a window not yet mapped, which the window manager
// reads when it maps it; the other states there are kept.
void WriteProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state,
                   xcb_atom_t aboveAtom, bool above) {
  ReplyPtr<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(
          connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, kMostStates),
          nullptr),
      &std::free);
  std::vector<xcb_atom_t> states;
  if (reply && reply->type == XCB_ATOM_ATOM && reply->format == 32) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    states.assign(atoms, atoms + xcb_get_property_value_length(reply.get()) / 4);
  }
  std::erase(states, aboveAtom);
  if (above) states.push_back(aboveAtom);
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32,
                      static_cast<std::uint32_t>(states.size()), states.data());
}

}  // namespace

void SetX11Above(QWindow& window, bool above) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (connection == nullptr || window.handle() == nullptr) return;
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
  const xcb_atom_t aboveAtom = Atom(connection, "_NET_WM_STATE_ABOVE");
  if (state == XCB_ATOM_NONE || aboveAtom == XCB_ATOM_NONE) return;
  if (window.isVisible())
    SendToRoot(connection, id, state, aboveAtom, above);
  else
    WriteProperty(connection, id, state, aboveAtom, above);
  xcb_flush(connection);
}

}  // namespace vesperon::qt_view
