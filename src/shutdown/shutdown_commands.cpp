#include "app/frm_main.h"
#include "common/conversions.h"

namespace vesperon {

void FrmMain::AcceptShutdownTime(const TimeOfDay& time) {
  // A plus or minus held on the face stops stepping the fields now set.
  if (TimerInc.Enabled()) StopStep();
  HoraApagado_hrs = static_cast<std::int16_t>(time.hours);
  HoraApagado_min = static_cast<std::int16_t>(time.minutes);
  HoraApagado_sec = static_cast<std::int16_t>(time.seconds);
  AcceptEditedTime();
}

bool FrmMain::ArmShutdown() {
  if (CuentaAtrasActiva || (HoraApagadoSet && ApagarEquipo)) return true;
  if (!HoraApagadoSet) {
    MostrarMensaje("Err: Hora no ajustada!");
    return false;
  }
  Arm();
  MostrarMensaje("Apagado ON!");
  return true;
}

bool FrmMain::DisarmShutdown() {
  if (CuentaAtrasActiva) {
    CancelCountdown();
    return true;
  }
  if (!HoraApagadoSet) return false;
  if (ApagarEquipo) {
    Disarm();
    MostrarMensaje("Apagado OFF");
  }
  return true;
}

ShutdownStatus FrmMain::Status() {
  ShutdownStatus status;
  // The daily shutdown's switch, "1" for on, read where it is kept.
  status.daily = DailyShutdown();
  if (CuentaAtrasActiva) {
    status.stage = ShutdownStatus::Stage::Countdown;
    status.secondsLeft = CuentaAtras;
  } else if (HoraApagadoSet && acceptedDate_) {
    status.stage = ApagarEquipo ? ShutdownStatus::Stage::Armed : ShutdownStatus::Stage::Accepted;
    status.date = *acceptedDate_;
    status.time = acceptedTime_;
  }
  return status;
}

}  // namespace vesperon
