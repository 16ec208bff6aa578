#include "app/qt/clock_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "common/face_size.h"
#include "qt/form_controls.h"
#include "qt/qt_picture_loader.h"

namespace vesperon::qt_view {

namespace {

// The keys the clock answers, by Qt's names for them. With Control, Alt or
// the logo key held they are the desktop's shortcuts, not the clock's.
std::optional<ClockKeyboard::Key> ToKey(const QKeyEvent& event) {
  using Key = ClockKeyboard::Key;
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
    return std::nullopt;
  const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Key::Enter;
    case Qt::Key_Tab:
      return shift ? Key::BackTab : Key::Tab;
    case Qt::Key_Backtab:
      return Key::BackTab;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Down:
      return Key::Down;
    case Qt::Key_Plus:
      return Key::Plus;
    case Qt::Key_Minus:
      return Key::Minus;
    case Qt::Key_Space:
      return Key::Space;
    case Qt::Key_Escape:
      return Key::Escape;
    case Qt::Key_F1:
      return Key::F1;
    case Qt::Key_Menu:
      return Key::Menu;
    case Qt::Key_F10:
      if (shift) return Key::Menu;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace

ClockWindow::ClockWindow(FrmMain& model, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      model_(model),
      mouse_(model),
      keys_(model),
      accessibility_(*this, model),
      command1_(this),
      repaint_(model) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);           // the hand over what can be clicked
  setFocusPolicy(Qt::StrongFocus);  // the keys, once clicked or brought forward
  setFixedSize(kFaceWidthPx, kFaceHeightPx);
  setWindowTitle(QString::fromStdString(model_.caption));

  command1_.setText(QString::fromStdString(model_.Command1.caption));
  command1_.setGeometry(PixelRect(model_.Command1.rect));
  command1_.setFocusPolicy(Qt::NoFocus);
  // Dressed like the buttons painted on the face.
  QPalette palette = command1_.palette();
  palette.setColor(QPalette::Button, QColor(0x3C, 0x43, 0x4B));
  palette.setColor(QPalette::ButtonText, QColor(0xE4, 0xEA, 0xF0));
  command1_.setPalette(palette);
  QFont font = command1_.font();
  font.setBold(true);
  command1_.setFont(font);
  connect(&command1_, &QPushButton::clicked, this, [this] {
    model_.Command1_Click();
    Sync();
  });
}

void ClockWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  if (const QImage* background = ImageOf(model_.Background))
    painter.drawImage(area.topLeft(), *background, area);
  else
    painter.fillRect(area, Qt::black);

  for (const Image* face : mouse_.Faces()) {
    if (!face->visible || !area.intersects(PixelRect(PictureRect(*face)))) continue;
    if (const QImage* picture = ImageOf(face->picture))
      painter.drawImage(face->rect.left, face->rect.top, *picture);
  }

  if (model_.LblInfo.visible && !model_.LblInfo.caption.empty()) {
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(MessageColourOf(model_.ImgPuntos.picture));
    painter.drawText(PixelRect(model_.LblInfo.rect), Qt::AlignCenter,
                     QString::fromStdString(model_.LblInfo.caption));
  }
}

QColor ClockWindow::MessageColourOf(const Picture& colon) {
  std::vector<std::uint32_t> pixels;
  if (const QImage* image = ImageOf(colon)) {
    for (int y = 0; y < image->height(); ++y)
      for (int x = 0; x < image->width(); ++x) pixels.push_back(image->pixel(x, y) & 0xFFFFFF);
  }
  return QColor::fromRgb(vesperon::MessageColourOf(pixels));
}

void ClockWindow::SyncFaces() {
  QRegion changed;
  for (const Rect& r : repaint_.Changed(mouse_.Faces())) changed += PixelRect(r);
  // Painted at once rather than on a later turn of the event loop: the
  // clock wakes twice a second and each wake-up should do all of its work.
  if (!changed.isEmpty() && isVisible()) repaint(changed);
}

// The model's twips per pixel, as its size of 171 × 128 pixels tells them.
QPointF ClockWindow::TwipsPerPixel() const {
  return QPointF(model_.width / static_cast<float>(kFaceWidthPx),
                 model_.height / static_cast<float>(kFaceHeightPx));
}

QPoint ClockWindow::ModelPosition() const {
  const QPointF tpp = TwipsPerPixel();
  const float tppX = static_cast<float>(tpp.x());
  const float tppY = static_cast<float>(tpp.y());
  return QPoint(static_cast<int>(std::lround(model_.left / tppX)),
                static_cast<int>(std::lround(model_.top / tppY)));
}

void ClockWindow::SyncWindow() {
  if (model_.icon.Payload() != shownIcon_) {
    if (const QImage* icon = ImageOf(model_.icon)) setWindowIcon(QIcon(QPixmap::fromImage(*icon)));
    shownIcon_ = model_.icon.Payload();
  }
  if (model_.width > 0 && pos() != ModelPosition()) {
    syncingPosition_ = true;
    move(ModelPosition());
    syncingPosition_ = false;
  }
  if (model_.visible && !isVisible()) {
    if (model_.windowState == WindowState::Minimized)
      showMinimized();
    else
      show();
  } else if (!model_.visible && isVisible()) {
    hide();
  } else if (model_.visible && isMinimized() != (model_.windowState == WindowState::Minimized)) {
    // Minimized to the taskbar, or back from it.
    if (model_.windowState == WindowState::Minimized)
      showMinimized();
    else
      showNormal();
  }
}

// Minimized or restored from outside (the taskbar, the window manager): the
// model follows.
void ClockWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !isVisible()) return;
  model_.windowState = isMinimized() ? WindowState::Minimized : WindowState::Normal;
}

void ClockWindow::Sync() {
  if (!model_.loaded) {
    if (!unloadedShown_) {
      unloadedShown_ = true;
      hide();
      emit unloaded();
    }
    return;
  }
  SyncFaces();
  SyncWindow();
  accessibility_.Sync();
  emit synced();
}

QPointF ClockWindow::TwipsInWindow(QPointF global) const {
  // From the pointer's place on the screen and the model's idea of the
  // window's place, so a move on its way to the screen cannot make a drag
  // jump.
  const QPointF tpp = TwipsPerPixel();
  const float tppX = static_cast<float>(tpp.x());
  const float tppY = static_cast<float>(tpp.y());
  return QPointF(global.x() * tppX - model_.left, global.y() * tppY - model_.top);
}

void ClockWindow::mousePressEvent(QMouseEvent* event) { PassPress(event, &ClockMouse::Press); }

void ClockWindow::PassPress(QMouseEvent* event, PressRule rule) {
  const std::optional<MouseButton> button = HandlerButton(event->button());
  if (!button) return;
  const QPoint p = event->position().toPoint();
  if (HeldByModal(p)) return;
  // Clicked, the clock takes the keyboard, even where no window manager
  // gives it on a click; not from a dialog or box open over it (the stop
  // takes clicks during a countdown), which keeps the keys meant for it.
  if (!isActiveWindow() && QApplication::activeModalWidget() == nullptr) activateWindow();
  const QPointF at = TwipsInWindow(event->globalPosition());
  (mouse_.*rule)(*button, p.x(), p.y(), static_cast<float>(at.x()), static_cast<float>(at.y()));
  Sync();
}

// A countdown lets the clock take clicks over an open dialog or box; only
// the stop is meant for them, and the rest of the face waits for the dialog
// to close, as it does outside a countdown.
bool ClockWindow::HeldByModal(QPoint p) const {
  return QApplication::activeModalWidget() != nullptr &&
         mouse_.AreaAt(p.x(), p.y()) != ClockMouse::Area::TipApagado;
}

void ClockWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const QPointF at = TwipsInWindow(event->globalPosition());
  const bool anyHeld = HeldButtons(event->buttons()) != 0;
  mouse_.Move(anyHeld, event->buttons().testFlag(Qt::LeftButton), p.x(), p.y(),
              static_cast<float>(at.x()), static_cast<float>(at.y()));
  Sync();
}

void ClockWindow::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<MouseButton> button = HandlerButton(event->button());
  if (!button) return;
  mouse_.Release(*button);
  Sync();
}

void ClockWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  PassPress(event, &ClockMouse::DoubleClick);
}

void ClockWindow::keyPressEvent(QKeyEvent* event) {
  const std::optional<ClockKeyboard::Key> key = ToKey(*event);
  if (!key) {
    QWidget::keyPressEvent(event);
    return;
  }
  keys_.Press(*key, event->isAutoRepeat(), QApplication::activeModalWidget() != nullptr);
  Sync();
}

void ClockWindow::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  keys_.Release();
  Sync();
}

void ClockWindow::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  keys_.Release();
  Sync();
}

bool ClockWindow::focusNextPrevChild(bool) { return false; }

void ClockWindow::closeEvent(QCloseEvent* event) {
  // Closed from outside (the window manager, the session's end): the
  // program ends, storing its place as the close button does.
  model_.End();
  event->accept();
  Sync();
}

bool ClockWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowBlocked) {
    // A dialog opened over the clock takes the mouse and the keyboard, and
    // the release of any button or key down here with them.
    mouse_.MouseLost();
    keys_.Release();
    Sync();
  }
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);

  // Each control's tip, shown when the pointer rests on it.
  const QPoint p = static_cast<QHelpEvent*>(event)->pos();
  for (const Image* control : mouse_.Tipped()) {
    if (control->visible && !control->tooltip.empty() && control->rect.Contains(p.x(), p.y())) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                         QString::fromStdString(control->tooltip), this, PixelRect(control->rect));
      return true;
    }
  }
  QToolTip::hideText();
  event->ignore();
  return true;
}

void ClockWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (syncingPosition_ || !isVisible()) return;
  // Moved from outside (the window manager): the model follows.
  const QPointF tpp = TwipsPerPixel();
  const float tppX = static_cast<float>(tpp.x());
  const float tppY = static_cast<float>(tpp.y());
  model_.left = static_cast<float>(pos().x()) * tppX;
  model_.top = static_cast<float>(pos().y()) * tppY;
}

}  // namespace vesperon::qt_view
