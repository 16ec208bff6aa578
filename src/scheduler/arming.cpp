#include "app/frm_main.h"
#include "scheduler/melodies.h"
#include "scheduler/power_off.h"
#include "tray/mod_tray.h"

namespace vesperon {

void FrmMain::TipApagado_MouseDown(MouseButton button) {
  if (button != MouseButton::Left || AjustarHoraApagado) return;

  if (CuentaAtrasActiva) {
    TimerApagado.SetEnabled(false);
    ApagarEquipo = false;
    CuentaAtrasActiva = false;
    TipApagado.picture = ImgTipApagadoOFF.picture;
    MostrarMensaje("Apagado cancelado");
    // The tray says what the face says: nothing is armed any more.
    ports_.tray.CambiarTipBandeja("Vesperon");
    ports_.tray.CambiarIconoBandeja(ImgIconMain2.picture);
    return;
  }
  if (!HoraApagadoSet) {
    MostrarMensaje("Err: Hora no ajustada!");
    return;
  }
  if (ApagarEquipo) {
    TipApagado.picture = ImgTipApagadoOFF.picture;
    ports_.tray.CambiarTipBandeja("Vesperon");
    ports_.tray.CambiarIconoBandeja(ImgIconMain2.picture);
    ApagarEquipo = false;
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
    TipApagado.picture = ImgTipApagadoOFF.picture;
    EjecutarApagado(ports_.settings, ports_.power);
  }
}

}  // namespace vesperon
