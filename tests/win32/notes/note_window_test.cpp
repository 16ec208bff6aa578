#include "notes/win32/note_window.h"

#include <gtest/gtest.h>

#include "win32/win32_picture_loader.h"

namespace vesperon::win32_view {
namespace {

class Win32NoteWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window.Handle(), nullptr);
    nota.Show();
    window.Sync();
  }
  LRESULT Send(UINT message, WPARAM wParam, int x, int y) {
    return SendMessageW(window.Handle(), message, wParam, MAKELPARAM(x, y));
  }
  RECT Place() {
    RECT r;
    GetWindowRect(window.Handle(), &r);
    return r;
  }

  Win32PictureLoader pictures;
  FrmMostrarNota nota{pictures};
  NoteWindow window{nota};
};

TEST_F(Win32NoteWindowTest, AboveEveryWindowDraggedByItsTitleClosedByItsButtonWhateverTheButton) {
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  EXPECT_TRUE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  const RECT start = Place();
  EXPECT_EQ(start.right - start.left, 191);
  EXPECT_EQ(start.bottom - start.top, 145);

  // The right button does not drag; the left one does, by the title.
  Send(WM_RBUTTONDOWN, MK_RBUTTON, 50, 10);
  Send(WM_MOUSEMOVE, MK_RBUTTON, 80, 30);
  Send(WM_RBUTTONUP, 0, 80, 30);
  EXPECT_EQ(Place().left, start.left);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 50, 10);
  Send(WM_MOUSEMOVE, MK_LBUTTON, 60, 15);
  Send(WM_LBUTTONUP, 0, 60, 15);
  EXPECT_EQ(Place().left, start.left + 10);
  EXPECT_EQ(Place().top, start.top + 5);

  // A right press and release on the close button close it.
  Send(WM_RBUTTONDOWN, MK_RBUTTON, 179, 11);
  EXPECT_EQ(nota.Image5.picture, nota.ImgPushed.picture);
  Send(WM_RBUTTONUP, 0, 179, 11);
  EXPECT_FALSE(nota.loaded);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

}  // namespace
}  // namespace vesperon::win32_view
