#pragma once

#include <string>

#include "ports/menu.h"

namespace vesperon {

// The icon of a message box, with the values the design's toolkit gives them.
enum class MsgBoxIcon { Critical = 16, Exclamation = 48, Information = 64 };

// The program's modal dialogs.
enum class Dialog { Config, About };

// What the windows ask of the desktop shell beyond their own faces.
class Shell {
 public:
  virtual ~Shell() = default;
  // A message box with one OK button, modal to the whole program; returns
  // when the user has closed it.
  virtual void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) = 0;
  // Pops the children of `menu` up at the mouse pointer; returns when the
  // menu has closed: the entry chosen, or nullptr when none was.
  virtual const MenuEntry* PopupMenu(const MenuEntry& menu) = 0;
  // The same at a point of the clock's face, in pixels from its top-left
  // corner: for the menu opened from the keyboard, which no pointer placed.
  virtual const MenuEntry* PopupMenuAt(const MenuEntry& menu, int x, int y) = 0;
  // Shows the dialog, built afresh, modal to the main window; returns when
  // it has closed.
  virtual void ShowModal(Dialog dialog) = 0;
  // Closes every box, menu and dialog that is open, as the user would
  // dismiss each (a box with its button, a menu with no entry chosen, a
  // dialog as with "Cancelar"), so that the calls that opened them return.
  virtual void CloseAll() = 0;
  // Brings the open dialog above every other window, without keeping it
  // there.
  virtual void BringToFront(Dialog dialog) = 0;
  // While a countdown runs the clock must stay in sight and take clicks
  // whatever else of the program is open: an open popup menu closes, the
  // program's other windows move off the clock, and no dialog or message
  // box holds the clock any more (those opened meanwhile included). `false`
  // gives the dialogs and boxes their hold back.
  virtual void KeepClockInReach(bool inReach) = 0;
};

}  // namespace vesperon
