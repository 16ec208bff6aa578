#include "app/clock_accessibility.h"

#include "common/time_text.h"

namespace vesperon {

namespace {

// The time the six places show, read from their pictures: in the editor the
// shutdown time, otherwise the time of day.
std::string ShownTime(const FrmMain& main) {
  std::string text;
  for (std::size_t i = 0; i < main.ImgHora.size(); ++i) {
    if (i == 2 || i == 4) text += ':';
    char shown = '-';
    for (int d = 0; d < 10; ++d)
      if (main.ImgHora[i].picture == main.ImgNumero[d].picture) shown = static_cast<char>('0' + d);
    text += shown;
  }
  return text;
}

Rect Spanning(const Rect& first, const Rect& last) {
  return {first.left, first.top, last.left + last.width - first.left, first.height};
}

}  // namespace

std::string ClockDescription(const FrmMain& main) {
  if (main.CuentaAtrasActiva) {
    const int left = main.CuentaAtras;
    return "Se apagará en " + std::to_string(left) + (left == 1 ? " segundo" : " segundos");
  }
  const std::string time =
      "Hora de apagado " +
      FormatHhMmSs(main.HoraApagado_hrs, main.HoraApagado_min, main.HoraApagado_sec);
  if (main.AjustarHoraApagado) {
    switch (main.AjustarHoraIndexSel) {
      case 1:
        return time + ", ajustando las horas";
      case 2:
        return time + ", ajustando los minutos";
      case 3:
        return time + ", ajustando los segundos";
      default:
        return time;
    }
  }
  if (!main.HoraApagadoSet) return "Hora de apagado no ajustada";
  return time + (main.ApagarEquipo ? ", activado" : ", desactivado");
}

std::vector<AccessibleControl> ClockControls(const FrmMain& main) {
  std::vector<AccessibleControl> controls{
      {Spanning(main.ImgHora[0].rect, main.ImgHora[5].rect), ShownTime(main), AccessibleRole::Text,
       true},
      {main.LblInfo.rect, main.LblInfo.visible ? main.LblInfo.caption : "", AccessibleRole::Text,
       true},
  };
  const bool editing = main.AjustarHoraApagado;
  const std::pair<const Image*, bool> tipped[] = {
      {&main.TipApagado, true}, {&main.ImgTipOk, editing},       {&main.ImgTipNotas, true},
      {&main.Image1, editing},  {&main.ImgButtonMENOS, editing}, {&main.ImgButtonMAS, editing},
      {&main.ImgAbout, true},   {&main.ImgMinimizar, true},      {&main.ImgConfig, true},
      {&main.ImgCerrar, true},
  };
  for (const auto& [image, enabled] : tipped) {
    // The notes indicator only tells; the rest act when clicked.
    const AccessibleRole role =
        image == &main.ImgTipNotas ? AccessibleRole::Text : AccessibleRole::Button;
    controls.push_back({image->rect, image->tooltip, role, enabled});
  }
  return controls;
}

}  // namespace vesperon
