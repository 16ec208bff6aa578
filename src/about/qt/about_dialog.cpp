#include "about/qt/about_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <cmath>

#include "qt/form_controls.h"
#include "qt/qt_picture_loader.h"

namespace vesperon::qt_view {

namespace {

void AddFrame(QWidget* dialog, const Frame& frame) {
  auto* box = new QGroupBox(QString::fromStdString(frame.caption), dialog);
  box->setGeometry(PixelRect(frame.rect));
}

void AddLabel(QWidget* dialog, const Label& label) {
  auto* text = new QLabel(QString::fromStdString(label.caption), dialog);
  text->setGeometry(PixelRect(label.rect));
  text->setVisible(label.visible);
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(label.rect.height > 2 * text->fontMetrics().height());
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (label.bold) {
    QFont font = text->font();
    font.setBold(true);
    text->setFont(font);
  }
}

}  // namespace

AboutDialog::AboutDialog(const Form& mainWindow, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      model_(mainWindow, "Qt 6 y C++20") {
  model_.Form_Load();
  // The small face the dialog was laid out for.
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  setWindowTitle(QString::fromStdString(model_.caption));
  setFixedSize(static_cast<int>(std::lround(model_.width / kTwipsPerPixel)),
               static_cast<int>(std::lround(model_.height / kTwipsPerPixel)));

  // Frames first, so the labels lie above them.
  for (const Frame* frame : {&model_.Frame1, &model_.Frame2, &model_.Frame3, &model_.Frame4})
    AddFrame(this, *frame);

  auto* icon = new QLabel(this);
  icon->setGeometry(PixelRect(model_.ImgIco.rect));
  if (const QImage* image = ImageOf(model_.ImgIco.picture))
    icon->setPixmap(QPixmap::fromImage(*image));

  for (const Label* label : {&model_.Label1, &model_.LblVersion, &model_.Label13, &model_.Label2,
                             &model_.pageCaption, &model_.pageAddress, &model_.distribution})
    AddLabel(this, *label);
  for (const auto* group : {&model_.creditRoles, &model_.creditNames})
    for (const Label& label : *group) AddLabel(this, label);
  for (const auto* group : {&model_.supportCaptions, &model_.supportAddresses})
    for (const Label& label : *group) AddLabel(this, label);
}

}  // namespace vesperon::qt_view
