#pragma once

#include "about/frm_about.h"
#include "win32/modal_dialog.h"

namespace vesperon::win32_view {

// Shows FrmAbout: a fixed-size tool window with a close button only, laid
// out from the model's frames and labels. Escape closes it too.
class AboutDialog : public ModalDialog {
 public:

  explicit AboutDialog(const Form& mainWindow);

  const FrmAbout& Model() const { return model_; }

 private:
  explicit AboutDialog(FrmAbout model);
  void OnInit() override;

  FrmAbout model_;
};

}  // namespace vesperon::win32_view
