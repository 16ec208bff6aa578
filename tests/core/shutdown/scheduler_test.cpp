#include <gtest/gtest.h>

#include "main_harness.h"

namespace vesperon {
namespace {

using std::chrono::milliseconds;

struct Editor : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(h.Start());
    h.main.mnAjustarApagado_Click();
  }
  void Fields(int hrs, int min, int sec) {
    h.main.HoraApagado_hrs = static_cast<std::int16_t>(hrs);
    h.main.HoraApagado_min = static_cast<std::int16_t>(min);
    h.main.HoraApagado_sec = static_cast<std::int16_t>(sec);
  }
  void Press(bool plus) {
    if (plus) {
      h.main.ImgButtonMAS_MouseDown(MouseButton::Left);
      h.main.ImgButtonMAS_MouseUp(MouseButton::Left);
    } else {
      h.main.ImgButtonMENOS_MouseDown(MouseButton::Left);
      h.main.ImgButtonMENOS_MouseUp(MouseButton::Left);
    }
  }
  MainHarness h{At(2026, 12, 7, 10, 0, 0, 100)};
};

TEST_F(Editor, OpeningSelectsHoursAndSaysSo) {
  EXPECT_TRUE(h.main.AjustarHoraApagado);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 1);
  EXPECT_EQ(h.main.TimerSep.Interval(), 250);
  EXPECT_TRUE(h.main.ImgTipOk.picture == h.main.ImgTipOkON.picture);
  EXPECT_EQ(h.main.LblInfo.caption, "Hora de pagado");
  // Opening again goes back to hours and keeps the values.
  h.main.Image1_MouseDown(MouseButton::Left);
  Press(true);
  h.main.ImgHora_DblClick(4);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 1);
  EXPECT_EQ(h.main.HoraApagado_min, 1);
}

TEST_F(Editor, EachFieldWrapsWithoutCarry) {
  Fields(23, 59, 59);
  Press(true);
  EXPECT_EQ(h.main.HoraApagado_hrs, 0);
  h.main.Image1_MouseDown(MouseButton::Left);
  Press(true);
  EXPECT_EQ(h.main.HoraApagado_min, 0);
  EXPECT_EQ(h.main.HoraApagado_hrs, 0);
  h.main.Image1_MouseDown(MouseButton::Left);
  Press(true);
  EXPECT_EQ(h.main.HoraApagado_sec, 0);
  EXPECT_EQ(h.main.HoraApagado_min, 0);

  Fields(0, 0, 0);
  Press(false);
  EXPECT_EQ(h.main.HoraApagado_sec, 59);
  EXPECT_EQ(h.main.HoraApagado_min, 0);
  h.main.Image1_MouseDown(MouseButton::Left);  // back to hours
  Press(false);
  EXPECT_EQ(h.main.HoraApagado_hrs, 23);
  EXPECT_EQ(h.Face(), "230059");
}

TEST_F(Editor, NextFieldCyclesAndUncoversBlinkedDigits) {
  h.time.Advance(milliseconds(150));  // hours blinked off
  ASSERT_FALSE(h.main.ImgHora[0].visible);
  h.main.Image1_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 2);
  EXPECT_TRUE(h.main.ImgHora[0].visible && h.main.ImgHora[1].visible);
  h.main.Image1_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 3);
  h.main.Image1_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 1);
  h.main.Image1_MouseDown(MouseButton::Right);
  EXPECT_EQ(h.main.AjustarHoraIndexSel, 1);
}

TEST_F(Editor, HeldPlusStepsFourTimesASecondAndNothingBlinks) {
  std::vector<int> stepTimes;
  const auto start = h.time.Current();
  h.main.ImgButtonMAS_MouseDown(MouseButton::Left);
  int last = h.main.HoraApagado_hrs;
  stepTimes.push_back(0);
  for (int ms = 1; ms <= 999; ++ms) {
    h.time.Advance(milliseconds(1));
    if (h.main.HoraApagado_hrs != last) {
      last = h.main.HoraApagado_hrs;
      stepTimes.push_back(static_cast<int>((h.time.Current() - start).count()));
    }
    for (const auto& place : h.main.ImgHora) ASSERT_TRUE(place.visible);
  }
  EXPECT_EQ(stepTimes, (std::vector<int>{0, 250, 500, 750}));
  EXPECT_EQ(h.main.HoraApagado_hrs, 4);
  EXPECT_FALSE(h.main.TimerSep.Enabled());

  h.main.ImgButtonMAS_MouseUp(MouseButton::Left);
  EXPECT_FALSE(h.main.TimerInc.Enabled());
  EXPECT_TRUE(h.main.TimerSep.Enabled());
  h.time.Advance(milliseconds(1000));
  EXPECT_EQ(h.main.HoraApagado_hrs, 4);
}

TEST_F(Editor, StepButtonsNeedTheLeftButtonAndAnOpenEditor) {
  h.main.ImgButtonMAS_MouseDown(MouseButton::Right);
  EXPECT_EQ(h.main.HoraApagado_hrs, 0);
  h.main.ImgTipOk_MouseDown(MouseButton::Left);
  h.main.ImgButtonMAS_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.main.HoraApagado_hrs, 0);
  // A release with the editor closed changes nothing visible.
  h.main.ImgButtonMENOS_MouseUp(MouseButton::Left);
  EXPECT_TRUE(h.main.TimerSep.Enabled());
  EXPECT_FALSE(h.main.TimerInc.Enabled());
}

TEST_F(Editor, AcceptEqualToNowAppliesToday) {
  Fields(10, 0, 0);  // now is 10:00:00.100
  h.main.ImgTipOk_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.main.LblInfo.caption, "Cambios guardados");
  EXPECT_EQ(h.settings.Get("Apagado", "FechaApagado"), "07/12/2026");
  EXPECT_TRUE(h.main.HoraApagadoSet);
  EXPECT_FALSE(h.main.AjustarHoraApagado);
  EXPECT_EQ(h.main.TimerSep.Interval(), 500);
  EXPECT_TRUE(h.main.ImgTipOk.picture == h.main.ImgTipOkOFF.picture);
  EXPECT_EQ(h.Face(), "100000");
  // Written without leading zeros, time before date.
  const auto& w = h.settings.writes;
  ASSERT_GE(w.size(), 4u);
  EXPECT_EQ(w[w.size() - 4].key, "Horas");
  EXPECT_EQ(w[w.size() - 4].value, "10");
  EXPECT_EQ(w[w.size() - 2].value, "0");
  EXPECT_EQ(w.back().key, "FechaApagado");
}

TEST(EditorAtMidnight, MidnightAcceptedAtTheLastSecondAppliesTomorrow) {
  MainHarness h(At(2026, 12, 31, 23, 59, 59, 0));
  ASSERT_TRUE(h.Start());
  h.main.mnAjustarApagado_Click();
  h.main.ImgTipOk_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.main.LblInfo.caption, "Apagamos mañana... ;)");
  EXPECT_EQ(h.settings.Get("Apagado", "FechaApagado"), "01/01/2027");
  EXPECT_EQ(h.settings.writes[h.settings.writes.size() - 4].key, "FechaApagado");
}

struct Arming : ::testing::Test {
  void SetUp() override {
    h.settings.Set("Apagado", "Remain", "0");
    h.settings.Set("Apagado", "UsaSpeaker", "0");
    ASSERT_TRUE(h.Start());
  }
  void Accept(int hrs, int min, int sec) {
    h.main.mnAjustarApagado_Click();
    h.main.HoraApagado_hrs = static_cast<std::int16_t>(hrs);
    h.main.HoraApagado_min = static_cast<std::int16_t>(min);
    h.main.HoraApagado_sec = static_cast<std::int16_t>(sec);
    h.main.ImgTipOk_MouseDown(MouseButton::Left);
  }
  void Tip() { h.main.TipApagado_MouseDown(MouseButton::Left); }
  // Accepts 10:00:01, a second after the start, and arms it.
  void ArmOneSecondAhead() {
    Accept(10, 0, 1);
    Tip();
  }
  std::string TrayTip() const {
    const auto& tip = h.trayPort.calls.back().data.szTip;
    return tip.substr(0, tip.find('\0'));
  }
  // Armed or not, as the face's indicator and the tray's tip and icon show it.
  void ExpectArmed(bool armed) {
    EXPECT_EQ(h.main.ApagarEquipo, armed);
    EXPECT_TRUE(h.main.TipApagado.picture ==
                (armed ? h.main.ImgTipApagadoON : h.main.ImgTipApagadoOFF).picture);
    EXPECT_EQ(TrayTip(), armed ? "Vesperon - Inciado" : "Vesperon");
    EXPECT_TRUE(h.trayPort.calls.back().data.hIcon ==
                (armed ? h.main.ImgIconMain1 : h.main.ImgIconMain2).picture);
  }
  std::vector<std::string> Messages(int seconds) {
    std::vector<std::string> seen;
    for (int ms = 0; ms < seconds * 1000; ms += 10) {
      h.time.Advance(milliseconds(10));
      if (!h.main.LblInfo.caption.empty() && (seen.empty() || seen.back() != h.main.LblInfo.caption))
        seen.push_back(h.main.LblInfo.caption);
    }
    return seen;
  }
  MainHarness h{At(2026, 12, 7, 10, 0, 0, 100)};
};

TEST_F(Arming, TipButtonWithoutAcceptedTimeRefuses) {
  Tip();
  EXPECT_EQ(h.main.LblInfo.caption, "Err: Hora no ajustada!");
  EXPECT_FALSE(h.main.ApagarEquipo);
  EXPECT_EQ(h.trayPort.calls.size(), 1u);
}

TEST_F(Arming, ArmDisarmArmFollowsOnFaceAndTray) {
  Accept(11, 0, 0);
  Tip();
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado ON!");
  ExpectArmed(true);

  Tip();
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado OFF");
  ExpectArmed(false);

  Tip();
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado ON!");
  ExpectArmed(true);
  EXPECT_TRUE(h.main.HoraApagadoSet);
}

TEST_F(Arming, TipButtonIsIgnoredWhileEditing) {
  Accept(11, 0, 0);
  h.main.mnAjustarApagado_Click();
  Tip();
  EXPECT_FALSE(h.main.ApagarEquipo);
  EXPECT_EQ(h.main.LblInfo.caption, "Hora de pagado");
}

TEST_F(Arming, FiveSecondCountdownEndsInOnePowerOffRequest) {
  h.settings.Set("Apagado", "WindowsVersion", "2");
  Accept(10, 0, 2);
  Tip();
  const auto seen = Messages(10);
  // The count of 0 is replaced by the farewell in the same tick.
  const std::vector<std::string> expected = {
      "Apagado ON!",          "Se apagará en: 4 secs", "Se apagará en: 3 secs",
      "Se apagará en: 2 secs", "Se apagará en: 1 secs", "Bye bye ;)"};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(h.power.ExitRequests(), 1);
  EXPECT_FALSE(h.main.CuentaAtrasActiva);
}

// However the power-off request ends, the armed time is spent: the clock is
// disarmed on the face and in the tray, and a time accepted afterwards fires
// only once it is armed again.
TEST_F(Arming, AtZeroTheClockIsDisarmedAndALaterTimeNeedsArmingAgain) {
  h.settings.Set("Apagado", "WindowsVersion", "2");
  h.power.succeed = false;
  ArmOneSecondAhead();
  h.time.Advance(milliseconds(8000));
  ASSERT_EQ(h.power.ExitRequests(), 1);
  ExpectArmed(false);

  Accept(10, 0, 12);
  h.time.Advance(milliseconds(12000));
  EXPECT_FALSE(h.main.CuentaAtrasActiva);
  EXPECT_EQ(h.power.ExitRequests(), 1);

  Tip();
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado ON!");
  h.time.Advance(milliseconds(6000));
  EXPECT_EQ(h.power.ExitRequests(), 2);
}

// The check compares what was accepted, whatever the store holds: a write
// that failed cannot leave an earlier accept's date to fire on. The failure
// is shown in place of the accept's own message.
TEST_F(Arming, AcceptWhoseSaveFailsSaysSoAndFiresOnItsOwnDate) {
  Accept(10, 0, 30);  // stored: today
  h.time.AdvanceTo(At(2026, 12, 7, 10, 1, 0, 100));
  h.settings.failWrites = true;
  Accept(10, 0, 40);  // passed: tomorrow, but the store keeps today
  EXPECT_EQ(h.main.LblInfo.caption, "Err: No se pudo guardar!");
  ASSERT_EQ(h.settings.Get("Apagado", "FechaApagado"), "07/12/2026");
  Tip();
  h.time.Advance(milliseconds(10000));
  EXPECT_FALSE(h.main.CuentaAtrasActiva);
  h.time.AdvanceTo(At(2026, 12, 8, 10, 0, 41, 0));
  EXPECT_TRUE(h.main.CuentaAtrasActiva);
}

TEST(SettingsFailure, ALoadWhoseDefaultsAreNotSavedSaysSoInsteadOfTheWelcome) {
  MainHarness h;
  h.settings.failWrites = true;
  ASSERT_TRUE(h.Start());
  EXPECT_EQ(h.main.LblInfo.caption, "Err: No se pudo guardar!");
}

// What is compared is the accepted time, not the fields being stepped: an
// armed clock whose editor goes past the current time fires nothing.
TEST_F(Arming, SteppingAnArmedTimeFiresNothingUntilAccepted) {
  Accept(11, 0, 0);
  Tip();
  h.main.mnAjustarApagado_Click();
  h.main.ImgButtonMENOS_MouseDown(MouseButton::Left);  // hours 11 → 10
  h.main.ImgButtonMENOS_MouseUp(MouseButton::Left);
  h.main.ImgButtonMENOS_MouseDown(MouseButton::Left);  // 10 → 9, already passed
  h.main.ImgButtonMENOS_MouseUp(MouseButton::Left);
  h.time.Advance(milliseconds(3000));
  EXPECT_FALSE(h.main.CuentaAtrasActiva);
}

// The blinking stop cancels even while the editor is open.
TEST_F(Arming, ACountdownIsCancelledWithTheEditorOpen) {
  ArmOneSecondAhead();
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 2, 50));
  ASSERT_TRUE(h.main.CuentaAtrasActiva);
  h.main.mnAjustarApagado_Click();
  Tip();
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado cancelado");
  h.time.Advance(milliseconds(10000));
  EXPECT_EQ(h.power.ExitRequests(), 0);
  EXPECT_FALSE(h.main.ApagarEquipo);
}

// A power-off that does not happen never stays looking like one: the
// system's later refusal, or a setting that names no way to power off.
TEST_F(Arming, AFailedPowerOffIsShownAndNotified) {
  h.settings.Set("Apagado", "WindowsVersion", "2");
  ArmOneSecondAhead();
  h.time.Advance(milliseconds(8000));
  ASSERT_EQ(h.power.ExitRequests(), 1);
  EXPECT_TRUE(h.notifier.notices.empty());
  h.main.PowerOff_Failed("Access denied");  // as the wiring hands it on
  EXPECT_EQ(h.main.LblInfo.caption, "Err: No se pudo apagar!");
  ASSERT_EQ(h.notifier.notices.size(), 1u);
  EXPECT_EQ(h.notifier.notices[0],
            (RecordingNotifier::Notice{"No se pudo apagar el equipo",
                                       "El sistema no apagó el equipo. Respuesta del sistema: "
                                       "Access denied"}));

  h.settings.Set("Apagado", "WindowsVersion", "2 ");
  Accept(10, 0, 20);
  Tip();
  h.time.Advance(milliseconds(18000));
  EXPECT_EQ(h.power.ExitRequests(), 1);
  EXPECT_EQ(h.main.LblInfo.caption, "Err: No se pudo apagar!");
  ASSERT_EQ(h.notifier.notices.size(), 2u);
  EXPECT_EQ(h.notifier.notices[1].body,
            "Elige el tipo de Windows en Configuración y vuelve a activar el apagado.");
  EXPECT_EQ(h.diagnostics.lines,
            (std::vector<std::string>{"vesperon: no power-off requested: WindowsVersion \"2 \" "
                                      "names no way to power off"}));
}

// A power-off that waits for the system's answer (polkit asking for a
// password) says so on the message line for as long as it waits, well past
// the 1.5 s of a message, and other messages give way back to it. Only the
// system's no makes it a failure; its yes ends the waiting.
TEST_F(Arming, AWaitingPowerOffSaysSoUntilTheSystemAnswers) {
  h.settings.Set("Apagado", "WindowsVersion", "2");
  ArmOneSecondAhead();
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 6, 500));  // the request has gone
  ASSERT_EQ(h.power.ExitRequests(), 1);
  ASSERT_EQ(h.main.LblInfo.caption, "Bye bye ;)");
  h.main.PowerOff_Waiting(true);  // as the adapter reports it
  EXPECT_EQ(h.main.LblInfo.caption, "Bye bye ;)") << "a message up stays its time";
  h.time.Advance(milliseconds(1500));
  EXPECT_EQ(h.main.LblInfo.caption, "Esperando permiso...");
  h.time.Advance(std::chrono::minutes(30));
  EXPECT_EQ(h.main.LblInfo.caption, "Esperando permiso...");
  Tip();
  EXPECT_EQ(h.main.LblInfo.caption, "Err: Hora no ajustada!");
  h.time.Advance(milliseconds(1500));
  EXPECT_EQ(h.main.LblInfo.caption, "Esperando permiso...");
  EXPECT_TRUE(h.notifier.notices.empty());

  h.main.PowerOff_Failed("Access denied");
  EXPECT_EQ(h.main.LblInfo.caption, "Err: No se pudo apagar!");
  h.main.PowerOff_Waiting(false);
  h.time.Advance(milliseconds(1500));
  EXPECT_EQ(h.main.LblInfo.caption, "");
  EXPECT_EQ(h.notifier.notices.size(), 1u);

  h.main.PowerOff_Waiting(true);
  EXPECT_EQ(h.main.LblInfo.caption, "Esperando permiso...");
  h.main.PowerOff_Waiting(false);
  EXPECT_EQ(h.main.LblInfo.caption, "");
  EXPECT_EQ(h.notifier.notices.size(), 1u);
}

// A countdown nobody sees ends in a power-off nobody saw coming: the clock
// comes back from the tray where it stood, the note window steps off it, and
// the desktop announces the countdown with a way to cancel it.
TEST_F(Arming, ACountdownBringsTheClockBackAndItsNoticeCancelsIt) {
  Accept(10, 0, 2);
  Tip();
  h.nota.Show();
  h.nota.needsPlacement = false;
  h.nota.left = h.main.left + 600;
  h.nota.top = h.main.top;
  h.main.ImgMinimizar_MouseDown(MouseButton::Left);
  ASSERT_FALSE(h.main.visible);
  const float left = h.main.left;
  const float top = h.main.top;
  const std::size_t trayCalls = h.trayPort.calls.size();

  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 2, 50));
  ASSERT_TRUE(h.main.CuentaAtrasActiva);
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Normal);
  EXPECT_EQ(h.main.left, left);
  EXPECT_EQ(h.main.top, top);
  EXPECT_EQ(h.trayPort.calls.size(), trayCalls);
  EXPECT_EQ(h.shell.inReachCalls, std::vector<bool>{true});
  EXPECT_TRUE(h.nota.left >= h.main.left + h.main.width ||
              h.nota.left + h.nota.width <= h.main.left);
  const RecordingNotifier::Announcement notice{"Vesperon", "Se apagará en: 5 secs", "Cancelar"};
  ASSERT_EQ(h.notifier.announced, std::vector{notice});
  EXPECT_TRUE(h.notifier.up);

  h.time.Advance(milliseconds(1500));
  EXPECT_EQ(h.notifier.announced.size(), 1u);
  h.main.CountdownNotice_Cancel();  // as the wiring hands "Cancelar" on
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado cancelado");
  EXPECT_FALSE(h.main.ApagarEquipo);
  EXPECT_FALSE(h.notifier.up);
  EXPECT_EQ(h.shell.inReachCalls, (std::vector<bool>{true, false}));
  h.time.Advance(milliseconds(10000));
  EXPECT_EQ(h.power.ExitRequests(), 0);
  // A late "Cancelar" finds no countdown and does nothing.
  h.main.CountdownNotice_Cancel();
  EXPECT_EQ(h.main.LblInfo.caption, "");
}

TEST_F(Arming, EveryEndOfACountdownWithdrawsItsNotice) {
  h.settings.Set("Apagado", "WindowsVersion", "2");
  ArmOneSecondAhead();
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 2, 50));
  Tip();  // the blinking stop
  EXPECT_EQ(h.notifier.withdrawn, 1);

  Accept(10, 0, 10);
  Tip();
  h.time.Advance(milliseconds(20000));
  ASSERT_EQ(h.power.ExitRequests(), 1);
  EXPECT_EQ(h.notifier.withdrawn, 2);

  Accept(10, 0, 30);
  Tip();
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 31, 50));
  ASSERT_TRUE(h.main.CuentaAtrasActiva);
  h.main.Unload();
  EXPECT_EQ(h.notifier.withdrawn, 3);
  EXPECT_EQ(h.notifier.announced.size(), 3u);
  EXPECT_EQ(h.shell.inReachCalls, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(Arming, CountsStayOnTheLineUntilReplaced) {
  ArmOneSecondAhead();
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 2, 50));  // the first count is up
  for (int ms = 0; ms < 4000; ms += 10) {
    h.time.Advance(milliseconds(10));
    ASSERT_FALSE(h.main.LblInfo.caption.empty()) << ms;
  }
}

TEST_F(Arming, CancelDisarmsAndSpendsTheAcceptedTime) {
  ArmOneSecondAhead();
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 3, 50));
  ASSERT_TRUE(h.main.CuentaAtrasActiva);
  Tip();
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado cancelado");
  EXPECT_FALSE(h.main.CuentaAtrasActiva);
  ExpectArmed(false);

  h.time.Advance(milliseconds(10000));
  EXPECT_EQ(h.power.ExitRequests(), 0);
  Tip();
  EXPECT_EQ(h.main.LblInfo.caption, "Err: Hora no ajustada!");
}

TEST_F(Arming, EveryCountdownRunsItsFullLength) {
  h.settings.Set("Apagado", "WindowsVersion", "2");
  ArmOneSecondAhead();
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 3, 50));
  Tip();  // cancelled with 3 seconds left
  Accept(10, 0, 10);
  Tip();
  const auto seen = Messages(20);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), "Se apagará en: 4 secs"), 1);
  EXPECT_EQ(h.power.ExitRequests(), 1);

  // The machine did not go down; arming again gives a full countdown too.
  Accept(10, 0, 40);
  Tip();
  const auto again = Messages(25);
  EXPECT_EQ(std::count(again.begin(), again.end(), "Se apagará en: 4 secs"), 1);
  EXPECT_EQ(h.power.ExitRequests(), 2);
}

TEST_F(Arming, MelodyPlaysOnEveryTickOnlyWhenTheSpeakerIsOn) {
  ArmOneSecondAhead();
  h.time.Advance(milliseconds(8000));
  EXPECT_TRUE(h.speaker.played.empty());

  MainHarness loud(At(2026, 12, 7, 10, 0, 0, 100));
  loud.settings.Set("Apagado", "Remain", "0");
  loud.settings.Set("Apagado", "SpeakerMelody", "2");
  ASSERT_TRUE(loud.Start());
  // The melody holds the thread for its length; the countdown waits for it.
  loud.speaker.onPlay = [&](const Melody&) { loud.time.Spend(milliseconds(505)); };
  loud.main.mnAjustarApagado_Click();
  loud.main.HoraApagado_hrs = 10;
  loud.main.HoraApagado_sec = 1;
  loud.main.ImgTipOk_MouseDown(MouseButton::Left);
  loud.main.TipApagado_MouseDown(MouseButton::Left);
  loud.time.Advance(milliseconds(8000));
  ASSERT_EQ(loud.speaker.played.size(), 5u);
  EXPECT_EQ(loud.speaker.played[0].front(), (Tone{800, 5}));
  EXPECT_EQ(loud.power.ExitRequests(), 1);
}

TEST(MessageLine, NewMessageRestartsTheFullPeriod) {
  MainHarness h(At(2026, 12, 7, 10, 0, 0, 0));
  ASSERT_TRUE(h.Start());
  h.main.MostrarMensaje("uno");
  h.time.Advance(milliseconds(1000));
  h.main.MostrarMensaje("dos");
  h.time.Advance(milliseconds(1499));
  EXPECT_EQ(h.main.LblInfo.caption, "dos");
  h.time.Advance(milliseconds(1));
  EXPECT_EQ(h.main.LblInfo.caption, "");
  EXPECT_FALSE(h.main.TimerMsg.Enabled());

  h.main.MostrarMensaje("");
  EXPECT_TRUE(h.main.TimerMsg.Enabled());
}

}  // namespace
}  // namespace vesperon
