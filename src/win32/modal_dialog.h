#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "forms/controls.h"

namespace vesperon {

// A fixed-size tool window (a small title bar with a close button only, no
// taskbar button) run modally by the dialog manager, so Tab, Enter and Esc
// work as in every dialog of the system. Its controls are laid out in
// pixels at 96 dots per inch and scaled to the screen's.
class ModalDialog {
 public:
  virtual ~ModalDialog();
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows the dialog owned by `owner`, centred on it, and returns when it
  // has closed. `opened` gets the dialog's window as soon as it exists.
  void Run(HWND owner, const std::function<void(HWND)>& opened = {});

  HWND Window() const { return window_; }

 protected:
  // `clientWidth` × `clientHeight`: the client area in pixels at 96 dpi.
  ModalDialog(std::string title, int clientWidth, int clientHeight, int fontPixels);

  // Makes the controls.
  virtual void OnInit() = 0;
  // A control's command; true when handled. Unhandled, IDCANCEL (Esc, the
  // close button) closes the dialog.
  virtual bool OnCommand(WORD id, WORD code, HWND control);
  // Any other message; true when handled, with `result` the answer.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  // A 96-dpi length at the dialog's dots per inch.
  int Scale(int pixels) const;
  // A child control at a 96-dpi rectangle, in the dialog's font.
  HWND AddControl(const wchar_t* windowClass, const std::string& text, DWORD style, const Rect& r,
                  int id = 0, DWORD exStyle = 0);
  HFONT Font() const { return font_; }
  // The dialog's face at another 96-dpi size, made once.
  HFONT FontOf(int pixels, bool bold);
  // A label at its rectangle, in the dialog's size, or smaller where the
  // text would not fit in it (faces differ from one system to another);
  // word-wrapped when the rectangle holds more than two lines.
  HWND AddLabel(const Label& label);
  void Close() { EndDialog(window_, 0); }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Place(HWND owner);

  std::string title_;
  int clientWidth_;
  int clientHeight_;
  int fontPixels_;
  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  HFONT font_ = nullptr;
  std::map<std::pair<int, bool>, HFONT> fonts_;
  std::function<void(HWND)> opened_;
};

}  // namespace vesperon
