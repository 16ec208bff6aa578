#include <chrono>

#include "app/frm_main.h"
#include "common/settings_schema.h"
#include "common/time_text.h"

namespace vesperon {

void FrmMain::OpenEditor() {
  AjustarHoraIndexSel = 1;
  ImgTipOk.picture = ImgTipOkON.picture;
  AjustarHoraApagado = true;
  TimerSep.SetInterval(250);
  TimerSync_Timer();
  MostrarMensaje("Hora de pagado");
}

void FrmMain::mnAjustarApagado_Click() { OpenEditor(); }
void FrmMain::ImgHora_DblClick(int) { OpenEditor(); }
void FrmMain::ImgDosPuntos_DblClick() { OpenEditor(); }
void FrmMain::ImgDosPuntos2_DblClick() { OpenEditor(); }

void FrmMain::Image1_MouseDown(MouseButton button) {
  if (button != MouseButton::Left || !AjustarHoraApagado) return;
  AjustarHoraIndexSel = AjustarHoraIndexSel == 3 ? 1 : AjustarHoraIndexSel + 1;
  // Show again what the blink may have left hidden.
  switch (AjustarHoraIndexSel) {
    case 1:
      for (int i : {0, 1, 4, 5}) ImgHora[i].visible = true;
      break;
    case 2:
      for (int i : {0, 1, 2}) ImgHora[i].visible = true;
      break;
    case 3:
      for (int i : {2, 3, 4}) ImgHora[i].visible = true;
      break;
    default:
      break;
  }
}

// Hours, seconds, minutes, hours: the fields as Image1 goes, backwards. The
// field left may be in its hidden blink; all of them show again.
void FrmMain::PreviousField() {
  if (!AjustarHoraApagado) return;
  AjustarHoraIndexSel = AjustarHoraIndexSel <= 1 ? 3 : AjustarHoraIndexSel - 1;
  for (auto& place : ImgHora) place.visible = true;
}

void FrmMain::StartStep(bool plus) {
  for (auto& place : ImgHora) place.visible = true;
  TimerSep.SetEnabled(false);
  AjustarHorasPulsado_Modo = plus;
  TimerInc.SetEnabled(true);
  Step();
}

void FrmMain::StopStep() {
  TimerInc.SetEnabled(false);
  TimerSep.SetEnabled(true);
}

void FrmMain::ImgButtonMAS_MouseDown(MouseButton button) {
  if (button == MouseButton::Left && AjustarHoraApagado) StartStep(true);
}

void FrmMain::ImgButtonMENOS_MouseDown(MouseButton button) {
  if (button == MouseButton::Left && AjustarHoraApagado) StartStep(false);
}

void FrmMain::ImgButtonMAS_MouseUp(MouseButton) { StopStep(); }
void FrmMain::ImgButtonMENOS_MouseUp(MouseButton) { StopStep(); }

void FrmMain::TimerInc_Timer() { Step(); }

// The keyboard repeats a held key by itself, so a key steps once for each
// press it delivers and TimerInc is left to the mouse. As while plus or minus
// is held on the face, nothing blinks until the key comes up. A step the
// mouse holds goes on undisturbed.
void FrmMain::StepKey_Down(bool plus) {
  if (!AjustarHoraApagado || TimerInc.Enabled()) return;
  for (auto& place : ImgHora) place.visible = true;
  TimerSep.SetEnabled(false);
  AjustarHorasPulsado_Modo = plus;
  Step();
}

void FrmMain::StepKey_Up() {
  if (!TimerInc.Enabled()) TimerSep.SetEnabled(true);
}

// Each field wraps around on its own; there is no carry into its neighbour.
void FrmMain::Step() {
  std::int16_t* field = nullptr;
  std::int16_t maximum = 0;
  switch (AjustarHoraIndexSel) {
    case 1:
      field = &HoraApagado_hrs;
      maximum = 23;
      break;
    case 2:
      field = &HoraApagado_min;
      maximum = 59;
      break;
    case 3:
      field = &HoraApagado_sec;
      maximum = 59;
      break;
    default:
      return;
  }
  if (AjustarHorasPulsado_Modo) {
    *field = *field + 1 > maximum ? 0 : static_cast<std::int16_t>(*field + 1);
  } else {
    *field = *field - 1 < 0 ? maximum : static_cast<std::int16_t>(*field - 1);
  }
  TimerSync_Timer();
}

void FrmMain::ImgTipOk_MouseDown(MouseButton button) {
  if (button != MouseButton::Left || !AjustarHoraApagado) return;
  AcceptEditedTime();
}

void FrmMain::AcceptEditedTime() {
  AjustarHoraApagado = false;
  ImgTipOk.picture = ImgTipOkOFF.picture;
  for (auto& place : ImgHora) place.visible = true;
  // The editor kept the colons up; their blink starts again from there, so
  // that they show in the first half of each second as before.
  SeparadorOculto = false;
  TimerSep.SetInterval(500);
  TimerSync_Timer();

  const std::string target = FormatHhMmSs(HoraApagado_hrs, HoraApagado_min, HoraApagado_sec);
  const LocalDateTime now = ports_.clock.Now();
  const std::string nowText = FormatHhMmSs(now.hour, now.minute, now.second);
  HoraApagadoSet = true;
  const bool tomorrow = nowText > target;
  acceptedTime_ = target;
  acceptedDate_ =
      tomorrow ? std::chrono::year_month_day{std::chrono::sys_days{now.date} + std::chrono::days{1}}
               : now.date;

  auto storeTime = [this] {
    WriteSetting(settings::kHoras, std::to_string(HoraApagado_hrs));
    WriteSetting(settings::kMinutos, std::to_string(HoraApagado_min));
    WriteSetting(settings::kSegundos, std::to_string(HoraApagado_sec));
  };
  const std::string dateText = ports_.clock.ShortDateText(*acceptedDate_);
  if (tomorrow) {
    WriteSetting(settings::kFechaApagado, dateText);
    storeTime();
  } else {
    storeTime();
    WriteSetting(settings::kFechaApagado, dateText);
  }
  // The time applies all the same, from memory. But "Cambios guardados"
  // would be untrue, and a failure shown only later would be missed.
  if (!ShowUnsavedSettings())
    MostrarMensaje(tomorrow ? "Apagamos mañana... ;)" : "Cambios guardados");
}

}  // namespace vesperon
