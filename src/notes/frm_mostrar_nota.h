#pragma once

#include "forms/form.h"
#include "ports/picture_loader.h"

namespace vesperon {

// The note window of the notes feature, which this edition ships switched off.
class FrmMostrarNota : public Form {
 public:
  explicit FrmMostrarNota(PictureLoader& pictures);

  // Loads the window when needed and shows it, modeless.
  void Show();

 private:
  PictureLoader& pictures_;
};

}  // namespace vesperon
