#pragma once

#include <optional>
#include <string>

#include "common/settings_schema.h"
#include "ports/picture.h"

namespace vesperon {

class ModSkin;

// The clock window as the popup menu and the configuration dialog reach it:
// the few things their handlers do to it. FrmMain implements it; the menu
// and the dialog know the clock window through this alone, not its class.
class MainWindow {
 public:
  virtual ~MainWindow() = default;

  // Saves a setting; a write that fails is remembered until
  // ShowUnsavedSettings, which ends an operation that wrote settings: when
  // one of its writes failed, it says so once and returns true.
  virtual void WriteSetting(const Setting& setting, const std::string& value) = 0;
  virtual bool ShowUnsavedSettings() = 0;

  // --- what the menu's handlers do ---
  virtual bool IsMinimized() const = 0;
  // Whether the configuration dialog is open (FrmConfigShow).
  virtual void SetConfigShowing(bool showing) = 0;
  virtual void mnAjustarApagado_Click() = 0;
  virtual void Unload() = 0;

  // --- what the configuration dialog does ---
  virtual const Picture& Icon() const = 0;
  // The scratch picture (ImgTemp) that the skin check loads into.
  virtual Picture& SkinScratch() = 0;
  // The dialog's skin step on accept; see FrmMain.
  virtual bool AplicarSkinElegido(ModSkin& skin, const std::optional<std::string>& selected) = 0;
  // The daily shutdown was just turned on in the dialog: the stored time is
  // armed for its next coming.
  virtual void DailyShutdown_TurnedOn() = 0;
};

}  // namespace vesperon
