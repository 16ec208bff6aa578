#pragma once

#include "app/frm_main.h"

namespace vesperon {

// How a view of the clock window hands the keyboard to FrmMain's handlers,
// the same in every view. Each key does what a click on the face does:
//
//   Enter          opens the editor, as a double click on the digits; in
//                  the editor, accepts, as ImgTipOk
//   Tab, BackTab   in the editor, the next field, as Image1; the previous
//   Up, Plus       in the editor, steps the field up, as ImgButtonMAS
//   Down, Minus    in the editor, steps it down, as ImgButtonMENOS
//   Space          TipApagado: arms, disarms, cancels the countdown
//   Escape         cancels a running countdown, as TipApagado; nothing else
//                  (the editor is left only by accepting)
//   F1             About, as ImgAbout
//   Menu           the popup menu, below the menu button ImgConfig
//
// A held stepping key steps again on each of the keyboard's own repeats, at
// the pace the user chose for the keyboard (or not at all, where repeat is
// off), where a held plus or minus on the face steps on TimerInc; the other
// keys act once per press.
class ClockKeyboard {
 public:
  enum class Key { Enter, Tab, BackTab, Up, Down, Plus, Minus, Space, Escape, F1, Menu };

  explicit ClockKeyboard(FrmMain& model) : model_(model) {}

  // `repeated`: the keyboard's own repeat of a held key. `overModal`: a
  // dialog or box of the program is open, and the clock takes keys all the
  // same because a countdown keeps it within reach; only the keys of the
  // stop act then, as only the stop takes clicks.
  void Press(Key key, bool repeated, bool overModal);
  // A key came up, whichever it was, or the window lost the keyboard (whose
  // releases then go elsewhere): a step in progress ends. The keyboard
  // repeats only the key pressed last, and a key may come up under another
  // name than it went down with ('+' after its Shift was let go), so no key
  // is waited for by name.
  void Release();

 private:
  FrmMain& model_;
  // A stepping key is down.
  bool stepping_ = false;
};

}  // namespace vesperon
