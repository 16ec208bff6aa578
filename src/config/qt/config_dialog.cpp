#include "config/qt/config_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <cmath>

#include "qt/form_controls.h"
#include "qt/qt_picture_loader.h"

namespace vesperon::qt_view {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// What a screen reader calls a control: its caption, without the
// accelerator's mark or a label's colon.
QString SpokenName(const std::string& caption) {
  QString name = Text(caption).remove(QLatin1Char('&'));
  if (name.endsWith(QLatin1Char(':'))) name.chop(1);
  return name;
}

QGroupBox* MakeFrame(QWidget* parent, const Frame& frame) {
  auto* box = new QGroupBox(Text(frame.caption), parent);
  box->setGeometry(PixelRect(frame.rect));
  return box;
}

QLabel* MakeLabel(QWidget* parent, const Label& label) {
  auto* text = new QLabel(Text(label.caption), parent);
  text->setGeometry(PixelRect(label.rect));
  // Skin descriptions are shown as written, never as markup.
  text->setTextFormat(Qt::PlainText);
  text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return text;
}

QComboBox* MakeComboBox(QWidget* parent, const ComboBox& list, const QString& name) {
  auto* box = new QComboBox(parent);
  box->setGeometry(PixelRect(list.rect));
  for (const std::string& item : list.items) box->addItem(Text(item));
  box->setAccessibleName(name);
  return box;
}

QCheckBox* MakeCheckBox(QWidget* parent, const CheckBox& check) {
  auto* box = new QCheckBox(Text(check.caption), parent);
  box->setGeometry(PixelRect(check.rect));
  box->setAccessibleName(SpokenName(check.caption));
  return box;
}

QPushButton* MakeButton(QWidget* parent, const Button& button) {
  auto* push = new QPushButton(Text(button.caption), parent);
  push->setGeometry(PixelRect(button.rect));
  push->setAccessibleName(SpokenName(button.caption));
  return push;
}

}  // namespace

ConfigDialog::ConfigDialog(ConfigPorts ports, MainWindow& main, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      model_(ports, main) {
  model_.Form_Load();
  Build();
  Connect();
  Sync();
}

void ConfigDialog::Build() {
  // The small face the dialog was laid out for.
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  setWindowTitle(Text(model_.caption));
  setFixedSize(static_cast<int>(std::lround(model_.width / kTwipsPerPixel)),
               static_cast<int>(std::lround(model_.height / kTwipsPerPixel)));

  frame1_ = MakeFrame(this, model_.Frame1);
  // The inner frames first, so the controls drawn over them stay on top.
  MakeFrame(frame1_, model_.Frame2);
  MakeFrame(frame1_, model_.Frame3);

  icono_ = new QLabel(frame1_);
  icono_->setGeometry(PixelRect(model_.ImgIcono.rect));
  if (const QImage* image = ImageOf(model_.ImgIcono.picture))
    icono_->setPixmap(QPixmap::fromImage(*image));

  auto* label2 = MakeLabel(frame1_, model_.Label2);
  tipoWin_ = MakeComboBox(frame1_, model_.CmbTipoWin, SpokenName(model_.Label2.caption));
  label2->setBuddy(tipoWin_);
  auto* label3 = MakeLabel(frame1_, model_.Label3);
  respuesta_ = MakeComboBox(frame1_, model_.CmbRespuesta,
                            SpokenName(model_.Label3.caption) + QStringLiteral(", segundos"));
  label3->setBuddy(respuesta_);
  MakeLabel(frame1_, model_.Label4);

  iniciar_ = MakeCheckBox(frame1_, model_.ChkIniciarConWindows);
  diario_ = MakeCheckBox(frame1_, model_.ChkDiario);
  speaker_ = MakeCheckBox(frame1_, model_.ChkSpeaker);
  melodia_ = MakeComboBox(frame1_, model_.CmbMelodia, QStringLiteral("Melodía"));
  probar_ = MakeButton(frame1_, model_.BtnProbarMelodia);
  probar_->setAccessibleDescription(QStringLiteral("Toca la melodía elegida"));
  auto* label5 = MakeLabel(frame1_, model_.Label5);
  sonidos_ = MakeComboBox(frame1_, model_.CmbSonidos, SpokenName(model_.Label5.caption));
  label5->setBuddy(sonidos_);

  auto* label1 = MakeLabel(frame1_, model_.Label1);
  skins_ = new QListWidget(frame1_);
  skins_->setGeometry(PixelRect(model_.LstSkin.rect));
  skins_->setSelectionMode(QAbstractItemView::SingleSelection);
  skins_->setAccessibleName(SpokenName(model_.Label1.caption));
  for (const std::string& name : model_.LstSkin.items) skins_->addItem(Text(name));
  label1->setBuddy(skins_);

  // Under the preview: the frame round it, and the label that shows while
  // there is no picture.
  auto* shape = new QFrame(frame1_);
  shape->setGeometry(PixelRect(model_.Shape1.rect));
  shape->setFrameStyle(QFrame::Box | QFrame::Plain);
  imagen_ = MakeLabel(frame1_, model_.LblImagen);
  imagen_->setAlignment(Qt::AlignCenter);
  preview_ = new QLabel(frame1_);
  preview_->setGeometry(PixelRect(model_.ImgSkinPreview.rect));
  preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // unscaled, from the corner
  preview_->setAccessibleName(QStringLiteral("Vista previa del skin"));

  version_ = MakeLabel(frame1_, model_.LblSkinVersion);
  name_ = MakeLabel(frame1_, model_.LblSkinName);
  autor_ = MakeLabel(frame1_, model_.LblSkinAutor);
  email_ = MakeLabel(frame1_, model_.LblSkinEmail);
  web_ = MakeLabel(frame1_, model_.LblSkinWeb);

  aceptar_ = MakeButton(this, model_.BtnAceptar);
  aceptar_->setDefault(true);
  cancelar_ = MakeButton(this, model_.BtnCancelar);

  QWidget* const order[] = {tipoWin_, respuesta_, iniciar_, diario_,  speaker_, melodia_,
                            probar_,  sonidos_,   skins_,   aceptar_, cancelar_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  tipoWin_->setFocus();
}

void ConfigDialog::Connect() {
  auto onList = [this](QComboBox* box, ComboBox& list) {
    connect(box, &QComboBox::currentIndexChanged, this, [this, &list](int index) {
      if (syncing_) return;
      list.listIndex = index;
      Sync();
    });
  };
  onList(tipoWin_, model_.CmbTipoWin);
  onList(respuesta_, model_.CmbRespuesta);
  onList(melodia_, model_.CmbMelodia);
  onList(sonidos_, model_.CmbSonidos);

  connect(iniciar_, &QCheckBox::toggled, this, [this](bool checked) {
    if (syncing_) return;
    model_.ChkIniciarConWindows.value = checked;
    Sync();
  });
  connect(diario_, &QCheckBox::toggled, this, [this](bool checked) {
    if (syncing_) return;
    model_.ChkDiario.value = checked;
    Sync();
  });
  connect(speaker_, &QCheckBox::toggled, this, [this](bool checked) {
    if (syncing_) return;
    model_.ChkSpeaker.value = checked;
    model_.ChkSpeaker_Click();
    Sync();
  });
  connect(probar_, &QPushButton::clicked, this, [this] { model_.BtnProbarMelodia_Click(); });

  connect(skins_, &QListWidget::itemSelectionChanged, this, [this] {
    if (syncing_) return;
    const QList<QListWidgetItem*> selected = skins_->selectedItems();
    // A list of this kind always keeps its one selection; Ctrl+click
    // cannot take it away.
    const int row = selected.isEmpty() ? model_.LstSkin.listIndex : skins_->row(selected.front());
    if (row != model_.LstSkin.listIndex) {
      model_.LstSkin.listIndex = row;
      model_.LstSkin_Click();
    }
    Sync();
  });

  connect(aceptar_, &QPushButton::clicked, this, [this] {
    model_.BtnAceptar_Click();
    Sync();
    if (!model_.loaded) done(Accepted);
  });
  connect(cancelar_, &QPushButton::clicked, this, [this] {
    model_.BtnCancelar_Click();
    QDialog::reject();
  });
}

void ConfigDialog::reject() {
  model_.Unload();
  QDialog::reject();
}

void ConfigDialog::Sync() {
  syncing_ = true;
  auto syncLabel = [](QLabel* widget, const Label& label) {
    widget->setText(Text(label.caption));
    widget->setVisible(label.visible);
  };
  syncLabel(imagen_, model_.LblImagen);
  syncLabel(version_, model_.LblSkinVersion);
  syncLabel(name_, model_.LblSkinName);
  syncLabel(autor_, model_.LblSkinAutor);
  syncLabel(email_, model_.LblSkinEmail);
  syncLabel(web_, model_.LblSkinWeb);

  auto syncList = [](QComboBox* box, const ComboBox& list) {
    box->setCurrentIndex(list.listIndex);
    box->setEnabled(list.enabled);
  };
  syncList(tipoWin_, model_.CmbTipoWin);
  syncList(respuesta_, model_.CmbRespuesta);
  syncList(melodia_, model_.CmbMelodia);
  syncList(sonidos_, model_.CmbSonidos);

  iniciar_->setChecked(model_.ChkIniciarConWindows.value);
  diario_->setChecked(model_.ChkDiario.value);
  speaker_->setChecked(model_.ChkSpeaker.value);
  probar_->setEnabled(model_.BtnProbarMelodia.enabled);

  const int selected = model_.LstSkin.listIndex;
  if (selected < 0) {
    skins_->clearSelection();
  } else if (!skins_->item(selected)->isSelected()) {
    skins_->setCurrentRow(selected, QItemSelectionModel::ClearAndSelect);
  }

  if (model_.ImgSkinPreview.picture.Payload() != previewShown_) {
    previewShown_ = model_.ImgSkinPreview.picture.Payload();
    const QImage* image = ImageOf(model_.ImgSkinPreview.picture);
    preview_->setPixmap(image != nullptr ? QPixmap::fromImage(*image) : QPixmap());
  }
  preview_->setVisible(model_.ImgSkinPreview.visible);
  syncing_ = false;
}

}  // namespace vesperon::qt_view
