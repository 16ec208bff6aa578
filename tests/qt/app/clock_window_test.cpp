#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QToolTip>
#include <QTest>
#include <gtest/gtest.h>

#include "app/qt/clock_window.h"
#include "qt/qt_picture_loader.h"
#include "main_harness.h"

namespace vesperon::qt_view {
namespace {

// The real window over a model on virtual time, with the real pictures.
class ClockWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(h.Start());
    window.Sync();
  }

  QImage Grab() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  bool Shows(const QImage& face, const Rect& slot, const Picture& picture) {
    const QImage expected = ImageOf(picture)->convertToFormat(QImage::Format_RGB32);
    return face.copy(slot.left, slot.top, expected.width(), expected.height()) == expected;
  }

  std::string ShownDigits(const QImage& face) {
    return h.DigitsShown(
        [&](const Image& place, const Picture& digit) { return Shows(face, place.rect, digit); });
  }

  void Click(const Image& area) {
    const QPoint centre(area.rect.left + area.rect.width / 2, area.rect.top + area.rect.height / 2);
    QTest::mouseClick(&window, Qt::LeftButton, {}, centre);
  }

  BasicMainHarness<QtPictureLoader> h{At(2026, 12, 7, 21, 5, 3, 100)};
  FrmMain& main = h.main;
  VirtualTime& time = h.time;
  MemorySettings& settings = h.settings;
  ClockWindow window{main};
};

TEST_F(ClockWindowTest, IsAFramelessFaceOfExactSize) {
  EXPECT_EQ(window.size(), QSize(171, 128));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Vesperon"));
  EXPECT_TRUE(window.isVisible());
  // Centred on the fake 1024 × 768 screen.
  EXPECT_EQ(window.pos(), QPoint(427, 320));
}

TEST_F(ClockWindowTest, PaintsTheDigitsOfTheModel) {
  EXPECT_EQ(ShownDigits(Grab()), "210503");
  time.Advance(std::chrono::milliseconds(1000));
  window.Sync();
  EXPECT_EQ(ShownDigits(Grab()), "210504");
}

TEST_F(ClockWindowTest, HiddenColonsShowTheBackground) {
  EXPECT_TRUE(Shows(Grab(), main.ImgDosPuntos.rect, main.ImgPuntos.picture));
  main.ImgDosPuntos.visible = false;
  window.Sync();
  const QImage face = Grab();
  EXPECT_FALSE(Shows(face, main.ImgDosPuntos.rect, main.ImgPuntos.picture));
  const QImage background = ImageOf(main.Background)->convertToFormat(QImage::Format_RGB32);
  const Rect& r = main.ImgDosPuntos.rect;
  EXPECT_EQ(face.copy(r.left, r.top, r.width, r.height), background.copy(r.left, r.top, r.width, r.height));
  EXPECT_TRUE(Shows(face, main.ImgDosPuntos2.rect, main.ImgPuntos.picture));
}

TEST_F(ClockWindowTest, MessageLineIsDrawnAndCleared) {
  const Rect& r = main.LblInfo.rect;
  const QImage background = ImageOf(main.Background)->convertToFormat(QImage::Format_RGB32);
  const QImage empty = background.copy(r.left, r.top, r.width, r.height);
  EXPECT_NE(Grab().copy(r.left, r.top, r.width, r.height), empty);  // "Bienvenido a Vesperon!"
  time.Advance(std::chrono::milliseconds(1500));
  window.Sync();
  EXPECT_EQ(Grab().copy(r.left, r.top, r.width, r.height), empty);
}

TEST_F(ClockWindowTest, TheWholeRoadByMouse) {
  const QPoint digit(main.ImgHora[3].rect.left + 5, main.ImgHora[3].rect.top + 8);
  QTest::mouseDClick(&window, Qt::LeftButton, {}, digit);
  ASSERT_TRUE(main.AjustarHoraApagado);
  EXPECT_EQ(main.LblInfo.caption, "Hora de pagado");
  EXPECT_TRUE(Shows(Grab(), main.ImgTipOk.rect, main.ImgTipOkON.picture));

  Click(main.ImgButtonMAS);  // hours 0 → 1
  Click(main.Image1);        // minutes
  Click(main.ImgButtonMENOS);  // minutes 0 → 59
  EXPECT_EQ(main.HoraApagado_hrs, 1);
  EXPECT_EQ(main.HoraApagado_min, 59);
  EXPECT_EQ(ShownDigits(Grab()), "015900");

  Click(main.ImgTipOk);
  EXPECT_FALSE(main.AjustarHoraApagado);
  EXPECT_EQ(main.LblInfo.caption, "Apagamos mañana... ;)");
  Click(main.TipApagado);
  EXPECT_TRUE(main.ApagarEquipo);
  EXPECT_TRUE(Shows(Grab(), main.TipApagado.rect, main.ImgTipApagadoON.picture));
}

TEST_F(ClockWindowTest, AHeldStepStopsWhereverTheButtonIsReleased) {
  main.mnAjustarApagado_Click();
  const QPoint plus(main.ImgButtonMAS.rect.left + 5, main.ImgButtonMAS.rect.top + 5);
  QTest::mousePress(&window, Qt::LeftButton, {}, plus);
  EXPECT_TRUE(main.TimerInc.Enabled());
  QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(150, 20));
  EXPECT_FALSE(main.TimerInc.Enabled());
  EXPECT_TRUE(main.TimerSep.Enabled());
}

TEST_F(ClockWindowTest, QuickPairOfClicksOnPlusStepsTwice) {
  main.mnAjustarApagado_Click();
  const QPoint plus(main.ImgButtonMAS.rect.left + 5, main.ImgButtonMAS.rect.top + 5);
  QTest::mouseClick(&window, Qt::LeftButton, {}, plus);
  QTest::mouseDClick(&window, Qt::LeftButton, {}, plus);
  QTest::mouseRelease(&window, Qt::LeftButton, {}, plus);
  EXPECT_EQ(main.HoraApagado_hrs, 2);
  EXPECT_FALSE(main.TimerInc.Enabled());
}

// A quick pair of clicks is two presses only on the stepping buttons.
TEST_F(ClockWindowTest, DoubleClickOnTheIndicatorArmsOnce) {
  main.mnAjustarApagado_Click();
  main.ImgTipOk_MouseDown(MouseButton::Left);
  const QPoint tip(main.TipApagado.rect.left + 5, main.TipApagado.rect.top + 4);
  QTest::mouseClick(&window, Qt::LeftButton, {}, tip);
  QTest::mouseDClick(&window, Qt::LeftButton, {}, tip);
  QTest::mouseRelease(&window, Qt::LeftButton, {}, tip);
  EXPECT_TRUE(main.ApagarEquipo);
  EXPECT_EQ(main.LblInfo.caption, "Apagado ON!");
}

TEST_F(ClockWindowTest, ButtonsBeyondTheThreeDoNothing) {
  const QPoint close(main.ImgCerrar.rect.left + 4, main.ImgCerrar.rect.top + 4);
  for (const Qt::MouseButton button : {Qt::BackButton, Qt::ForwardButton, Qt::ExtraButton4}) {
    QTest::mouseClick(&window, button, {}, close);
    QTest::mouseDClick(&window, button, {}, close);
    QTest::mouseRelease(&window, button, {}, close);
  }
  EXPECT_TRUE(main.loaded);
}

TEST_F(ClockWindowTest, ClosingEndsTheProgramAndKeepsThePlace) {
  QSignalSpy unloaded(&window, &ClockWindow::unloaded);
  window.move(100, 200);
  window.close();  // as the window manager does
  EXPECT_FALSE(main.loaded);
  EXPECT_EQ(unloaded.count(), 1);
  EXPECT_EQ(settings.Get("Window", "xpos"), "1500");
  EXPECT_EQ(settings.Get("Window", "ypos"), "3000");
}

TEST_F(ClockWindowTest, CloseAreaEndsTheProgram) {
  QSignalSpy unloaded(&window, &ClockWindow::unloaded);
  Click(main.ImgCerrar);
  EXPECT_FALSE(main.loaded);
  EXPECT_EQ(unloaded.count(), 1);
}

}  // namespace
}  // namespace vesperon::qt_view

namespace vesperon::qt_view {
namespace {

TEST_F(ClockWindowTest, ControlsShowTheirTips) {
  const QPoint tip(main.TipApagado.rect.left + 3, main.TipApagado.rect.top + 3);
  QHelpEvent onTip(QEvent::ToolTip, tip, window.mapToGlobal(tip));
  QApplication::sendEvent(&window, &onTip);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Indica si el apagado automático está activado"));

  const QPoint plus(main.ImgButtonMAS.rect.left + 3, main.ImgButtonMAS.rect.top + 3);
  QHelpEvent onPlus(QEvent::ToolTip, plus, window.mapToGlobal(plus));
  QApplication::sendEvent(&window, &onPlus);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("mas"));
}

}  // namespace
}  // namespace vesperon::qt_view

namespace vesperon::qt_view {
namespace {

TEST_F(ClockWindowTest, DraggedByItsBackground) {
  // (150, 100) lies outside every control.
  const QPoint grab(150, 100);
  QTest::mousePress(&window, Qt::LeftButton, {}, grab);
  QMouseEvent move(QEvent::MouseMove, QPointF(grab), window.mapToGlobal(QPointF(grab + QPoint(30, 12))),
                   Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(&window, &move);
  EXPECT_EQ(window.pos(), QPoint(427 + 30, 320 + 12));
  QTest::mouseRelease(&window, Qt::LeftButton, {}, grab);
  EXPECT_FALSE(main.Arrastrando);

  // Pressed on a digit, the mouse drags nothing.
  const QPoint digit(main.ImgHora[0].rect.left + 2, main.ImgHora[0].rect.top + 2);
  QTest::mousePress(&window, Qt::LeftButton, {}, digit);
  EXPECT_FALSE(main.Arrastrando);
  QTest::mouseRelease(&window, Qt::LeftButton, {}, digit);
}

}  // namespace
}  // namespace vesperon::qt_view

namespace vesperon::qt_view {
namespace {

TEST_F(ClockWindowTest, MenuAboutAndRightButtonReachTheirHandlers) {
  Click(main.ImgConfig);
  EXPECT_EQ(h.shell.menus.size(), 1u);
  QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(150, 100));
  EXPECT_EQ(h.shell.menus.size(), 2u);
  Click(main.ImgAbout);
  EXPECT_EQ(h.shell.dialogs, std::vector<Dialog>{Dialog::About});
}

// Without a tray the window goes to the taskbar minimized, and the model
// learns when the window manager brings it back.
TEST_F(ClockWindowTest, WithoutATrayMinimizeIconifies) {
  h.trayPort.available = false;
  Click(main.ImgMinimizar);
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.isMinimized());
  window.showNormal();
  EXPECT_EQ(main.windowState, WindowState::Normal);
  Click(main.ImgMinimizar);
  EXPECT_TRUE(window.isMinimized());
}

}  // namespace
}  // namespace vesperon::qt_view
