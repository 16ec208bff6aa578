#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "forms/controls.h"
#include "forms/form.h"
#include "forms/main_window.h"
#include "forms/timer.h"
#include "ports/clock.h"
#include "ports/desktop_notifier.h"
#include "ports/diagnostics.h"
#include "ports/environment.h"
#include "ports/picture_loader.h"
#include "ports/power_api.h"
#include "ports/registry.h"
#include "ports/settings_store.h"
#include "ports/shell.h"
#include "ports/speaker.h"
#include "common/settings_schema.h"
#include "common/time_text.h"
#include "ports/window.h"
#include "shutdown/shutdown_status.h"
#include "skin/mod_skin.h"

namespace vesperon {

class FrmMenu;
class FrmMostrarNota;
class ModTray;

// Everything FrmMain reaches outside itself.
struct MainPorts {
  SettingsStore& settings;
  Clock& clock;
  TimerPort& timers;
  PictureLoader& pictures;
  WindowSystem& window;
  PowerApi& power;
  Speaker& speaker;
  Registry& registry;
  Environment& environment;
  ModTray& tray;
  ModSkin& skin;
  FrmMenu& menu;
  FrmMostrarNota& nota;
  DesktopNotifier& notifier;
  Shell& shell;
  Diagnostics& diagnostics;
};

// The clock window. One class; its handlers are defined by the folder that
// owns them: start-up and the face in app/, the editor, arming, countdown
// and message line in shutdown/, the skin step in skin/.
class FrmMain : public Form, public MainWindow {
 public:
  explicit FrmMain(MainPorts ports);

  // --- window events (app/frm_main.cpp) ---
  // Loads the window when needed, shows it and activates it.
  void Show();
  void Form_Load();
  void Form_Activate();
  void Form_QueryUnload();
  void Form_Unload();
  // The close request followed by the unload: how every way out ends.
  void Unload() override;
  // The system asks the program to end (a signal, the end of the session,
  // a close from outside): every box, menu and dialog closes as though
  // dismissed, and the window unloads as a close does, storing its place;
  // no countdown goes on to its power-off. Asked from a box of the load
  // step, the unload waits for the step's end, so that the place stored is
  // the one the step restored and not where the window stood before it.
  void End();
  void Command1_Click();

  // --- window chrome (app/chrome.cpp); positions are twips in the window ---
  void Form_MouseDown(MouseButton button, float x, float y);
  // `leftHeld`: the left button is down.
  void Form_MouseMove(bool leftHeld, float x, float y);
  void Form_MouseUp();
  // A mouse message over the tray icon (kTrayLeftButtonDown, ...).
  void TrayIcon_MouseMessage(std::uint32_t message);
  // A later start of the program asks this one to come forward.
  void ComeForward();
  void ImgCerrar_MouseDown(MouseButton button);
  void ImgMinimizar_MouseDown(MouseButton button);
  void ImgConfig_MouseDown(MouseButton button);
  void ImgAbout_MouseDown(MouseButton button);
  // A notification area came or went.
  void TrayHostChanged();
  // The clickable controls show the hand while the mouse is over them.
  void Clickable_MouseMove();
  // The popup menu opened from the keyboard: below the menu button, as
  // there is no pointer to open it at.
  void PopupMenuAtClock();

  // --- clock face (app/clock_face.cpp) ---
  void TimerSync_Timer();
  void TimerSep_Timer();

  // --- time editor (shutdown/time_editor.cpp) ---
  void mnAjustarApagado_Click() override;
  void ImgHora_DblClick(int index);  // 1..6
  void ImgDosPuntos_DblClick();
  void ImgDosPuntos2_DblClick();
  void Image1_MouseDown(MouseButton button);
  void ImgButtonMAS_MouseDown(MouseButton button);
  void ImgButtonMAS_MouseUp(MouseButton button);
  void ImgButtonMENOS_MouseDown(MouseButton button);
  void ImgButtonMENOS_MouseUp(MouseButton button);
  void TimerInc_Timer();
  void ImgTipOk_MouseDown(MouseButton button);
  // From the keyboard: the field before the selected one, the reverse of
  // Image1; and a step key down (each repeat of a held one too) and up.
  void PreviousField();
  void StepKey_Down(bool plus);
  void StepKey_Up();

  // --- arming and countdown (shutdown/arming.cpp) ---
  void TipApagado_MouseDown(MouseButton button);
  void TimerApagado_Timer();
  // "Cancelar" picked on the countdown's desktop notice: the same cancel as
  // the blinking stop; nothing once the countdown is over.
  void CountdownNotice_Cancel();
  // TipApagado and ImgTipOk show the state as it stands: the blinking stop,
  // armed or not; the editor open or not. For a skin just applied.
  void ShowIndicatorStates();
  // The system did not power off after all (refused, or no one to ask);
  // reason in the system's own words. May come long after the countdown.
  void PowerOff_Failed(const std::string& reason);

  // --- the shutdown every day (shutdown/daily_shutdown.cpp) ---
  // Whether the user asked for it: the setting "Diario" is exactly "1".
  bool DailyShutdown() const;
  // The configuration dialog turned it on: the accepted time (at start, the
  // stored one) is armed at once for its next occurrence. A running
  // countdown is left to run; its end arms the next day.
  void DailyShutdown_TurnedOn() override;
  // --- the shutdown driven from the command line (shutdown/shutdown_commands.cpp) ---
  // Each does what its control on the face does, messages included, whether
  // or not the editor is open.
  // The editor's OK with these fields: for today or tomorrow, stored, and
  // said on the message line. An open editor closes with it.
  void AcceptShutdownTime(const TimeOfDay& time);
  // TipApagado's arming. False, with "Err: Hora no ajustada!", when no time
  // is accepted; armed already or counting down, nothing changes.
  bool ArmShutdown();
  // TipApagado's disarming, or its cancel of a running countdown. False when
  // neither a time is accepted nor a countdown runs; accepted and not
  // armed, nothing changes.
  bool DisarmShutdown();
  // Where the shutdown stands: the accepted day and time, not the editor's
  // fields, which count only once accepted.
  ShutdownStatus Status();

  // --- skins (skin/skin_choice.cpp) ---
  // Checks the skin of that (folder) name and, when it passes, shows the
  // window in it: the arming and accept indicators as the state stands, the
  // notes indicator its off face. False, the look unchanged, when the skin
  // is refused.
  bool CargarSkinElegido(const std::string& name);
  // Shows the window in the pictures of a skin that passed the check.
  void ShowSkin(const SkinPictures& pictures);
  // The configuration dialog's skin step on accept. `selected` is the skin
  // list's selected entry, nullopt when the list is empty or nothing is
  // selected (the skin then stays as it is). Returns false, after a warning,
  // when the chosen skin is not valid: the dialog must stay open. `skin`:
  // the dialog's own skin operations.
  bool AplicarSkinElegido(ModSkin& skin, const std::optional<std::string>& selected) override;

  // --- message line (shutdown/message_line.cpp) ---
  void MostrarMensaje(const std::string& text);
  void TimerMsg_Timer();
  // A power-off request is, or is no longer, waiting for the system's
  // answer.
  void PowerOff_Waiting(bool waiting);

  // --- settings, as every window of the program saves them ---
  // A write that fails is remembered until ShowUnsavedSettings.
  void WriteSetting(const Setting& setting, const std::string& value) override;
  // Ends an operation that wrote settings: when one of its writes failed,
  // says so once on the message line and returns true.
  bool ShowUnsavedSettings() override;

  // --- the rest of what the menu and the configuration dialog reach ---
  bool IsMinimized() const override { return windowState == WindowState::Minimized; }
  void SetConfigShowing(bool showing) override { FrmConfigShow = showing; }
  const Picture& Icon() const override { return icon; }
  Picture& SkinScratch() override { return ImgTemp.picture; }

  // --- controls on the face ---
  std::array<Image, 6> ImgHora;  // ImgHora01 .. ImgHora06
  Image ImgDosPuntos;
  Image ImgDosPuntos2;
  Label LblInfo;
  Image TipApagado;
  Image ImgTipOk;
  Image ImgTipNotas;
  Image Image1;
  Image ImgButtonMENOS;
  Image ImgButtonMAS;
  Image ImgAbout;
  Image ImgMinimizar;
  Image ImgConfig;
  Image ImgCerrar;
  Button Command1;

  // --- picture stores, never on screen ---
  Picture Background;
  std::array<Image, 10> ImgNumero;
  Image ImgIconMain1;
  Image ImgIconMain2;
  Image ImgTipApagadoON;
  Image ImgTipApagadoOFF;
  Image ImgTipStopON;
  Image ImgTipStopOFF;
  Image ImgTipOkON;
  Image ImgTipOkOFF;
  Image ImgTipNotasON;
  Image ImgTipNotasOFF;
  Image ImgPuntos;
  Image ImgHand;
  Image ImgTemp;

  // --- timers ---
  Timer TimerSync;
  Timer TimerSep;
  Timer TimerApagado;
  Timer TimerMsg;
  Timer TimerInc;

  // --- public state ---
  bool ApagarEquipo = false;
  bool HoraApagadoSet = false;
  bool UsaSpeaker = false;
  std::int16_t SpeakerMelody = 0;
  bool AjustarHoraApagado = false;
  std::int16_t AjustarHoraIndexSel = 0;
  std::int16_t HoraApagado_hrs = 0;
  std::int16_t HoraApagado_min = 0;
  std::int16_t HoraApagado_sec = 0;
  bool AjustarHorasPulsado_Modo = true;
  bool FrmConfigShow = false;

  // --- private state, public for the views and tests to read ---
  bool PrimeraActivacion = false;
  bool Arrastrando = false;
  float ArrastreX = 0;
  float ArrastreY = 0;
  std::int16_t IzquierdaInicialPx = 0;
  bool SeparadorOculto = false;
  std::int16_t CuentaAtras = 0;
  bool CuentaAtrasActiva = false;

  // The countdown length read at start-up; every countdown starts from it.
  std::int16_t CountdownLength() const { return countdownLength_; }

 private:
  // The picture stores and the file that fills each, in the loader's order.
  std::array<PictureSlot, 22> PictureSlots();
  void LoadBuiltInPictures();
  // The visible slots show the faces of the stores just filled.
  void ShowLoadedFaces();
  void ReadSettings();
  void PlaceWindow();
  void KeepOnScreen();
  void ShowDigit(Image& place, int digit);
  void ShowCurrentTime(const LocalDateTime& now);
  void ShowShutdownTime();
  void ShutdownCheck(const LocalDateTime& now);
  void StartCountdown();
  void CancelCountdown();
  void EndCountdown();
  void MoveNoteOffClock();
  void Step();
  void StartStep(bool plus);
  void StopStep();
  void OpenEditor();
  void Arm();
  // The OK's work on the fields as they stand.
  void AcceptEditedTime();
  void Disarm();
  void ArmNextOccurrence(const LocalDateTime& now, std::chrono::sys_days notBefore);
  bool ArmNextDayIfDaily();
  void KeepDailyShutdownAhead(const LocalDateTime& now);
  void ShowPopupMenu();
  void MinimizeToTray();
  void TellPowerOffFailed(const std::string& body);
  // What the message line shows when no message is up.
  std::string RestingMessage() const;

  MainPorts ports_;
  std::int16_t countdownLength_ = 20;
  bool settingsUnsaved_ = false;
  // What the last accept set, as the shutdown check compares it: the time
  // ("hh:mm:ss") and the day it applies on. Kept here rather than read back
  // from the store, which may have failed to take them; and apart from the
  // editor's fields, which change while the user steps them.
  std::string acceptedTime_;
  std::optional<std::chrono::year_month_day> acceptedDate_;
  // The day on which the daily shutdown's date was last looked at: only a
  // day that moved on can have left it behind.
  std::optional<std::chrono::year_month_day> dailyLookedOn_;
  // Minimized to the taskbar because there was no tray to hide in.
  bool minimizedForWantOfTray_ = false;
  // The load step is running, and the program was asked to end meanwhile.
  bool loading_ = false;
  bool endRequested_ = false;
  bool powerOffWaiting_ = false;
};

}  // namespace vesperon
