#include <gtest/gtest.h>

#include "app/qt/clock_window.h"
#include "qt/qt_picture_loader.h"
#include "main_harness.h"
#include "platform/linux/linux_file_system.h"

namespace vesperon::qt_view {
namespace {

// The clock window with a sample skin loaded by the real loader.
TEST(SkinnedClockWindow, TheMessageLineTakesTheColourOfTheSkinsDigits) {
  BasicMainHarness<QtPictureLoader> h;
  ASSERT_TRUE(h.Start());
  EXPECT_EQ(ClockWindow::MessageColourOf(h.main.ImgPuntos.picture), ClockWindow::kMessageColour);

  LinuxFileSystem files;
  QtPictureLoader pictures(files);
  SkinLibrary library(files, {VESPERON_SOURCE_DIR "/skins"});
  ModSkin skin({library, pictures, h.shell, h.environment});
  const auto verde = skin.ComprobarSkin("LCD Verde", h.main.ImgTemp.picture);
  ASSERT_TRUE(verde.has_value());
  h.main.ShowSkin(*verde);
  h.main.MostrarMensaje("Apagado ON!");

  ClockWindow window(h.main);
  const QImage face = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Dark ink on light green glass: the text must be darker than the glass,
  // as the digits are.
  const Rect& r = h.main.LblInfo.rect;
  const QRgb glass = face.pixel(r.left + 1, r.top + 1);
  int darkest = 255;
  for (int y = r.top; y < r.top + r.height; ++y)
    for (int x = r.left; x < r.left + r.width; ++x)
      darkest = std::min(darkest, qGray(face.pixel(x, y)));
  EXPECT_LT(darkest, qGray(glass) - 80);
  EXPECT_EQ(face.pixel(5, 100), ImageOf(h.main.Background)->pixel(5, 100));
}

}  // namespace
}  // namespace vesperon::qt_view
