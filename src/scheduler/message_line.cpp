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
  LblInfo.caption.clear();
  TimerMsg.SetEnabled(false);
}

}  // namespace vesperon
