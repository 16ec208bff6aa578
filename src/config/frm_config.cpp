#include "config/frm_config.h"

#include <cmath>
#include <optional>

#include "common/melodies.h"
#include "common/settings_schema.h"
#include "config/autostart.h"

namespace vesperon {

namespace {

// The start-with-the-session entry lives under the Run key.
constexpr int kRunKind = 1;

// The entry a stored number selects: rounded half to even, as the numbers
// are read everywhere; -1 for a number outside the list or no number at
// all, which the program never stores but a hand-edited file may hold.
int ListIndexOf(std::optional<double> value, const ListControl& list) {
  if (!value) return -1;
  const double index = std::nearbyint(*value);
  if (index < 0 || index >= static_cast<double>(list.items.size())) return -1;
  return static_cast<int>(index);
}

}  // namespace

FrmConfig::FrmConfig(ConfigPorts ports, MainWindow& main) : ports_(ports), main_(main) {
  caption = "Configuración";
  // Client area 387 × 513 pixels: the daily box's row made Frame1, and so
  // the dialog, 20 pixels taller.
  width = 5805;
  height = 7695;

  Frame1 = {"Opciones de Vesperon", {8, 6, 371, 466}};
  ImgIcono.rect = {12, 24, 32, 32};

  Frame2 = {"", {50, 14, 313, 64}};
  Label2 = {"Tipo de Windows:", true, {58, 28, 154, 15}};
  CmbTipoWin.items = {"Windows 95/98", "Windows 2000/NT/XP"};
  CmbTipoWin.rect = {214, 24, 146, 21};
  Label3 = {"Tiempo antes de apagado:", true, {58, 53, 154, 15}};
  for (int i = 0; i < kCountdownChoices; ++i)
    CmbRespuesta.items.push_back(std::to_string(CountdownSeconds(i)));
  CmbRespuesta.rect = {214, 49, 52, 21};
  Label4 = {"segundos", true, {272, 53, 70, 15}};

  ChkIniciarConWindows = {"Iniciar Vesperon al inicio de Windows", false, true, {15, 86, 344, 17}};
  ChkDiario = {"Apagar cada día a esta hora", false, true, {15, 106, 344, 17}};

  Frame3 = {"", {15, 126, 344, 66}};
  ChkSpeaker = {"Activar Speaker", false, true, {25, 139, 108, 17}};
  CmbMelodia.items = {"Beep", "Pajaraco", "GWBasic"};
  CmbMelodia.rect = {136, 137, 110, 21};
  BtnProbarMelodia = {"Probar", true, true, {252, 136, 96, 23}};
  Label5 = {"Como usar los sonidos:", true, {25, 166, 130, 15}};
  CmbSonidos.items = {"Una sola vez", "Repetitivo (Loop)", "No usar los sonidos"};
  CmbSonidos.rect = {160, 162, 188, 21};

  Label1 = {"Selección del Skin", true, {15, 200, 120, 15}};
  LstSkin.rect = {15, 216, 167, 128};
  Shape1 = {"", {186, 215, 171, 128}};
  ImgSkinPreview = {ports_.pictures.BuiltIn("preview.bmp"), true, {186, 215, 171, 128}, ""};
  LblImagen = {"Imagen no Disponible", true, {192, 269, 159, 17}};
  LblSkinVersion = {"Version:", true, {188, 350, 171, 18}};
  LblSkinName = {"Nombre:", true, {15, 373, 350, 18}};
  LblSkinAutor = {"Autor:", true, {15, 394, 350, 18}};
  LblSkinEmail = {"E-Mail:", true, {15, 415, 353, 18}};
  LblSkinWeb = {"Web:", true, {15, 436, 351, 18}};

  BtnAceptar = {"&Aceptar", true, true, {206, 480, 84, 25}};
  BtnCancelar = {"&Cancelar", true, true, {295, 480, 84, 25}};
  ImgTemp.visible = false;
}

void FrmConfig::Form_Load() {
  loaded = true;
  ImgIcono.picture = main_.Icon();

  const StoredSettings stored(ports_.settings);
  const auto windowsVersion = stored.StoredNumber(settings::kWindowsVersion);
  CmbTipoWin.listIndex = ListIndexOf(
      windowsVersion ? std::optional<double>(*windowsVersion - 1) : std::nullopt, CmbTipoWin);
  CmbRespuesta.listIndex =
      ListIndexOf(stored.StoredNumber(settings::kRemain), CmbRespuesta);

  const bool speaker = stored.StoredNumber(settings::kUsaSpeaker) == 1.0;
  CmbMelodia.enabled = speaker;
  ChkSpeaker.value = speaker;
  CmbMelodia.listIndex =
      ListIndexOf(stored.StoredNumber(settings::kSpeakerMelody), CmbMelodia);

  // Exactly "1": the start-up load trims it, the dialog does not.
  ChkIniciarConWindows.value = stored.Text(settings::kAutoStart) == "1";
  ChkDiario.value = stored.Text(settings::kDiario) == "1";

  ChkSpeaker_Click();
  LoadSkinPanel();
}

// Every write happens at once, in this order, and stays made even when the
// dialog then stays open.
void FrmConfig::BtnAceptar_Click() {
  if (CmbTipoWin.Selected())
    main_.WriteSetting(settings::kWindowsVersion,
                       std::to_string(CmbTipoWin.listIndex + 1));
  // A list with nothing selected writes nothing: "-1" is no value the
  // program could read back.
  if (CmbRespuesta.Selected())
    main_.WriteSetting(settings::kRemain, std::to_string(CmbRespuesta.listIndex));
  main_.WriteSetting(settings::kUsaSpeaker, ChkSpeaker.value ? "1" : "0");
  if (CmbMelodia.Selected())
    main_.WriteSetting(settings::kSpeakerMelody, std::to_string(CmbMelodia.listIndex));

  const bool autoStart = ChkIniciarConWindows.value;
  if (autoStart) {
    RegistrarAutoInicio(ports_.registry, ports_.environment, kSettingsApp, "", kRunKind, true);
    main_.WriteSetting(settings::kAutoStart, "1");
  } else {
    main_.WriteSetting(settings::kAutoStart, "0");
    QuitarAutoInicio(ports_.registry, kSettingsApp, kRunKind);
  }
  const bool autoStartDone =
      AutoStartAsWanted(ports_.registry, ports_.environment, kSettingsApp, kRunKind, autoStart) ||
      !MayChangeAutoStart(ports_.registry, kRunKind);

  // Turned on (and saved), it arms the accepted time at once, as the next
  // start would. Turned off, what is armed stays armed: only the arming
  // again after it stops.
  const StoredSettings stored(ports_.settings);
  const bool wasDaily = stored.Text(settings::kDiario) == "1";
  main_.WriteSetting(settings::kDiario, ChkDiario.value ? "1" : "0");
  if (!wasDaily && stored.Text(settings::kDiario) == "1") main_.DailyShutdown_TurnedOn();

  const bool skinTaken = main_.AplicarSkinElegido(ports_.skin, SelectedSkin());

  // Closing now would pass for a success: the dialog stays open, with the
  // user's choices in it, until a save succeeds or the user cancels.
  const bool unsaved = main_.ShowUnsavedSettings();
  if (unsaved) {
    ports_.shell.MsgBox(
        "No se han podido guardar los cambios!\r\nInténtalo de nuevo o pulsa Cancelar",
        "Guardar cambios", MsgBoxIcon::Exclamation);
  } else if (!autoStartDone) {
    ports_.shell.MsgBox(
        "No se ha podido cambiar el inicio automático de Vesperon!\r\nInténtalo de nuevo o "
        "pulsa Cancelar",
        "Guardar cambios", MsgBoxIcon::Exclamation);
  }
  if (skinTaken && !unsaved && autoStartDone) Unload();
}

void FrmConfig::ChkSpeaker_Click() {
  CmbMelodia.enabled = ChkSpeaker.value;
  BtnProbarMelodia.enabled = ChkSpeaker.value;
}

void FrmConfig::BtnProbarMelodia_Click() { TocarMelodia(ports_.speaker, CmbMelodia.listIndex); }

}  // namespace vesperon
