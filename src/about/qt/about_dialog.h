#pragma once

#include <QDialog>

#include "about/frm_about.h"

namespace vesperon::qt_view {

// Shows FrmAbout: a fixed-size tool window with a close button only, laid
// out from the model's frames and labels. Escape closes it too.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:

  AboutDialog(const Form& mainWindow, QWidget* parent);

  const FrmAbout& Model() const { return model_; }

 private:
  FrmAbout model_;
};

}  // namespace vesperon::qt_view
