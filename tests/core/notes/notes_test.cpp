#include <gtest/gtest.h>

#include <utility>

#include "canned_picture_loader.h"
#include "notes/frm_mostrar_nota.h"
#include "notes/note_mouse.h"

namespace vesperon {
namespace {

constexpr int kLeft = static_cast<int>(MouseButton::Left);
constexpr int kRight = static_cast<int>(MouseButton::Right);

class NoteWindowTest : public ::testing::Test {
 protected:
  NoteWindowTest() {
    nota.Show();
    nota.left = 3000;
    nota.top = 2400;
  }

  // Where the window stands.
  using Twips = std::pair<float, float>;
  Twips Place() const { return {nota.left, nota.top}; }

  CannedPictureLoader pictures;
  FrmMostrarNota nota{pictures};
};

TEST_F(NoteWindowTest, OpensAsDesigned) {
  EXPECT_TRUE(nota.loaded);
  EXPECT_TRUE(nota.visible);
  EXPECT_EQ(nota.caption, "Vesperon - Nota de Aviso");
  EXPECT_EQ(nota.width, 2865);
  EXPECT_EQ(nota.height, 2175);
  EXPECT_EQ(nota.LblTitulo.caption, "Nombre Nota");
  EXPECT_EQ(nota.LblTexto.caption, "Texto de la nota");
  EXPECT_EQ(nota.LblExpirado.caption, "Expirado el 02/25/2004 - 12:26:00");

  EXPECT_EQ(nota.ImgTitulo.picture, pictures.BuiltIn("nota-titulo.bmp"));
  EXPECT_EQ(nota.ImgNormal.picture, pictures.BuiltIn("nota-normal.bmp"));
  EXPECT_EQ(nota.ImgOver.picture, pictures.BuiltIn("nota-over.bmp"));
  EXPECT_EQ(nota.ImgPushed.picture, pictures.BuiltIn("nota-pushed.bmp"));
  EXPECT_EQ(nota.Image2.picture, pictures.BuiltIn("nota-izquierda.bmp"));
  EXPECT_EQ(nota.Image3.picture, pictures.BuiltIn("nota-derecha.bmp"));
  EXPECT_EQ(nota.Image4.picture, pictures.BuiltIn("nota-inferior.bmp"));
  EXPECT_EQ(nota.Image5.picture, nota.ImgNormal.picture);

  // Every picture fills its place exactly.
  for (const Image* image : {&nota.ImgTitulo, &nota.Image5, &nota.ImgNormal, &nota.ImgOver,
                             &nota.ImgPushed, &nota.Image2, &nota.Image3, &nota.Image4}) {
    EXPECT_EQ(image->picture.Width(), image->rect.width);
    EXPECT_EQ(image->picture.Height(), image->rect.height);
  }
  EXPECT_EQ(nota.Image5.rect, (Rect{173, 5, 13, 13}));
}

TEST_F(NoteWindowTest, CloseButtonShowsPointerAndPress) {
  nota.Image5_MouseMove();
  EXPECT_EQ(nota.Image5.picture, nota.ImgOver.picture);
  nota.Form_MouseMove();
  EXPECT_EQ(nota.Image5.picture, nota.ImgNormal.picture);

  nota.Image5_MouseMove();
  nota.LblTitulo_MouseMove();
  EXPECT_EQ(nota.Image5.picture, nota.ImgNormal.picture);
  nota.Image5_MouseMove();
  nota.LblTexto_MouseMove();
  EXPECT_EQ(nota.Image5.picture, nota.ImgNormal.picture);
  nota.Image5_MouseMove();
  nota.LblExpirado_MouseMove();
  EXPECT_EQ(nota.Image5.picture, nota.ImgNormal.picture);

  nota.Image5_MouseDown(MouseButton::Middle);
  EXPECT_EQ(nota.Image5.picture, nota.ImgPushed.picture);
  EXPECT_TRUE(nota.visible) << "the press alone does not close";
}

TEST_F(NoteWindowTest, ReleaseOnCloseButtonClosesWithAnyButton) {
  for (MouseButton button : {MouseButton::Left, MouseButton::Right}) {
    nota.Show();
    nota.Image5_MouseDown(button);
    nota.Image5_MouseUp(button);
    EXPECT_FALSE(nota.visible);
    EXPECT_FALSE(nota.loaded);
  }
}

TEST_F(NoteWindowTest, DragByTitleFollowsThePointer) {
  nota.ImgTitulo_MouseDown(MouseButton::Left, 600, 150);
  // The pointer moves 10 px right and 4 px up over a window that has not
  // moved yet; the window follows by the same amount.
  nota.ImgTitulo_MouseMove(kLeft, 750, 90);
  EXPECT_EQ(Place(), Twips(3150, 2340));
  // Now over the moved window the pointer is back on the grab point.
  nota.ImgTitulo_MouseMove(kLeft, 600, 150);
  EXPECT_EQ(Place(), Twips(3150, 2340));
  // Another button held as well does not stop the drag.
  nota.ImgTitulo_MouseMove(kLeft | kRight, 570, 165);
  EXPECT_EQ(Place(), Twips(3120, 2355));
}

TEST_F(NoteWindowTest, RightButtonDoesNotDrag) {
  nota.ImgTitulo_MouseDown(MouseButton::Left, 600, 150);
  nota.ImgTitulo_MouseMove(0, 900, 300);  // hovering, no button held
  nota.ImgTitulo_MouseDown(MouseButton::Right, 30, 30);
  nota.ImgTitulo_MouseMove(kRight, 900, 300);
  EXPECT_EQ(Place(), Twips(3000, 2400));
  // The right press did not move the grab point of the left-button drag.
  nota.ImgTitulo_MouseMove(kLeft, 615, 165);
  EXPECT_EQ(Place(), Twips(3015, 2415));
}

// The window starts at 200, 160 px on the screen.
TEST_F(NoteWindowTest, TheControlPressedKeepsTheMouseUntilTheLastButtonIsReleased) {
  NoteMouse mouse(nota);
  // Grabbed by the title, dragged far below it, over the note's text.
  mouse.Press(MouseButton::Left, 50, 10, 250, 170);
  mouse.Move(kLeft, 90, 310, 290, 470);
  EXPECT_EQ(Place(), Twips(3600, 6900));
  mouse.Release(MouseButton::Left, 0, 90, 310);
  EXPECT_FALSE(mouse.Captured());

  // Now at 240, 460 px: a press on the border that slides onto the title
  // drags nothing.
  mouse.Press(MouseButton::Left, 1, 50, 241, 510);
  mouse.Move(kLeft, 120, 12, 360, 472);
  EXPECT_EQ(Place(), Twips(3600, 6900));
  mouse.Release(MouseButton::Left, 0, 120, 12);

  // The close button pressed with two buttons closes at the last release,
  // wherever the pointer is then.
  mouse.Press(MouseButton::Left, 178, 10, 418, 470);
  mouse.Press(MouseButton::Right, 178, 10, 418, 470);
  mouse.Move(kLeft | kRight, 60, 80, 300, 540);
  EXPECT_EQ(nota.Image5.picture, nota.ImgOver.picture);
  mouse.Release(MouseButton::Right, kLeft, 60, 80);
  EXPECT_TRUE(mouse.Captured());
  mouse.Release(MouseButton::Left, 0, 60, 80);
  EXPECT_FALSE(nota.loaded);
}

TEST_F(NoteWindowTest, EveryOpeningShowsTheDesign) {
  nota.LblTitulo.caption = "Otra";
  nota.LblTexto.caption = "cambiada";
  nota.LblExpirado.caption = "";
  nota.Image5_MouseMove();
  nota.needsPlacement = false;
  nota.Image5_MouseUp(MouseButton::Left);

  nota.Show();
  EXPECT_TRUE(nota.visible);
  EXPECT_EQ(nota.LblTitulo.caption, "Nombre Nota");
  EXPECT_EQ(nota.LblTexto.caption, "Texto de la nota");
  EXPECT_EQ(nota.LblExpirado.caption, "Expirado el 02/25/2004 - 12:26:00");
  EXPECT_EQ(nota.Image5.picture, nota.ImgNormal.picture);
  EXPECT_TRUE(nota.needsPlacement) << "a new load is placed afresh";
}

TEST_F(NoteWindowTest, ShowingAnOpenWindowKeepsItAsItIs) {
  nota.needsPlacement = false;
  nota.LblTexto.caption = "cambiada";
  nota.Image5_MouseMove();
  nota.Show();
  EXPECT_EQ(nota.LblTexto.caption, "cambiada");
  EXPECT_EQ(nota.Image5.picture, nota.ImgOver.picture);
  EXPECT_FALSE(nota.needsPlacement);
  EXPECT_EQ(nota.left, 3000);
}

}  // namespace
}  // namespace vesperon
