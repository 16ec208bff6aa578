#pragma once

class QWindow;

namespace vesperon::qt_view {

// Puts the X window of `window` into, or out of, the window manager's
// always-on-top band (_NET_WM_STATE_ABOVE), as EWMH asks: by a message to the
// root window while the window is mapped, in the window's own _NET_WM_STATE
// before it is. The X window stays the same one throughout, where changing
// Qt's stays-on-top flag makes Qt replace it at its next show, and the
// window manager forget its desktop and its place in the taskbar. Does
// nothing off X, or before the window has an X window.
void SetX11Above(QWindow& window, bool above);

}  // namespace vesperon::qt_view
