#pragma once

#include <QDialog>

#include "config/frm_config.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace vesperon::qt_view {

// Shows FrmConfig: a fixed-size tool window with a close button only. Each
// user action goes to the model, and the widgets are then brought in line
// with it; the dialog closes itself once the model has been unloaded.
// Escape and the title bar's close button cancel.
class ConfigDialog : public QDialog {
  Q_OBJECT

 public:

  ConfigDialog(ConfigPorts ports, MainWindow& main, QWidget* parent);

  const FrmConfig& Model() const { return model_; }

  void reject() override;

 private:
  void Build();
  void Connect();
  void Sync();

  FrmConfig model_;
  // Set while Sync() moves the widgets, whose signals then say nothing new.
  bool syncing_ = false;

  QGroupBox* frame1_ = nullptr;
  QLabel* icono_ = nullptr;
  QComboBox* tipoWin_ = nullptr;
  QComboBox* respuesta_ = nullptr;
  QCheckBox* iniciar_ = nullptr;
  QCheckBox* diario_ = nullptr;
  QCheckBox* speaker_ = nullptr;
  QComboBox* melodia_ = nullptr;
  QPushButton* probar_ = nullptr;
  QComboBox* sonidos_ = nullptr;
  QListWidget* skins_ = nullptr;
  QLabel* preview_ = nullptr;
  const void* previewShown_ = nullptr;
  QLabel* imagen_ = nullptr;
  QLabel* version_ = nullptr;
  QLabel* name_ = nullptr;
  QLabel* autor_ = nullptr;
  QLabel* email_ = nullptr;
  QLabel* web_ = nullptr;
  QPushButton* aceptar_ = nullptr;
  QPushButton* cancelar_ = nullptr;
};

}  // namespace vesperon::qt_view
