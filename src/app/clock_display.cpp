#include "app/frm_main.h"
#include "common/time_text.h"
#include "tray/frm_menu.h"

namespace vesperon {

void FrmMain::ShowDigit(Image& place, int digit) {
  if (digit >= 0 && digit <= 9) place.picture = ImgNumero[digit].picture;
}

// The time is read once per redraw, so the six places always show one real
// moment, even across a second (or hour) boundary.
void FrmMain::ShowCurrentTime(const LocalDateTime& now) {
  auto digits = DigitsOfTimeText(ports_.clock.LocaleTimeText(now));
  if (!digits) {
    // A locale whose time text has neither layout: show the 24-hour time.
    digits = DigitsOfTimeText(FormatHhMmSs(now.hour, now.minute, now.second));
  }
  for (std::size_t i = 0; i < ImgHora.size(); ++i) ShowDigit(ImgHora[i], (*digits)[i]);
}

void FrmMain::ShowShutdownTime() {
  const std::int16_t fields[3] = {HoraApagado_hrs, HoraApagado_min, HoraApagado_sec};
  for (int pair = 0; pair < 3; ++pair) {
    const int v = fields[pair];
    Image& leftPlace = ImgHora[2 * pair];
    Image& rightPlace = ImgHora[2 * pair + 1];
    if (v > 9) {
      const std::string text = std::to_string(v);
      ShowDigit(leftPlace, text[0] - '0');
      ShowDigit(rightPlace, text[1] - '0');
    } else {
      ShowDigit(leftPlace, 0);
      ShowDigit(rightPlace, v);
    }
  }
}

void FrmMain::ShutdownCheck(const LocalDateTime& now) {
  if (!(HoraApagadoSet && ApagarEquipo)) return;

  const std::string nowText = FormatHhMmSs(now.hour, now.minute, now.second);
  if (!acceptedDate_ || *acceptedDate_ != now.date || nowText < acceptedTime_) return;

  StartCountdown();
}

void FrmMain::TimerSync_Timer() {
  const LocalDateTime now = ports_.clock.Now();
  if (AjustarHoraApagado)
    ShowShutdownTime();
  else
    ShowCurrentTime(now);
  KeepDailyShutdownAhead(now);
  ShutdownCheck(now);
}

void FrmMain::TimerSep_Timer() {
  if (AjustarHoraApagado) {
    ImgDosPuntos.visible = true;
    ImgDosPuntos2.visible = true;
    if (AjustarHoraIndexSel >= 1 && AjustarHoraIndexSel <= 3) {
      const std::size_t blinking = 2 * static_cast<std::size_t>(AjustarHoraIndexSel - 1);
      for (std::size_t i = 0; i < ImgHora.size(); ++i) {
        if (i == blinking || i == blinking + 1)
          ImgHora[i].visible = !ImgHora[i].visible;
        else
          ImgHora[i].visible = true;
      }
    }
  } else if (SeparadorOculto) {
    ImgDosPuntos.visible = true;
    ImgDosPuntos2.visible = true;
    SeparadorOculto = false;
  } else {
    ImgDosPuntos.visible = false;
    ImgDosPuntos2.visible = false;
    SeparadorOculto = true;
  }

  if (CuentaAtrasActiva) {
    TipApagado.picture =
        TipApagado.picture == ImgTipStopON.picture ? ImgTipStopOFF.picture : ImgTipStopON.picture;
  }

  if (ports_.menu.mnAñadirNota.size() > 1) {
    ImgTipNotas.picture = ImgTipNotas.picture == ImgTipNotasON.picture ? ImgTipNotasOFF.picture
                                                                       : ImgTipNotasON.picture;
  }
}

}  // namespace vesperon
