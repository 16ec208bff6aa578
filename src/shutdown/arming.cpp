#include "app/frm_main.h"
#include "common/melodies.h"
#include "common/settings_schema.h"
#include "common/stand_aside.h"
#include "notes/frm_mostrar_nota.h"
#include "shutdown/power_off.h"
#include "tray/mod_tray.h"

namespace vesperon {

namespace {
std::string CountdownText(int seconds) {
  return "Se apagará en: " + std::to_string(seconds) + " secs";
}
}  // namespace

// The face and the tray both say that the shutdown is armed.
void FrmMain::Arm() {
  TipApagado.picture = ImgTipApagadoON.picture;
  ports_.tray.CambiarTipBandeja("Vesperon - Inciado");
  ports_.tray.CambiarIconoBandeja(ImgIconMain1.picture);
  ApagarEquipo = true;
}

// The face and the tray both say that nothing is armed any more.
void FrmMain::Disarm() {
  TipApagado.picture = ImgTipApagadoOFF.picture;
  ports_.tray.CambiarTipBandeja("Vesperon");
  ports_.tray.CambiarIconoBandeja(ImgIconMain2.picture);
  ApagarEquipo = false;
}

// A countdown nobody sees ends in a power-off nobody saw coming: the clock
// comes back from the tray or the taskbar where it stood, above the
// program's other windows and taking clicks whatever is open, and the
// desktop announces it with a way to cancel. The tray stays as it is.
void FrmMain::StartCountdown() {
  HoraApagadoSet = false;
  TipApagado.picture = ImgTipStopON.picture;
  CuentaAtrasActiva = true;
  // Every countdown runs its full length, the second one of a run included.
  CuentaAtras = CountdownLength();
  TimerApagado.SetEnabled(true);

  windowState = WindowState::Normal;
  visible = true;
  minimizedForWantOfTray_ = false;
  MoveNoteOffClock();
  ports_.shell.KeepClockInReach(true);
  ports_.notifier.Announce("Vesperon", CountdownText(CuentaAtras), "Cancelar");
}

// However a countdown ends, its notice goes and the dialogs get their hold
// on the clock back.
void FrmMain::EndCountdown() {
  TimerApagado.SetEnabled(false);
  CuentaAtrasActiva = false;
  ports_.notifier.Withdraw();
  ports_.shell.KeepClockInReach(false);
}

// With the daily shutdown on, only this one is cancelled: the user who stops
// tonight's countdown still wants tomorrow's.
void FrmMain::CancelCountdown() {
  EndCountdown();
  if (!ArmNextDayIfDaily()) Disarm();
  if (!ShowUnsavedSettings()) MostrarMensaje("Apagado cancelado");
}

// The note window stays on top of everything: where it covers the clock it
// moves beside it.
void FrmMain::MoveNoteOffClock() {
  FrmMostrarNota& note = ports_.nota;
  if (!note.loaded || !note.visible || note.needsPlacement) return;
  const float tppX = ports_.window.TwipsPerPixelX();
  const float tppY = ports_.window.TwipsPerPixelY();
  const ScreenArea clock{left / tppX, top / tppY, width / tppX, height / tppY};
  ScreenArea screen{0, 0, ports_.window.ScreenWidthTwips() / tppX,
                    ports_.window.ScreenHeightTwips() / tppY};
  for (const ScreenArea& s : ports_.window.Screens()) {
    const float x = clock.left + clock.width / 2;
    const float y = clock.top + clock.height / 2;
    if (x >= s.left && x < s.left + s.width && y >= s.top && y < s.top + s.height) {
      screen = {s.left / tppX, s.top / tppY, s.width / tppX, s.height / tppY};
      break;
    }
  }
  constexpr float t = kTwipsPerPixel;
  const ScreenArea place =
      StandAside({note.left / t, note.top / t, note.width / t, note.height / t}, clock, screen);
  note.left = place.left * t;
  note.top = place.top * t;
}

void FrmMain::TipApagado_MouseDown(MouseButton button) {
  if (button != MouseButton::Left) return;

  // A running countdown stops at this press whatever else is open: the
  // user who reaches for the blinking stop must never see the machine go.
  if (CuentaAtrasActiva) {
    CancelCountdown();
    return;
  }
  if (AjustarHoraApagado) return;
  if (!HoraApagadoSet) {
    MostrarMensaje("Err: Hora no ajustada!");
    return;
  }
  if (ApagarEquipo) {
    Disarm();
    MostrarMensaje("Apagado OFF");
    return;
  }
  Arm();
  MostrarMensaje("Apagado ON!");
}

void FrmMain::CountdownNotice_Cancel() {
  if (CuentaAtrasActiva) CancelCountdown();
}

void FrmMain::ShowIndicatorStates() {
  if (CuentaAtrasActiva)
    TipApagado.picture = ImgTipStopON.picture;
  else
    TipApagado.picture = ApagarEquipo ? ImgTipApagadoON.picture : ImgTipApagadoOFF.picture;
  ImgTipOk.picture = AjustarHoraApagado ? ImgTipOkON.picture : ImgTipOkOFF.picture;
}

void FrmMain::TimerApagado_Timer() {
  if (UsaSpeaker) TocarMelodia(ports_.speaker, SpeakerMelody);

  if (CuentaAtras > 0) --CuentaAtras;
  MostrarMensaje(CountdownText(CuentaAtras));

  if (CuentaAtras == 0) {
    EndCountdown();
    MostrarMensaje("Bye bye ;)");
    // The armed time is spent. Should the machine stay up (a refusal, the
    // dry run), nothing may fire again until the user arms anew; or, with
    // the daily shutdown on, until the same time tomorrow.
    if (!ArmNextDayIfDaily()) Disarm();
    ShowUnsavedSettings();
    if (!EjecutarApagado(ports_.settings, ports_.power)) {
      ports_.diagnostics.Report("vesperon: no power-off requested: WindowsVersion \"" +
                                StoredSettings(ports_.settings).Text(settings::kWindowsVersion) +
                                "\" names no way to power off");
      TellPowerOffFailed("Elige el tipo de Windows en Configuración y vuelve a activar el apagado.");
    }
  }
}

void FrmMain::PowerOff_Failed(const std::string& reason) {
  powerOffWaiting_ = false;
  std::string body = "El sistema no apagó el equipo.";
  // The system's own words, in whatever language it speaks, after ours.
  if (!reason.empty()) body += " Respuesta del sistema: " + reason;
  TellPowerOffFailed(body);
}

void FrmMain::TellPowerOffFailed(const std::string& body) {
  MostrarMensaje("Err: No se pudo apagar!");
  // The clock may be hidden in the tray, or no one looking at it.
  ports_.notifier.Notify("No se pudo apagar el equipo", body);
}

}  // namespace vesperon
