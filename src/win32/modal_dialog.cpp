#include "win32/modal_dialog.h"

#include <algorithm>
#include <vector>

#include "win32/gdi_drawing.h"

namespace vesperon {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

// An empty dialog template: the controls are made in WM_INITDIALOG.
std::vector<WORD> EmptyTemplate() {
  std::vector<WORD> words((sizeof(DLGTEMPLATE) + 1) / 2 + 3, 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style = kStyle;
  dialog->dwExtendedStyle = kExStyle;
  dialog->cx = 100;
  dialog->cy = 100;
  // No menu, the default class, no title: the three words after it stay 0.
  return words;
}

}  // namespace

ModalDialog::ModalDialog(std::string title, int clientWidth, int clientHeight, int fontPixels)
    : title_(std::move(title)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight),
      fontPixels_(fontPixels) {}

ModalDialog::~ModalDialog() {
  if (font_ != nullptr) DeleteObject(font_);
  for (const auto& [size, font] : fonts_) DeleteObject(font);
}

void ModalDialog::Run(HWND owner, const std::function<void(HWND)>& opened) {
  owner_ = owner;
  opened_ = opened;
  const std::vector<WORD> dialogTemplate = EmptyTemplate();
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                          reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                          &Procedure, reinterpret_cast<LPARAM>(this));
  window_ = nullptr;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->window_ = window;
    SetWindowTextW(window, Wide(self->title_).c_str());
    self->font_ = MakeFont(self->Scale(self->fontPixels_), false);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(self->font_), FALSE);
    self->Place(self->owner_);
    self->OnInit();
    if (self->opened_) self->opened_(window);
    return TRUE;
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_COMMAND) {
    const WORD id = LOWORD(wParam);
    if (self->OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
    if (id == IDCANCEL) {
      self->Close();
      return TRUE;
    }
    return FALSE;
  }
  INT_PTR result = 0;
  if (self->OnMessage(message, wParam, lParam, result)) {
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
  }
  return FALSE;
}

bool ModalDialog::OnCommand(WORD, WORD, HWND) { return false; }

bool ModalDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

int ModalDialog::Scale(int pixels) const {
  const UINT dpi = window_ != nullptr ? GetDpiForWindow(window_) : 0;
  return MulDiv(pixels, dpi == 0 ? 96 : static_cast<int>(dpi), 96);
}

// The client area at the screen's dots per inch, centred on the owner when
// it is on screen, else on the screen the owner is nearest to.
void ModalDialog::Place(HWND owner) {
  const UINT dpi = GetDpiForWindow(window_);
  RECT frame{0, 0, Scale(clientWidth_), Scale(clientHeight_)};
  AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi == 0 ? 96 : dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT around{};
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &around);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    around = monitor.rcWork;
  }
  int left = (around.left + around.right - width) / 2;
  int top = (around.top + around.bottom - height) / 2;
  // Whole on the screen, even for a clock at its edge.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  left =
      std::max(static_cast<int>(work.left), std::min(left, static_cast<int>(work.right) - width));
  top = std::max(static_cast<int>(work.top), std::min(top, static_cast<int>(work.bottom) - height));
  SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND ModalDialog::AddControl(const wchar_t* windowClass, const std::string& text, DWORD style,
                             const Rect& r, int id, DWORD exStyle) {
  const HWND control = CreateWindowExW(
      exStyle, windowClass, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, Scale(r.left),
      Scale(r.top), Scale(r.width), Scale(r.height), window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HFONT ModalDialog::FontOf(int pixels, bool bold) {
  const auto key = std::make_pair(pixels, bold);
  const auto known = fonts_.find(key);
  if (known != fonts_.end()) return known->second;
  const HFONT font = MakeFont(Scale(pixels), bold);
  fonts_.emplace(key, font);
  return font;
}

HWND ModalDialog::AddLabel(const Label& label) {
  constexpr int kSmallestPixels = 8;
  // More than two lines of the dialog's size.
  const bool wrap = label.rect.height > 2 * (fontPixels_ + 2);
  const HWND text = AddControl(L"STATIC", label.caption,
                               SS_NOPREFIX | (wrap ? SS_LEFT : SS_LEFTNOWORDWRAP), label.rect);
  if (text == nullptr) return nullptr;
  const std::wstring caption = Wide(label.caption);
  const HDC dc = GetDC(text);
  HFONT font = nullptr;
  for (int pixels = fontPixels_; pixels >= kSmallestPixels; --pixels) {
    font = FontOf(pixels, label.bold);
    const HGDIOBJ old = SelectObject(dc, font);
    RECT needed{0, 0, Scale(label.rect.width), 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &needed,
              DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    if (needed.right <= Scale(label.rect.width) && needed.bottom <= Scale(label.rect.height)) break;
  }
  ReleaseDC(text, dc);
  SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!label.visible) ShowWindow(text, SW_HIDE);
  return text;
}

}  // namespace vesperon
