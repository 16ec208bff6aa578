#include "notes/qt/note_window.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <optional>

#include "qt/form_controls.h"
#include "qt/qt_picture_loader.h"

namespace vesperon::qt_view {

namespace {

// The paper inside the frame, the colour the note pictures are drawn round.
constexpr QRgb kPaper = 0xFFEEF2F4;
constexpr QRgb kText = 0xFF1A2228;
constexpr QRgb kExpiryText = 0xFF808080;
// The designed 8 point face at 96 dots per inch.
constexpr int kFontPixels = 11;
constexpr int kSmallestFontPixels = 8;

QFont LabelFont(bool bold) {
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kFontPixels);
  font.setBold(bold);
  return font;
}

// Labels do not grow: the sans faces here are wider than the designed one,
// so a one-line label whose text does not fit gets a smaller size instead.
void DrawLabel(QPainter& painter, const Label& label, QFont font, QRgb colour, int flags) {
  if (!label.visible) return;
  const QRect rect = PixelRect(label.rect);
  const QString text = QString::fromStdString(label.caption);
  if (!(flags & Qt::TextWordWrap)) {
    while (font.pixelSize() > kSmallestFontPixels &&
           QFontMetrics(font).horizontalAdvance(text) > rect.width())
      font.setPixelSize(font.pixelSize() - 1);
  }
  painter.setFont(font);
  painter.setPen(QColor::fromRgb(colour));
  painter.drawText(rect, flags, text);
}

}  // namespace

NoteWindow::NoteWindow(FrmMostrarNota& model, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      model_(model),
      mouse_(model) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void NoteWindow::Sync() {
  if (!model_.loaded || !model_.visible) {
    mouse_.Forget();
    if (isVisible()) hide();
    return;
  }
  if (model_.needsPlacement) PlaceInMiddleOfScreen();
  setWindowTitle(QString::fromStdString(model_.caption));
  const QSize size(std::lround(model_.width / kTwipsPerPixel),
                   std::lround(model_.height / kTwipsPerPixel));
  if (this->size() != size) setFixedSize(size);
  const QPoint place(std::lround(model_.left / kTwipsPerPixel),
                     std::lround(model_.top / kTwipsPerPixel));
  if (pos() != place) move(place);
  if (!isVisible()) show();
  update();
}

void NoteWindow::PlaceInMiddleOfScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  const float t = kTwipsPerPixel;
  model_.left = std::round((area.left() + area.width() / 2.0f) * t - model_.width / 2);
  model_.top = std::round((area.top() + area.height() / 2.0f) * t - model_.height / 2);
  model_.needsPlacement = false;
}

void NoteWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor::fromRgb(kPaper));
  // Bottom to top: the order in which the window's controls are stacked.
  for (const Image* image : {&model_.ImgNormal, &model_.ImgOver, &model_.ImgPushed, &model_.Image2,
                             &model_.Image3, &model_.Image4, &model_.ImgTitulo, &model_.Image5}) {
    const QImage* face = ImageOf(image->picture);
    if (image->visible && face) painter.drawImage(QPoint(image->rect.left, image->rect.top), *face);
  }
  DrawLabel(painter, model_.LblTitulo, LabelFont(true), kText, Qt::AlignHCenter | Qt::AlignTop);
  DrawLabel(painter, model_.LblTexto, LabelFont(false), kText,
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  DrawLabel(painter, model_.LblExpirado, LabelFont(false), kExpiryText,
            Qt::AlignHCenter | Qt::AlignTop);
}

void NoteWindow::mousePressEvent(QMouseEvent* event) {
  const auto button = HandlerButton(event->button());
  if (!button) return;
  const QPoint p = event->position().toPoint();
  const QPointF screen = event->globalPosition();
  mouse_.Press(*button, p.x(), p.y(), static_cast<float>(screen.x()),
               static_cast<float>(screen.y()));
  Sync();
}

void NoteWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const QPointF screen = event->globalPosition();
  mouse_.Move(HeldButtons(event->buttons()), p.x(), p.y(), static_cast<float>(screen.x()),
              static_cast<float>(screen.y()));
  Sync();
}

void NoteWindow::mouseReleaseEvent(QMouseEvent* event) {
  const auto button = HandlerButton(event->button());
  if (!button) return;
  const QPoint p = event->position().toPoint();
  mouse_.Release(*button, HeldButtons(event->buttons()), p.x(), p.y());
  Sync();
}

// Closed by the window system (a close shortcut, the session ending): the
// model unloads as it does from its own button.
void NoteWindow::closeEvent(QCloseEvent* event) {
  if (model_.loaded) model_.Unload();
  mouse_.Forget();
  event->accept();
}

}  // namespace vesperon::qt_view
