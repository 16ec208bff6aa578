#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "ports/menu.h"

namespace vesperon::win32_view {

// The popup menu on screen: a menu made with CreatePopupMenu from the menu
// model each time it pops up, so captions, check marks and pictures are the
// model's. Each entry's picture is attached by its position with
// SetMenuItemBitmaps, as the menu's own load step asks.
class PopupMenuView {
 public:
  PopupMenuView() = default;
  ~PopupMenuView();
  PopupMenuView(const PopupMenuView&) = delete;
  PopupMenuView& operator=(const PopupMenuView&) = delete;

  // Makes the menu of the children of `model`; the caller destroys it.
  HMENU Build(const MenuEntry& model);
  // The entry a command of the menu last built stands for; null for none.
  const MenuEntry* EntryOf(UINT command) const;

  // Pops the menu up at the mouse pointer, for `owner`, and returns when it
  // has closed: the entry chosen, or nullptr.
  const MenuEntry* Track(const MenuEntry& model, HWND owner);
  // The same at a point of the screen.
  const MenuEntry* TrackAt(const MenuEntry& model, HWND owner, POINT at);

 private:
  void Fill(HMENU menu, const MenuEntry& model);
  HBITMAP MenuBitmap(const Picture& picture);

  std::vector<const MenuEntry*> commands_;  // command n + 1 is commands_[n]
  // Menu pictures drawn on the menu's own colour, made once per picture.
  std::map<const void*, HBITMAP> bitmaps_;
};

}  // namespace vesperon::win32_view
