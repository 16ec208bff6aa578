#include "tray/win32/popup_menu_view.h"

#include <vector>

#include "win32/gdi_drawing.h"
#include "win32/win32_picture_loader.h"

namespace vesperon::win32_view {

namespace {
// MF_BYPOSITION | MF_BITMAP: the entry is named by its place in the menu.
constexpr UINT kByPosition = 0x404;
}  // namespace

PopupMenuView::~PopupMenuView() {
  for (const auto& [picture, bitmap] : bitmaps_) DeleteObject(bitmap);
}

HMENU PopupMenuView::Build(const MenuEntry& model) {
  commands_.clear();
  const HMENU menu = CreatePopupMenu();
  if (menu != nullptr) Fill(menu, model);
  return menu;
}

void PopupMenuView::Fill(HMENU menu, const MenuEntry& model) {
  UINT position = 0;
  for (const MenuEntry* entry : model.children) {
    if (!entry->visible) continue;
    UINT flags = entry->enabled ? MF_ENABLED : MF_GRAYED;
    if (entry->IsSeparator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (!entry->children.empty()) {
      const HMENU sub = CreatePopupMenu();
      Fill(sub, *entry);
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                  Wide(entry->caption).c_str());
    } else {
      commands_.push_back(entry);
      flags |= entry->checked ? MF_CHECKED : MF_UNCHECKED;
      AppendMenuW(menu, flags | MF_STRING, commands_.size(), Wide(entry->caption).c_str());
    }
    // Shown beside the entry while it is unchecked; a separator shows none.
    if (!entry->picture.IsEmpty())
      SetMenuItemBitmaps(menu, position, kByPosition, MenuBitmap(entry->picture), nullptr);
    ++position;
  }
}

// The pictures are drawn on a grey of their own, the colour of their
// corner; that grey becomes the menu's colour, so they sit on whatever the
// menu looks like.
HBITMAP PopupMenuView::MenuBitmap(const Picture& picture) {
  const auto known = bitmaps_.find(picture.Payload());
  if (known != bitmaps_.end()) return known->second;
  std::vector<COLORREF> pixels = PixelsOf(picture);
  HBITMAP bitmap = nullptr;
  if (!pixels.empty()) {
    const COLORREF corner = pixels.front();
    const COLORREF menu = GetSysColor(COLOR_MENU);
    std::vector<DWORD> bits;
    bits.reserve(pixels.size());
    for (COLORREF p : pixels) {
      if (p == corner) p = menu;
      bits.push_back((static_cast<DWORD>(GetRValue(p)) << 16) |
                     (static_cast<DWORD>(GetGValue(p)) << 8) | GetBValue(p));
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = GetDC(nullptr);
    bitmap = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
  }
  bitmaps_.emplace(picture.Payload(), bitmap);
  return bitmap;
}

const MenuEntry* PopupMenuView::EntryOf(UINT command) const {
  if (command == 0 || command > commands_.size()) return nullptr;
  return commands_[command - 1];
}

const MenuEntry* PopupMenuView::Track(const MenuEntry& model, HWND owner) {
  POINT at{};
  GetCursorPos(&at);
  return TrackAt(model, owner, at);
}

const MenuEntry* PopupMenuView::TrackAt(const MenuEntry& model, HWND owner, POINT at) {
  const HMENU menu = Build(model);
  if (menu == nullptr) return nullptr;
  // The menu closes when the user clicks elsewhere only if its owner is in
  // front, as after a click on the tray icon it may not be.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
  // Lets the menu's own loop end cleanly before the next one.
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  return EntryOf(command);
}

}  // namespace vesperon::win32_view
