#pragma once

#include <vector>

#include "app/frm_main.h"

namespace vesperon {

// How a view of the clock window hands the mouse to FrmMain's handlers,
// the same in every view: which control lies under a point of the face,
// which one keeps the mouse while a button is held, and which second press
// of a double click counts as a press. Points are pixels in the face;
// twips, for the handlers of the background, are the same point in the
// window's twips.
class ClockMouse {
 public:
  // Where a point of the face falls.
  enum class Area {
    None,
    Image1,
    Menos,
    Mas,
    TipOk,
    TipApagado,
    Cerrar,
    Minimizar,
    Config,
    About,
    Other,       // a picture or the message line: takes the mouse, does nothing
    Background,  // the window itself
  };

  explicit ClockMouse(FrmMain& model) : model_(model) {}

  Area AreaAt(int x, int y) const;

  void Press(MouseButton button, int x, int y, float xTwips, float yTwips);
  // While a button is held, the control pressed keeps the mouse wherever it
  // goes: a drag follows it, a held plus stops where it is released.
  void Move(bool anyHeld, bool leftHeld, int x, int y, float xTwips, float yTwips);
  void Release(MouseButton button);
  // The window has lost the mouse (a menu or a dialog took it while a
  // button was down): the release will never come here, so the press ends
  // now, as a release would end it, and steers nothing after.
  void MouseLost();
  // The second press of a quick pair: it opens the editor on a digit or a
  // colon, is a press of its own on the stepping buttons (tapping plus
  // twice steps twice), and is no press elsewhere (a double click on the
  // indicator arms once, not on and off).
  void DoubleClick(MouseButton button, int x, int y, float xTwips, float yTwips);

  // The faces the view paints, bottom to top.
  std::vector<const Image*> Faces() const;
  // The controls with a tip, in the order they are looked up.
  std::vector<const Image*> Tipped() const;

 private:
  FrmMain& model_;
  Area pressed_ = Area::None;
  MouseButton pressedButton_ = MouseButton::Left;
};

}  // namespace vesperon
