#include <iostream>

#include "app/frm_main.h"
#include "app/settings_keys.h"
#include "scheduler/melodies.h"
#include "scheduler/power_off.h"
#include "tray/mod_tray.h"

namespace vesperon {

// The face and the tray both say that nothing is armed any more.
void FrmMain::Disarm() {
  TipApagado.picture = ImgTipApagadoOFF.picture;
  ports_.tray.CambiarTipBandeja("Vesperon");
  ports_.tray.CambiarIconoBandeja(ImgIconMain2.picture);
  ApagarEquipo = false;
}

void FrmMain::TipApagado_MouseDown(MouseButton button) {
  if (button != MouseButton::Left) return;

  // A running countdown stops at this press whatever else is open: the
  // user who reaches for the blinking stop must never see the machine go.
  if (CuentaAtrasActiva) {
    TimerApagado.SetEnabled(false);
    CuentaAtrasActiva = false;
    Disarm();
    MostrarMensaje("Apagado cancelado");
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
  TipApagado.picture = ImgTipApagadoON.picture;
  ports_.tray.CambiarTipBandeja("Vesperon - Inciado");
  ports_.tray.CambiarIconoBandeja(ImgIconMain1.picture);
  ApagarEquipo = true;
  MostrarMensaje("Apagado ON!");
}

void FrmMain::TimerApagado_Timer() {
  if (UsaSpeaker) TocarMelodia(ports_.speaker, SpeakerMelody);

  if (CuentaAtras > 0) --CuentaAtras;
  MostrarMensaje("Se apagará en: " + std::to_string(CuentaAtras) + " secs");

  if (CuentaAtras == 0) {
    TimerApagado.SetEnabled(false);
    MostrarMensaje("Bye bye ;)");
    CuentaAtrasActiva = false;
    // The armed time is spent. Should the machine stay up (a refusal, the
    // dry run), nothing may fire again until the user arms anew.
    Disarm();
    if (!EjecutarApagado(ports_.settings, ports_.power)) {
      std::cerr << "vesperon: no power-off requested: WindowsVersion \""
                << ports_.settings.Read(keys::kApp, keys::kApagado, keys::kWindowsVersion, "")
                << "\" names no way to power off\n";
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
