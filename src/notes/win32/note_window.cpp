#include "notes/win32/note_window.h"

#include <windowsx.h>

#include <cmath>
#include <optional>

#include "win32/form_controls.h"
#include "win32/gdi_drawing.h"
#include "win32/routed_window.h"

namespace vesperon::win32_view {

namespace {

constexpr wchar_t kClassName[] = L"VesperonNote";
// The paper inside the frame, the colour the note pictures are drawn round.
constexpr COLORREF kPaper = RGB(0xEE, 0xF2, 0xF4);
constexpr COLORREF kText = RGB(0x1A, 0x22, 0x28);
constexpr COLORREF kExpiryText = RGB(0x80, 0x80, 0x80);
// The designed 8 point face at 96 dots per inch.
constexpr int kFontPixels = 11;
constexpr int kSmallestFontPixels = 8;

// Labels do not grow: a one-line label whose text does not fit gets a
// smaller size instead.
void DrawLabel(HDC dc, const Label& label, bool bold, COLORREF colour, UINT flags) {
  if (!label.visible) return;
  RECT rect = PixelRect(label.rect);
  const std::wstring text = Wide(label.caption);
  int pixels = kFontPixels;
  HFONT font = MakeFont(pixels, bold);
  if (!(flags & DT_WORDBREAK)) {
    for (;;) {
      const HGDIOBJ old = SelectObject(dc, font);
      SIZE size{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      SelectObject(dc, old);
      if (size.cx <= label.rect.width || pixels <= kSmallestFontPixels) break;
      DeleteObject(font);
      font = MakeFont(--pixels, bold);
    }
  }
  const HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(font);
}

}  // namespace

NoteWindow::NoteWindow(FrmMostrarNota& model) : model_(model), mouse_(model) {
  if (!RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW))) return;
  window_ =
      CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, Wide(model_.caption).c_str(),
                      WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return;
  RouteMessages(window_, *this);
}

NoteWindow::~NoteWindow() { DestroyRoutedWindow(window_); }

void NoteWindow::Sync() {
  if (window_ == nullptr) return;
  if (!model_.loaded || !model_.visible) {
    mouse_.Forget();
    if (IsWindowVisible(window_)) ShowWindow(window_, SW_HIDE);
    return;
  }
  if (model_.needsPlacement) PlaceInMiddleOfScreen();
  const float t = kTwipsPerPixel;
  const int width = static_cast<int>(std::lround(model_.width / t));
  const int height = static_cast<int>(std::lround(model_.height / t));
  const int left = static_cast<int>(std::lround(model_.left / t));
  const int top = static_cast<int>(std::lround(model_.top / t));
  RECT place;
  GetWindowRect(window_, &place);
  if (place.left != left || place.top != top || place.right - place.left != width ||
      place.bottom - place.top != height)
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOW);
  InvalidateRect(window_, nullptr, FALSE);
}

void NoteWindow::PlaceInMiddleOfScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const float t = kTwipsPerPixel;
  model_.left = std::round((area.left + area.right) / 2.0f * t - model_.width / 2);
  model_.top = std::round((area.top + area.bottom) / 2.0f * t - model_.height / 2);
  model_.needsPlacement = false;
}

LRESULT NoteWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (MouseActionOf(message) != MouseAction::None) {
    OnMouse(message, wParam, lParam);
    return 0;
  }
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window_, &paint);
      Paint(dc);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_CLOSE:
      // Closed by the system (Alt+F4, the session ending): the model unloads
      // as it does from its own button.
      if (model_.loaded) model_.Unload();
      mouse_.Forget();
      Sync();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void NoteWindow::Paint(HDC target) {
  RECT client;
  GetClientRect(window_, &client);
  const HDC canvas = CreateCompatibleDC(target);
  const HBITMAP buffer = CreateCompatibleBitmap(target, client.right, client.bottom);
  const HGDIOBJ oldBuffer = SelectObject(canvas, buffer);

  const HBRUSH paper = CreateSolidBrush(kPaper);
  FillRect(canvas, &client, paper);
  DeleteObject(paper);
  // Bottom to top, as the window was designed.
  for (const Image* image : {&model_.ImgNormal, &model_.ImgOver, &model_.ImgPushed, &model_.Image2,
                             &model_.Image3, &model_.Image4, &model_.ImgTitulo, &model_.Image5})
    if (image->visible) DrawPicture(canvas, image->rect.left, image->rect.top, image->picture);
  DrawLabel(canvas, model_.LblTitulo, true, kText, DT_CENTER | DT_TOP | DT_SINGLELINE);
  DrawLabel(canvas, model_.LblTexto, false, kText, DT_LEFT | DT_TOP | DT_WORDBREAK);
  DrawLabel(canvas, model_.LblExpirado, false, kExpiryText, DT_CENTER | DT_TOP | DT_SINGLELINE);

  BitBlt(target, 0, 0, client.right, client.bottom, canvas, 0, 0, SRCCOPY);
  SelectObject(canvas, oldBuffer);
  DeleteObject(buffer);
  DeleteDC(canvas);
}

void NoteWindow::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  POINT screen = p;
  ClientToScreen(window_, &screen);
  const std::optional<MouseButton> button = HandlerButton(message);
  const MouseAction action = MouseActionOf(message);
  if (action == MouseAction::Move) {
    mouse_.Move(HeldButtons(wParam), p.x, p.y, static_cast<float>(screen.x),
                static_cast<float>(screen.y));
  } else if (action == MouseAction::Press) {
    if (!mouse_.Captured()) SetCapture(window_);
    mouse_.Press(*button, p.x, p.y, static_cast<float>(screen.x), static_cast<float>(screen.y));
  } else if (button) {
    // A release (the window's class asks for no double clicks).
    mouse_.Release(*button, HeldButtons(wParam), p.x, p.y);
    if (!mouse_.Captured() && GetCapture() == window_) ReleaseCapture();
  }
  Sync();
}

}  // namespace vesperon::win32_view
