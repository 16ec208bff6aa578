#include "app/frm_main.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "common/conversions.h"
#include "common/face_size.h"
#include "common/time_text.h"
#include "config/autostart.h"
#include "notes/frm_mostrar_nota.h"
#include "tray/frm_menu.h"
#include "tray/mod_tray.h"

namespace vesperon {

namespace {

// What must show of the window on some screen for it to count as reachable.
constexpr float kVisibleGripPx = 20;

// A stored window edge in twips, or nullopt when the text is not a number a
// single-precision value can hold.
std::optional<float> StoredPosition(const std::string& text) {
  const auto value = TextToDouble(text);
  if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*value);
}

}  // namespace

FrmMain::FrmMain(MainPorts ports)
    : TimerSync(ports.timers, 1000, false, TimerPhase::WallClock),
      TimerSep(ports.timers, 500, false, TimerPhase::WallClock),
      TimerApagado(ports.timers, 1000, false),
      TimerMsg(ports.timers, 1500, false),
      TimerInc(ports.timers, 250, false),
      ports_(ports) {
  caption = "Vesperon";

  static constexpr int kDigitLeft[6] = {21, 33, 50, 62, 79, 91};
  for (int i = 0; i < 6; ++i) ImgHora[i].rect = {kDigitLeft[i], 39, 10, 17};
  ImgDosPuntos.rect = {44, 37, 5, 21};
  ImgDosPuntos2.rect = {73, 37, 5, 21};
  LblInfo.rect = {19, 64, 134, 14};
  TipApagado = {{}, true, {104, 48, 49, 9}, "Indica si el apagado automático está activado"};
  ImgTipOk = {{}, true, {138, 38, 15, 9}, "Acepta cambios en la hora de apagado"};
  ImgTipNotas = {{}, true, {104, 38, 33, 9}, "Avisa si hay notas pendientes"};
  Image1 = {{}, true, {10, 92, 22, 16}, "Avanzar, horas, minutos, segundos..."};
  ImgButtonMENOS = {{}, true, {37, 90, 22, 16}, "menos"};
  ImgButtonMAS = {{}, true, {63, 91, 22, 16}, "mas"};
  ImgAbout = {{}, true, {137, 106, 22, 20}, "Quieres saber más acerca de Vesperon?"};
  ImgMinimizar = {{}, true, {132, 4, 8, 9}, "Minimizar"};
  ImgConfig = {{}, true, {144, 4, 8, 9}, "Ver menú"};
  ImgCerrar = {{}, true, {157, 4, 8, 9}, "Cerrar"};
  Command1 = {"!", true, true, {99, 88, 27, 19}};

  TimerSync.SetHandler([this] { TimerSync_Timer(); });
  TimerSep.SetHandler([this] { TimerSep_Timer(); });
  TimerApagado.SetHandler([this] { TimerApagado_Timer(); });
  TimerMsg.SetHandler([this] { TimerMsg_Timer(); });
  TimerInc.SetHandler([this] { TimerInc_Timer(); });

  LoadBuiltInPictures();

  // Where the window stands before its first placement: the middle of the
  // screen, so that the position stored on a first start is a sensible one.
  width = kFaceWidthPx * ports_.window.TwipsPerPixelX();
  height = kFaceHeightPx * ports_.window.TwipsPerPixelY();
  left = ports_.window.ScreenWidthTwips() / 2 - width / 2;
  top = ports_.window.ScreenHeightTwips() / 2 - height / 2;
}

std::array<PictureSlot, 22> FrmMain::PictureSlots() {
  return {{{"skin-base.bmp", &Background},
           {"0.bmp", &ImgNumero[0].picture},
           {"1.bmp", &ImgNumero[1].picture},
           {"2.bmp", &ImgNumero[2].picture},
           {"3.bmp", &ImgNumero[3].picture},
           {"4.bmp", &ImgNumero[4].picture},
           {"5.bmp", &ImgNumero[5].picture},
           {"6.bmp", &ImgNumero[6].picture},
           {"7.bmp", &ImgNumero[7].picture},
           {"8.bmp", &ImgNumero[8].picture},
           {"9.bmp", &ImgNumero[9].picture},
           {"dos_puntos.bmp", &ImgPuntos.picture},
           {"tray1.ico", &ImgIconMain1.picture},
           {"tray2.ico", &ImgIconMain2.picture},
           {"tip-apagado-off.bmp", &ImgTipApagadoOFF.picture},
           {"tip-apagado-on.bmp", &ImgTipApagadoON.picture},
           {"tip-ok-on.bmp", &ImgTipOkON.picture},
           {"tip-ok-off.bmp", &ImgTipOkOFF.picture},
           {"tip-notas-on.bmp", &ImgTipNotasON.picture},
           {"tip-notas-off.bmp", &ImgTipNotasOFF.picture},
           {"tip-stop-on.bmp", &ImgTipStopON.picture},
           {"tip-stop-off.bmp", &ImgTipStopOFF.picture}}};
}

void FrmMain::LoadBuiltInPictures() {
  for (const PictureSlot& slot : PictureSlots()) *slot.picture = ports_.pictures.BuiltIn(slot.file);
  ImgHand.picture = ports_.pictures.BuiltIn("hand.cur");
  ShowLoadedFaces();
  icon = ImgIconMain1.picture;
}

void FrmMain::ShowLoadedFaces() {
  for (auto& place : ImgHora) place.picture = ImgNumero[0].picture;
  ImgDosPuntos.picture = ImgPuntos.picture;
  ImgDosPuntos2.picture = ImgPuntos.picture;
  ImgTipNotas.picture = ImgTipNotasOFF.picture;
  // A skin chosen while armed must not make the face say "off".
  ShowIndicatorStates();
}

void FrmMain::WriteSetting(const Setting& setting, const std::string& value) {
  if (!StoredSettings(ports_.settings).Write(setting, value)) settingsUnsaved_ = true;
}

bool FrmMain::ShowUnsavedSettings() {
  if (!settingsUnsaved_) return false;
  settingsUnsaved_ = false;
  MostrarMensaje("Err: No se pudo guardar!");
  return true;
}

void FrmMain::Show() {
  if (!loaded) {
    loading_ = true;
    Form_Load();
    loading_ = false;
    if (endRequested_) {
      Unload();
      return;
    }
  }
  visible = true;
  Form_Activate();
}

void FrmMain::Form_Load() {
  loaded = true;
  TimerSync.SetEnabled(true);
  TimerSep.SetEnabled(true);

  PrimeraActivacion = true;
  TimerSync_Timer();

  Arrastrando = false;
  SeparadorOculto = false;
  AjustarHoraApagado = false;
  AjustarHorasPulsado_Modo = true;
  ApagarEquipo = false;
  CuentaAtrasActiva = false;
  FrmConfigShow = false;

  ReadSettings();

  width = kFaceWidthPx * ports_.window.TwipsPerPixelX();
  height = kFaceHeightPx * ports_.window.TwipsPerPixelY();
  icon = ImgIconMain1.picture;
  ports_.tray.AgregarIconoBandeja(*this);

  const std::string skin = StoredSettings(ports_.settings).Text(settings::kSkin);
  if (Trim(skin).empty()) {
    WriteSetting(settings::kSkin, "");
  } else {
    CargarSkinElegido(skin);
  }

  PlaceWindow();
  TimerSync_Timer();
  // Every start takes the daily shutdown up again, hidden in the tray too.
  const bool daily = DailyShutdown();
  if (daily) {
    const LocalDateTime now = ports_.clock.Now();
    ArmNextOccurrence(now, now.date);
  }
  // A greeting says less than a setting that did not reach the disk.
  if (!ShowUnsavedSettings()) MostrarMensaje(daily ? "Apagado ON!" : "Bienvenido a Vesperon!");
}

// Stored texts are trimmed and an empty text counts as absent. A text that
// does not pass its setting's rule is treated as absent too: the dialog
// reads these keys as numbers and must find numbers there. Absent, the
// setting's fallback is written, and used even when the write fails.
void FrmMain::ReadSettings() {
  const StoredSettings stored(ports_.settings);
  // A first start writes "1" for the starts after it, and stays out of the
  // always-on-top band itself.
  const bool onTop = stored.Passes(settings::kOnTop) && stored.Number(settings::kOnTop) == 1.0;
  for (const Setting* setting : settings::kPutRightAtLoad)
    if (!stored.Passes(*setting)) WriteSetting(*setting, setting->fallback);

  auto field = [&](const Setting& setting) {
    return static_cast<std::int16_t>(*TextToInteger(stored.Value(setting)));
  };
  HoraApagado_hrs = field(settings::kHoras);
  HoraApagado_min = field(settings::kMinutos);
  HoraApagado_sec = field(settings::kSegundos);
  HoraApagadoSet = false;
  acceptedTime_ = FormatHhMmSs(HoraApagado_hrs, HoraApagado_min, HoraApagado_sec);
  acceptedDate_ = ports_.clock.ParseShortDate(stored.Value(settings::kFechaApagado));

  countdownLength_ = CountdownSeconds(*stored.Number(settings::kRemain));
  CuentaAtras = countdownLength_;

  if (onTop) {
    ports_.window.SetTopmost(true);
    ports_.menu.mnOnTop.checked = true;
  }
  UsaSpeaker = stored.Number(settings::kUsaSpeaker) == 1.0;
  SpeakerMelody = field(settings::kSpeakerMelody);

  const std::string autoStart = stored.Value(settings::kAutoStart);
  if (autoStart == "1") {
    RegistrarAutoInicio(ports_.registry, ports_.environment, kSettingsApp, "", 1, true);
  } else if (autoStart == "0") {
    QuitarAutoInicio(ports_.registry, kSettingsApp, 1);
  }
}

// A window that cannot learn where it stands writes no position: what is
// stored stays for a session that can place the window.
void FrmMain::PlaceWindow() {
  const StoredSettings stored(ports_.settings);
  const std::string xpos = stored.Text(settings::kXpos);
  const std::string ypos = stored.Text(settings::kYpos);
  const bool placed = ports_.window.PlacesWindow();

  const auto storedLeft = StoredPosition(xpos);
  if (!storedLeft) {
    if (placed) WriteSetting(settings::kXpos, SingleToText(left));
    left = ports_.window.ScreenWidthTwips() / 2 - width / 2;
  } else {
    left = *storedLeft;
  }

  const auto storedTop = StoredPosition(ypos);
  if (!storedTop) {
    if (placed) WriteSetting(settings::kYpos, SingleToText(top));
    top = ports_.window.ScreenHeightTwips() / 2 - height / 2;
  } else {
    top = *storedTop;
  }

  KeepOnScreen();
}

// A window that shows less than a grip of itself on every screen (the
// screen it was left on is gone, or the stored place is far off) is brought
// whole onto the screen nearest to it.
void FrmMain::KeepOnScreen() {
  const std::vector<ScreenArea> screens = ports_.window.Screens();
  if (screens.empty()) return;
  const float gripX = kVisibleGripPx * ports_.window.TwipsPerPixelX();
  const float gripY = kVisibleGripPx * ports_.window.TwipsPerPixelY();
  auto overlap = [](float start, float length, float areaStart, float areaLength) {
    return std::min(start + length, areaStart + areaLength) - std::max(start, areaStart);
  };
  for (const ScreenArea& s : screens) {
    if (overlap(left, width, s.left, s.width) >= gripX &&
        overlap(top, height, s.top, s.height) >= gripY)
      return;
  }

  // Nearest by the distance from the window's middle to the screen.
  auto distance = [this](const ScreenArea& s) {
    const double x = left + width / 2.0;
    const double y = top + height / 2.0;
    const double dx = std::max({s.left - x, 0.0, x - (s.left + s.width)});
    const double dy = std::max({s.top - y, 0.0, y - (s.top + s.height)});
    return dx * dx + dy * dy;
  };
  const ScreenArea& nearest = *std::min_element(
      screens.begin(), screens.end(),
      [&](const ScreenArea& a, const ScreenArea& b) { return distance(a) < distance(b); });
  left = std::max(nearest.left, std::min(left, nearest.left + nearest.width - width));
  top = std::max(nearest.top, std::min(top, nearest.top + nearest.height - height));
}

void FrmMain::Form_Activate() {
  if (!PrimeraActivacion) return;
  if (ports_.environment.ArgumentText() == "/autostart") MinimizeToTray();
  PrimeraActivacion = false;
}

void FrmMain::Form_QueryUnload() { ports_.tray.QuitarIconoBandeja(); }

void FrmMain::Form_Unload() {
  // The window is going: a failure here has only standard error to go to.
  if (ports_.window.PlacesWindow()) {
    WriteSetting(settings::kXpos, SingleToText(left));
    WriteSetting(settings::kYpos, SingleToText(top));
  }
  ports_.tray.QuitarIconoBandeja();
  ports_.menu.Unload();
  // A countdown's notice must not outlive the clock that could cancel it.
  if (CuentaAtrasActiva) EndCountdown();

  for (Timer* timer : {&TimerSync, &TimerSep, &TimerApagado, &TimerMsg, &TimerInc})
    timer->SetEnabled(false);
  visible = false;
  loaded = false;
}

void FrmMain::Unload() {
  if (!loaded) return;
  Form_QueryUnload();
  Form_Unload();
}

void FrmMain::End() {
  if (!loaded) return;
  ports_.shell.CloseAll();
  if (loading_)
    endRequested_ = true;
  else
    Unload();
}

void FrmMain::Command1_Click() { ports_.nota.Show(); }

}  // namespace vesperon
