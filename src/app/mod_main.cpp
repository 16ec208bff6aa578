#include "app/mod_main.h"

#include "app/frm_main.h"
#include "tray/frm_menu.h"

namespace vesperon {

bool Main(Environment& environment, FrmMenu& menu, FrmMain& window) {
  if (environment.PrevInstance()) return false;
  menu.Form_Load();
  window.Show();
  return true;
}

}  // namespace vesperon
