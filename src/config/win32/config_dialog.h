#pragma once

#include <memory>

#include "win32/modal_dialog.h"
#include "config/frm_config.h"

namespace vesperon::win32_view {

// Shows FrmConfig: a fixed-size tool window with a close button only. Each
// user action goes to the model, and the controls are then brought in line
// with it; the dialog closes itself once the model has been unloaded.
// Enter accepts; Escape and the title bar's close button cancel.
class ConfigDialog : public ModalDialog {
 public:

  ConfigDialog(ConfigPorts ports, MainWindow& main);

  const FrmConfig& Model() const { return *model_; }

 private:
  explicit ConfigDialog(std::unique_ptr<FrmConfig> model);

  // The controls' ids, in the order Tab visits them.
  enum Id {
    kTipoWin = 101,
    kRespuesta,
    kIniciar,
    kDiario,
    kSpeaker,
    kMelodia,
    kProbar,
    kSonidos,
    kSkins,
    kPreview,
  };

  void OnInit() override;
  bool OnCommand(WORD id, WORD code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  // A control of Frame1, at its rectangle within the frame.
  HWND AddInFrame(const wchar_t* windowClass, const std::string& text, DWORD style, Rect r,
                  int id = 0, DWORD exStyle = 0);
  HWND AddLabelInFrame(Label label);
  HWND AddComboBox(const ComboBox& list, int id);
  void Sync();

  std::unique_ptr<FrmConfig> model_;
  // Set while Sync() moves the controls, whose notifications then say
  // nothing new.
  bool syncing_ = false;

  HWND tipoWin_ = nullptr;
  HWND respuesta_ = nullptr;
  HWND iniciar_ = nullptr;
  HWND diario_ = nullptr;
  HWND speaker_ = nullptr;
  HWND melodia_ = nullptr;
  HWND probar_ = nullptr;
  HWND sonidos_ = nullptr;
  HWND skins_ = nullptr;
  HWND preview_ = nullptr;
  HWND imagen_ = nullptr;
  HWND version_ = nullptr;
  HWND name_ = nullptr;
  HWND autor_ = nullptr;
  HWND email_ = nullptr;
  HWND web_ = nullptr;
};

}  // namespace vesperon::win32_view
