#include "app/qt/clock_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>
#include <optional>
#include <cstdlib>

#include "app/qt/qt_picture_loader.h"

namespace vesperon {

namespace {

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.width, r.height); }

// Only the three buttons the handlers know; the others (back, forward, ...)
// do nothing at all.
std::optional<MouseButton> ToButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

constexpr Qt::MouseButtons kKnownButtons = Qt::LeftButton | Qt::RightButton | Qt::MiddleButton;

// Pictures are drawn at their own size from the slot's corner.
QRect PictureRect(const Image& image) {
  return QRect(image.rect.left, image.rect.top, image.picture.Width(), image.picture.Height());
}

}  // namespace

ClockWindow::ClockWindow(FrmMain& model, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), model_(model), command1_(this) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // the hand over what can be clicked
  setFixedSize(static_cast<int>(kFaceWidthPx), static_cast<int>(kFaceHeightPx));
  setWindowTitle(QString::fromStdString(model_.caption));

  command1_.setText(QString::fromStdString(model_.Command1.caption));
  command1_.setGeometry(ToQRect(model_.Command1.rect));
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

std::vector<const Image*> ClockWindow::Faces() const {
  std::vector<const Image*> faces;
  for (const auto& digit : model_.ImgHora) faces.push_back(&digit);
  faces.push_back(&model_.ImgDosPuntos);
  faces.push_back(&model_.ImgDosPuntos2);
  faces.push_back(&model_.ImgTipNotas);
  faces.push_back(&model_.ImgTipOk);
  faces.push_back(&model_.TipApagado);
  return faces;
}

void ClockWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  if (const QImage* background = ImageOf(model_.Background))
    painter.drawImage(area.topLeft(), *background, area);
  else
    painter.fillRect(area, Qt::black);

  for (const Image* face : Faces()) {
    if (!face->visible || !area.intersects(PictureRect(*face))) continue;
    if (const QImage* picture = ImageOf(face->picture))
      painter.drawImage(face->rect.left, face->rect.top, *picture);
  }

  if (model_.LblInfo.visible && !model_.LblInfo.caption.empty()) {
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(MessageColourOf(model_.ImgPuntos.picture));
    painter.drawText(ToQRect(model_.LblInfo.rect), Qt::AlignCenter,
                     QString::fromStdString(model_.LblInfo.caption));
  }
}

QColor ClockWindow::MessageColourOf(const Picture& colon) {
  const QImage* image = ImageOf(colon);
  if (image == nullptr || image->isNull()) return kMessageColour;
  const QRgb glass = image->pixel(0, 0);
  QRgb ink = glass;
  int farthest = -1;
  for (int y = 0; y < image->height(); ++y)
    for (int x = 0; x < image->width(); ++x) {
      const QRgb p = image->pixel(x, y);
      const int d = std::abs(qRed(p) - qRed(glass)) + std::abs(qGreen(p) - qGreen(glass)) +
                    std::abs(qBlue(p) - qBlue(glass));
      if (d > farthest) farthest = d, ink = p;
    }
  return QColor::fromRgb(ink);
}

void ClockWindow::SyncFaces() {
  const auto faces = Faces();
  QRegion changed;
  // A new skin: everything may look different.
  if (model_.Background.Payload() != shownBackground_) {
    shownBackground_ = model_.Background.Payload();
    shown_.clear();
  }
  if (shown_.size() != faces.size()) {
    shown_.assign(faces.size(), Shown{});
    changed = rect();
  }
  for (std::size_t i = 0; i < faces.size(); ++i) {
    const Shown now{faces[i]->picture.Payload(), faces[i]->visible};
    if (now.picture == shown_[i].picture && now.visible == shown_[i].visible) continue;
    changed += ToQRect(faces[i]->rect).united(PictureRect(*faces[i]));
    shown_[i] = now;
  }
  if (model_.LblInfo.caption != shownCaption_) {
    changed += ToQRect(model_.LblInfo.rect);
    shownCaption_ = model_.LblInfo.caption;
  }
  // Painted at once rather than on a later turn of the event loop: the
  // clock wakes twice a second and each wake-up should do all of its work.
  if (!changed.isEmpty() && isVisible()) repaint(changed);
}

// The model's twips per pixel, as its size of 171 × 128 pixels tells them.
QPointF ClockWindow::TwipsPerPixel() const {
  return QPointF(model_.width / kFaceWidthPx, model_.height / kFaceHeightPx);
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
  emit synced();
}

ClockWindow::Area ClockWindow::AreaAt(QPoint p) const {
  const std::pair<const Image*, Area> areas[] = {
      {&model_.Image1, Area::Image1},          {&model_.ImgButtonMENOS, Area::Menos},
      {&model_.ImgButtonMAS, Area::Mas},       {&model_.ImgTipOk, Area::TipOk},
      {&model_.TipApagado, Area::TipApagado},  {&model_.ImgCerrar, Area::Cerrar},
      {&model_.ImgMinimizar, Area::Minimizar}, {&model_.ImgConfig, Area::Config},
      {&model_.ImgAbout, Area::About},
  };
  for (const auto& [image, area] : areas)
    if (image->visible && image->rect.Contains(p.x(), p.y())) return area;

  // The pictures and the message line take the mouse too, without acting
  // on it; only what lies outside every control is the window's background.
  std::vector<Rect> others;
  for (const Image* face : Faces()) others.push_back(face->rect);
  others.push_back(model_.LblInfo.rect);
  for (const Rect& r : others)
    if (r.Contains(p.x(), p.y())) return Area::Other;
  return Area::Background;
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

void ClockWindow::mousePressEvent(QMouseEvent* event) {
  const std::optional<MouseButton> maybeButton = ToButton(event->button());
  if (!maybeButton) return;
  const MouseButton button = *maybeButton;
  pressed_ = AreaAt(event->position().toPoint());
  switch (pressed_) {
    case Area::Image1:
      model_.Image1_MouseDown(button);
      break;
    case Area::Menos:
      model_.ImgButtonMENOS_MouseDown(button);
      break;
    case Area::Mas:
      model_.ImgButtonMAS_MouseDown(button);
      break;
    case Area::TipOk:
      model_.ImgTipOk_MouseDown(button);
      break;
    case Area::TipApagado:
      model_.TipApagado_MouseDown(button);
      break;
    case Area::Cerrar:
      model_.ImgCerrar_MouseDown(button);
      break;
    case Area::Minimizar:
      model_.ImgMinimizar_MouseDown(button);
      break;
    case Area::Background: {
      const QPointF at = TwipsInWindow(event->globalPosition());
      model_.Form_MouseDown(button, static_cast<float>(at.x()), static_cast<float>(at.y()));
      break;
    }
    case Area::Config:
      model_.ImgConfig_MouseDown(button);
      break;
    case Area::About:
      model_.ImgAbout_MouseDown(button);
      break;
    case Area::Other:
    case Area::None:
      break;
  }
  Sync();
}

// The mouse belongs to the control it was pressed on until it is released,
// wherever it goes meanwhile: a drag follows it, a held plus stops.
void ClockWindow::mouseMoveEvent(QMouseEvent* event) {
  const bool leftHeld = event->buttons().testFlag(Qt::LeftButton);
  const Area area =
      (event->buttons() & kKnownButtons) ? pressed_ : AreaAt(event->position().toPoint());
  switch (area) {
    case Area::Background: {
      const QPointF at = TwipsInWindow(event->globalPosition());
      model_.Form_MouseMove(leftHeld, static_cast<float>(at.x()), static_cast<float>(at.y()));
      break;
    }
    case Area::Other:
      break;
    default:
      model_.Clickable_MouseMove();
      break;
  }
  Sync();
}

void ClockWindow::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<MouseButton> button = ToButton(event->button());
  if (!button) return;
  if (pressed_ == Area::Mas) model_.ImgButtonMAS_MouseUp(*button);
  if (pressed_ == Area::Menos) model_.ImgButtonMENOS_MouseUp(*button);
  if (pressed_ == Area::Background) model_.Form_MouseUp();
  pressed_ = Area::None;
  Sync();
}

void ClockWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!ToButton(event->button())) return;
  const QPoint p = event->position().toPoint();
  for (int i = 0; i < 6; ++i) {
    if (model_.ImgHora[i].rect.Contains(p.x(), p.y())) {
      model_.ImgHora_DblClick(i + 1);
      Sync();
      return;
    }
  }
  if (model_.ImgDosPuntos.rect.Contains(p.x(), p.y())) {
    model_.ImgDosPuntos_DblClick();
    Sync();
    return;
  }
  if (model_.ImgDosPuntos2.rect.Contains(p.x(), p.y())) {
    model_.ImgDosPuntos2_DblClick();
    Sync();
    return;
  }
  // The second press of a quick pair is a press of its own only where a
  // second step is meant: tapping plus twice steps twice. Elsewhere it is
  // no press: a double click on the indicator arms once, not on and off.
  pressed_ = AreaAt(p);
  if (pressed_ == Area::Mas || pressed_ == Area::Menos || pressed_ == Area::Image1)
    mousePressEvent(event);
}

void ClockWindow::closeEvent(QCloseEvent* event) {
  // Closed by the window manager: the same close and unload as the close button.
  model_.Unload();
  event->accept();
  Sync();
}

// Each control's tip, shown when the pointer rests on it.
bool ClockWindow::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const QPoint p = static_cast<QHelpEvent*>(event)->pos();
  const Image* const controls[] = {&model_.TipApagado, &model_.ImgTipOk,       &model_.ImgTipNotas,
                                   &model_.Image1,     &model_.ImgButtonMENOS, &model_.ImgButtonMAS,
                                   &model_.ImgAbout,   &model_.ImgMinimizar,   &model_.ImgConfig,
                                   &model_.ImgCerrar};
  for (const Image* control : controls) {
    if (control->visible && !control->tooltip.empty() && control->rect.Contains(p.x(), p.y())) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                         QString::fromStdString(control->tooltip), this, ToQRect(control->rect));
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

}  // namespace vesperon
