#pragma once

#include <string>

#include "forms/form.h"
#include "ports/tray.h"

namespace vesperon {

// The one notification-area icon of the program and the record it keeps for
// the whole run.
class ModTray {
 public:
  explicit ModTray(TrayPort& port) : port_(port) {}

  void AgregarIconoBandeja(const Form& window);
  void CambiarTipBandeja(const std::string& text);
  void CambiarIconoBandeja(const Picture& icon);
  void QuitarIconoBandeja();
  // A notification area is there to hold the icon.
  bool Available() { return port_.TrayAvailable(); }

 private:
  TrayPort& port_;
  NotifyIconData record_;
};

// The tip field: the text, a NUL, then blanks up to 64 bytes; a text of 64
// bytes or more is cut to 64 without the NUL.
std::string TipField(const std::string& text);

}  // namespace vesperon
