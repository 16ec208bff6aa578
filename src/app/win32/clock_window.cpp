#include "app/win32/clock_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>
#include <cstdlib>
#include <optional>

#include "common/face_size.h"
#include "win32/form_controls.h"
#include "win32/gdi_drawing.h"
#include "win32/routed_window.h"
#include "win32/win32_picture_loader.h"
#include "ports/tray.h"

namespace vesperon::win32_view {

namespace {

constexpr wchar_t kClassName[] = L"VesperonClock";
constexpr UINT_PTR kCommand1Id = 1;

}  // namespace

ClockWindow::ClockWindow(FrmMain& model, Win32WindowSystem& windowSystem)
    : model_(model),
      windowSystem_(windowSystem),
      mouse_(model),
      keys_(model),
      accessibility_(model),
      repaint_(model) {
  // Double clicks open the editor on the digits.
  if (!RegisterWindowClass(kClassName, CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW))) return;
  // A popup has no frame; the system menu and the minimize box let the
  // taskbar minimize and restore it when there is no tray to hide in.
  window_ = CreateWindowExW(0, kClassName, Wide(model_.caption).c_str(),
                            WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, kFaceWidthPx,
                            kFaceHeightPx, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return;
  RouteMessages(window_, *this);
  model_.hWnd = reinterpret_cast<std::uintptr_t>(window_);

  messageFont_ = MakeFont(10, false);
  buttonFont_ = MakeFont(12, true);
  const Rect& r = model_.Command1.rect;
  command1_ = CreateWindowExW(0, L"BUTTON", Wide(model_.Command1.caption).c_str(),
                              WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r.left, r.top, r.width,
                              r.height, window_, reinterpret_cast<HMENU>(kCommand1Id),
                              GetModuleHandleW(nullptr), nullptr);
  AddTips();
}

ClockWindow::~ClockWindow() {
  DestroyRoutedWindow(window_);
  if (messageFont_ != nullptr) DeleteObject(messageFont_);
  if (buttonFont_ != nullptr) DeleteObject(buttonFont_);
}

void ClockWindow::AddTips() {
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  if (tips_ == nullptr) return;
  UINT id = 1;
  for (const Image* control : mouse_.Tipped()) {
    std::wstring text = Wide(control->tooltip);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = id++;
    tool.rect = PixelRect(control->rect);
    tool.lpszText = text.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

LRESULT ClockWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (OnMouse(message, wParam, lParam) || OnKeyboard(message, wParam, lParam)) return 0;
  switch (message) {
    case kTrayCallbackMessage:
      // wParam is the icon's id, lParam the mouse message over it.
      model_.TrayIcon_MouseMessage(LOWORD(lParam));
      Sync();
      return 0;
    case WM_CAPTURECHANGED:
      // A menu or a dialog took the mouse while a button was down here.
      if (reinterpret_cast<HWND>(lParam) != window_) {
        mouse_.MouseLost();
        Sync();
      }
      return 0;
    case WM_CANCELMODE:
      // A modal window is about to take over: what the mouse started ends.
      mouse_.MouseLost();
      Sync();
      break;  // the default procedure releases the capture
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window_, &paint);
      Paint(dc, paint.rcPaint);
      EndPaint(window_, &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      // The face drawn elsewhere: a thumbnail, a magnifier, a test.
      const RECT all{0, 0, kFaceWidthPx, kFaceHeightPx};
      Paint(reinterpret_cast<HDC>(wParam), all);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      SetCursor(windowSystem_.Pointer());
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kCommand1Id && HIWORD(wParam) == BN_CLICKED) {
        // The keys stay the face's, not the button's.
        SetFocus(window_);
        model_.Command1_Click();
        Sync();
        return 0;
      }
      break;
    case WM_DRAWITEM:
      if (wParam == kCommand1Id) {
        DrawFaceButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), buttonFont_,
                       model_.Command1.caption);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      // Alt+F4, the taskbar's Close, taskkill (which asks every top-level
      // window of the program, the ones behind a box included): the program
      // ends, storing its place as the close button does.
      model_.End();
      Sync();
      return 0;
    case WM_MOVE:
      // Moved from outside: the model follows.
      if (!syncingPosition_ && IsWindowVisible(window_) && !IsIconic(window_)) {
        RECT place;
        GetWindowRect(window_, &place);
        model_.left = static_cast<float>(place.left) * TwipsPerPixelX();
        model_.top = static_cast<float>(place.top) * TwipsPerPixelY();
      }
      return 0;
    case WM_SIZE:
      // Minimized or restored from the taskbar: the model follows.
      if (IsWindowVisible(window_) && (wParam == SIZE_MINIMIZED || wParam == SIZE_RESTORED))
        model_.windowState =
            wParam == SIZE_MINIMIZED ? WindowState::Minimized : WindowState::Normal;
      return 0;
    case WM_ENABLE:
      // Disabled by a dialog or box opening during a countdown: the stop
      // must stay within reach.
      if (wParam == FALSE && stayEnabled_ && stayEnabled_()) EnableWindow(window_, TRUE);
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT object = accessibility_.OnGetObject(window_, wParam, lParam)) return object;
      break;
    case WM_DPICHANGED:
      // The face is drawn in pixels, whatever the screen: it keeps its size.
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

bool ClockWindow::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  const MouseAction action = MouseActionOf(message);
  if (action == MouseAction::None)
    // No handler knows the side buttons: their messages end here.
    return message == WM_XBUTTONDOWN || message == WM_XBUTTONUP || message == WM_XBUTTONDBLCLK;
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  const float xTwips = static_cast<float>(x) * TwipsPerPixelX();
  const float yTwips = static_cast<float>(y) * TwipsPerPixelY();
  const std::optional<MouseButton> button = HandlerButton(message);
  // A countdown keeps the clock enabled over an open dialog or box; only the
  // stop is meant for those clicks, the rest of the face waits for the
  // dialog to close, as it does outside a countdown.
  const bool press = action == MouseAction::Press || action == MouseAction::DoubleClick;
  if (press && modalOpen_ && modalOpen_() && mouse_.AreaAt(x, y) != ClockMouse::Area::TipApagado)
    return true;
  switch (action) {
    case MouseAction::Move:
      mouse_.Move(HeldButtons(wParam) != 0, (wParam & MK_LBUTTON) != 0, x, y, xTwips, yTwips);
      break;
    case MouseAction::Press:
      SetCapture(window_);
      // Clicked, the clock takes the keyboard (from the "!" button too).
      SetFocus(window_);
      mouse_.Press(*button, x, y, xTwips, yTwips);
      break;
    case MouseAction::DoubleClick:
      SetCapture(window_);
      mouse_.DoubleClick(*button, x, y, xTwips, yTwips);
      break;
    case MouseAction::Release:
      mouse_.Release(*button);
      if (HeldButtons(wParam) == 0 && GetCapture() == window_) ReleaseCapture();
      break;
    case MouseAction::None:
      break;
  }
  Sync();
  return true;
}

void ClockWindow::Paint(HDC target, const RECT& area) {
  // Drawn off screen and put on the screen at once: no flicker.
  const HDC canvas = CreateCompatibleDC(target);
  const HBITMAP buffer = CreateCompatibleBitmap(target, kFaceWidthPx, kFaceHeightPx);
  const HGDIOBJ oldBuffer = SelectObject(canvas, buffer);
  IntersectClipRect(canvas, area.left, area.top, area.right, area.bottom);

  if (BitmapOf(model_.Background) != nullptr) {
    DrawPicture(canvas, 0, 0, model_.Background);
  } else {
    const RECT all{0, 0, kFaceWidthPx, kFaceHeightPx};
    FillRect(canvas, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  for (const Image* face : mouse_.Faces()) {
    RECT overlap;
    const RECT where = PixelRect(PictureRect(*face));
    if (face->visible && IntersectRect(&overlap, &where, &area))
      DrawPicture(canvas, face->rect.left, face->rect.top, face->picture);
  }
  if (model_.LblInfo.visible && !model_.LblInfo.caption.empty()) {
    if (colourOf_ != model_.ImgPuntos.picture.Payload()) {
      colourOf_ = model_.ImgPuntos.picture.Payload();
      messageColour_ = MessageColourOf(model_.ImgPuntos.picture);
    }
    const HGDIOBJ oldFont = SelectObject(canvas, messageFont_);
    SetBkMode(canvas, TRANSPARENT);
    SetTextColor(canvas, messageColour_);
    RECT line = PixelRect(model_.LblInfo.rect);
    const std::wstring text = Wide(model_.LblInfo.caption);
    DrawTextW(canvas, text.c_str(), static_cast<int>(text.size()), &line,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(canvas, oldFont);
  }

  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, canvas,
         area.left, area.top, SRCCOPY);
  SelectObject(canvas, oldBuffer);
  DeleteObject(buffer);
  DeleteDC(canvas);
}

COLORREF ClockWindow::MessageColourOf(const Picture& colon) {
  std::vector<std::uint32_t> pixels;
  for (const COLORREF p : PixelsOf(colon))
    pixels.push_back(GetRValue(p) << 16 | GetGValue(p) << 8 | GetBValue(p));
  const std::uint32_t ink = vesperon::MessageColourOf(pixels);
  return RGB((ink >> 16) & 0xFF, (ink >> 8) & 0xFF, ink & 0xFF);
}

void ClockWindow::SyncFaces() {
  const std::vector<Rect> changed = repaint_.Changed(mouse_.Faces());
  if (changed.empty()) return;
  for (const Rect& r : changed) {
    const RECT area = PixelRect(r);
    InvalidateRect(window_, &area, FALSE);
  }
  // Painted at once rather than when the queue is empty: the clock wakes
  // twice a second and each wake-up should do all of its work.
  if (IsWindowVisible(window_)) UpdateWindow(window_);
}

// The model's twips per pixel, as its size of 171 × 128 pixels tells them.
float ClockWindow::TwipsPerPixelX() const {
  return model_.width > 0 ? model_.width / kFaceWidthPx : windowSystem_.TwipsPerPixelX();
}

float ClockWindow::TwipsPerPixelY() const {
  return model_.height > 0 ? model_.height / kFaceHeightPx : windowSystem_.TwipsPerPixelY();
}

POINT ClockWindow::ModelPosition() const {
  return {static_cast<LONG>(std::lround(model_.left / TwipsPerPixelX())),
          static_cast<LONG>(std::lround(model_.top / TwipsPerPixelY()))};
}

void ClockWindow::SyncWindow() {
  if (model_.icon.Payload() != shownIcon_) {
    shownIcon_ = model_.icon.Payload();
    const HICON icon = IconOf(model_.icon);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  if (model_.width > 0 && !IsIconic(window_)) {
    RECT place;
    GetWindowRect(window_, &place);
    const POINT wanted = ModelPosition();
    if (place.left != wanted.x || place.top != wanted.y) {
      syncingPosition_ = true;
      SetWindowPos(window_, nullptr, wanted.x, wanted.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      syncingPosition_ = false;
    }
  }
  const bool minimized = model_.windowState == WindowState::Minimized;
  const bool shown = IsWindowVisible(window_) != FALSE;
  if (model_.visible && !shown) {
    ShowWindow(window_, minimized ? SW_SHOWMINNOACTIVE : SW_SHOW);
    // Back from the tray: in front, where the user asked for it.
    if (!minimized) SetForegroundWindow(window_);
  } else if (!model_.visible && shown) {
    ShowWindow(window_, SW_HIDE);
  } else if (model_.visible && (IsIconic(window_) != FALSE) != minimized) {
    ShowWindow(window_, minimized ? SW_MINIMIZE : SW_RESTORE);
  }
}

void ClockWindow::Sync() {
  if (window_ == nullptr) return;
  if (!model_.loaded) {
    if (!unloadedShown_) {
      unloadedShown_ = true;
      ShowWindow(window_, SW_HIDE);
      if (onUnloaded_) onUnloaded_();
    }
    return;
  }
  SyncFaces();
  SyncWindow();
  accessibility_.Sync(window_);
  if (onSynced_) onSynced_();
}

}  // namespace vesperon::win32_view
