#include "notes/qt/note_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>

#include "qt/qt_picture_loader.h"
#include "notes/frm_mostrar_nota.h"
#include "platform/linux/linux_file_system.h"

namespace vesperon::qt_view {
namespace {

constexpr QRgb kPaper = 0xFFEEF2F4;

QRgb Opaque(QRgb pixel) { return pixel | 0xFF000000u; }

QImage BuiltIn(const char* name) {
  return QImage(QStringLiteral(":/pictures/") + QString::fromLatin1(name));
}

class NoteWindowView : public ::testing::Test {
 protected:
  NoteWindowView() {
    model.Show();
    window.Sync();
  }

  // The mouse as the window system reports it: local and screen positions.
  void Send(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(local), QPointF(window.mapToGlobal(local)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
  }
  void Press(QPoint at, Qt::MouseButton button) {
    Send(QEvent::MouseButtonPress, at, button, button);
  }
  void Release(QPoint at, Qt::MouseButton button) {
    Send(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
  }
  void Move(QPoint at, Qt::MouseButtons held) { Send(QEvent::MouseMove, at, Qt::NoButton, held); }

  LinuxFileSystem files;
  QtPictureLoader pictures{files};
  FrmMostrarNota model{pictures};
  NoteWindow window{model};
};

TEST_F(NoteWindowView, OpensFramelessOnTopInTheMiddleOfTheScreen) {
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.size(), QSize(191, 145));
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Vesperon - Nota de Aviso"));
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(std::abs(window.geometry().center().x() - screen.center().x()), 1);
  EXPECT_LE(std::abs(window.geometry().center().y() - screen.center().y()), 1);
  EXPECT_EQ(window.pos(), QPoint(std::lround(model.left / 15), std::lround(model.top / 15)));
}

TEST_F(NoteWindowView, PaintsPicturesAndDesignTexts) {
  const QImage shown = window.grab().toImage();
  const QImage title = BuiltIn("nota-titulo.bmp");
  EXPECT_EQ(Opaque(shown.pixel(100, 10)), Opaque(title.pixel(100, 10)));
  EXPECT_EQ(Opaque(shown.pixel(179, 11)), Opaque(BuiltIn("nota-normal.bmp").pixel(6, 6)));
  EXPECT_EQ(Opaque(shown.pixel(1, 100)), Opaque(BuiltIn("nota-izquierda.bmp").pixel(1, 79)));
  EXPECT_EQ(Opaque(shown.pixel(95, 143)), Opaque(BuiltIn("nota-inferior.bmp").pixel(92, 1)));
  EXPECT_EQ(Opaque(shown.pixel(95, 138)), kPaper);

  // Each label's text is inside its label, and the expiry line, the widest,
  // fits on its one line without being cut at either end.
  const auto inkColumns = [&](const Rect& r) {
    int first = -1, last = -1;
    for (int x = r.left; x < r.left + r.width; ++x)
      for (int y = r.top; y < r.top + r.height; ++y)
        if (Opaque(shown.pixel(x, y)) != kPaper) {
          if (first < 0) first = x;
          last = x;
        }
    return std::pair(first, last);
  };
  for (const Label* label : {&model.LblTitulo, &model.LblTexto, &model.LblExpirado}) {
    SCOPED_TRACE(label->caption);
    const auto [first, last] = inkColumns(label->rect);
    EXPECT_GE(first, label->rect.left);
    EXPECT_GT(last, first + 30);
    if (label == &model.LblExpirado) {
      EXPECT_GT(first, label->rect.left);
      EXPECT_LT(last, label->rect.left + label->rect.width - 1);
    }
  }
}

TEST_F(NoteWindowView, CloseButtonFollowsThePointer) {
  Move(QPoint(179, 11), Qt::NoButton);
  EXPECT_EQ(model.Image5.picture, model.ImgOver.picture);
  EXPECT_EQ(Opaque(window.grab().toImage().pixel(179, 11)),
            Opaque(BuiltIn("nota-over.bmp").pixel(6, 6)));
  Move(QPoint(90, 80), Qt::NoButton);
  EXPECT_EQ(model.Image5.picture, model.ImgNormal.picture);
  Press(QPoint(179, 11), Qt::LeftButton);
  EXPECT_EQ(model.Image5.picture, model.ImgPushed.picture);
  EXPECT_TRUE(window.isVisible());
}

TEST_F(NoteWindowView, RightClickOnCloseButtonCloses) {
  Press(QPoint(176, 8), Qt::RightButton);
  Release(QPoint(176, 8), Qt::RightButton);
  EXPECT_FALSE(model.loaded);
  EXPECT_FALSE(window.isVisible());

  model.Show();
  window.Sync();
  EXPECT_TRUE(window.isVisible());
}

TEST_F(NoteWindowView, DragsByTheTitleWithTheLeftButton) {
  const QPoint start = window.pos();
  Press(QPoint(60, 10), Qt::LeftButton);
  Move(QPoint(90, 30), Qt::LeftButton);
  EXPECT_EQ(window.pos(), start + QPoint(30, 20));
  // The pointer leaves the title while dragging; the title keeps it.
  Move(QPoint(70, 60), Qt::LeftButton);
  EXPECT_EQ(window.pos(), start + QPoint(40, 70));
  Release(QPoint(60, 10), Qt::LeftButton);

  Press(QPoint(60, 10), Qt::RightButton);
  Move(QPoint(120, 90), Qt::RightButton);
  Release(QPoint(120, 90), Qt::RightButton);
  EXPECT_EQ(window.pos(), start + QPoint(40, 70));
}

TEST_F(NoteWindowView, ClosedByTheWindowSystemUnloadsTheModel) {
  window.close();
  EXPECT_FALSE(model.loaded);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace vesperon::qt_view
