#include "app/frm_main.h"

namespace vesperon {

// Every status message of the clock goes through here; each one stays for a
// full 1500 ms from the moment it is shown.
void FrmMain::MostrarMensaje(const std::string& text) {
  if (TimerMsg.Enabled()) TimerMsg.SetEnabled(false);
  LblInfo.caption = text;
  TimerMsg.SetEnabled(true);
}

void FrmMain::TimerMsg_Timer() {
  LblInfo.caption = RestingMessage();
  TimerMsg.SetEnabled(false);
}

// While the system has not answered a power-off request (polkit may be
// asking for a password, for as long as the user takes), the line says so
// whenever no other message is up: a request that may still be granted is
// neither done nor failed.
void FrmMain::PowerOff_Waiting(bool waiting) {
  powerOffWaiting_ = waiting;
  if (!TimerMsg.Enabled()) LblInfo.caption = RestingMessage();
}

std::string FrmMain::RestingMessage() const {
  return powerOffWaiting_ ? "Esperando permiso..." : "";
}

}  // namespace vesperon
