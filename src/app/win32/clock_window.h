#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/clock_keyboard.h"
#include "app/clock_mouse.h"
#include "app/face_painting.h"
#include "app/frm_main.h"
#include "app/win32/clock_accessible.h"
#include "app/win32/win32_window_system.h"

namespace vesperon::win32_view {

// The clock window: a borderless 171 × 128 popup that paints FrmMain with
// GDI and hands it the user's clicks. It keeps no state that matters; after
// every event Sync() reads the model and repaints only the controls that
// changed. The tray icon's mouse messages reach it in a message of their
// own (kTrayCallbackMessage) and go to the model's tray handler.
class ClockWindow {
 public:
  ClockWindow(FrmMain& model, Win32WindowSystem& windowSystem);
  ~ClockWindow();
  ClockWindow(const ClockWindow&) = delete;
  ClockWindow& operator=(const ClockWindow&) = delete;

  HWND Handle() const { return window_; }

  // Brings the window in line with the model; once the model has been
  // unloaded, hides it and runs the unloaded handler.
  void Sync();
  // After every Sync(): other windows showing the same program catch up.
  void SetSyncedHandler(std::function<void()> handler) { onSynced_ = std::move(handler); }
  void SetUnloadedHandler(std::function<void()> handler) { onUnloaded_ = std::move(handler); }
  // Whether a dialog or message box of the program is open: over one, only
  // the stop takes presses.
  void SetModalTest(std::function<bool()> test) { modalOpen_ = std::move(test); }
  // Whether the clock must stay enabled whatever opens (a countdown runs).
  void SetStayEnabledTest(std::function<bool()> test) { stayEnabled_ = std::move(test); }

  // The message line takes the colour of the skin's digits, so it reads on
  // whatever glass the skin has: the colon face's ink, the colour farthest
  // from its corner pixel (the glass).
  static COLORREF MessageColourOf(const Picture& colon);

  // Every message of the window comes here.
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
  // The keys of the face (clock_window_keys.cpp); false for what the
  // default procedure is to have.
  bool OnKeyboard(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC target, const RECT& area);
  void AddTips();
  void SyncFaces();
  void SyncWindow();
  float TwipsPerPixelX() const;
  float TwipsPerPixelY() const;
  POINT ModelPosition() const;

  FrmMain& model_;
  Win32WindowSystem& windowSystem_;
  ClockMouse mouse_;
  ClockKeyboard keys_;
  ClockAccessibility accessibility_;
  HWND window_ = nullptr;
  HWND command1_ = nullptr;
  HWND tips_ = nullptr;
  HFONT messageFont_ = nullptr;
  HFONT buttonFont_ = nullptr;
  FaceRepaint repaint_;
  const void* shownIcon_ = nullptr;
  const void* colourOf_ = nullptr;  // the colon picture messageColour_ was taken from
  COLORREF messageColour_ = 0;
  bool syncingPosition_ = false;
  bool unloadedShown_ = false;
  std::function<void()> onSynced_;
  std::function<void()> onUnloaded_;
  std::function<bool()> modalOpen_;
  std::function<bool()> stayEnabled_;
};

}  // namespace vesperon::win32_view
