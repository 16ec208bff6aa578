#include <gtest/gtest.h>

#include "common/time_text.h"
#include "main_harness.h"

namespace vesperon {
namespace {

using std::chrono::milliseconds;

TEST(DigitTable, BothRowsAndTwelveHourTexts) {
  const std::pair<const char*, const char*> cases[] = {
      {"9:05:03", "090503"},    {"21:05:03", "210503"},   {"09:05:03", "090503"},
      {"9:05:03 PM", "090503"}, {"12:00:00 AM", "120000"}, {"1:59:59 p. m.", "015959"},
      {"00:00:00", "000000"},
  };
  for (const auto& [text, digits] : cases) {
    SCOPED_TRACE(text);
    const auto d = DigitsOfTimeText(text);
    ASSERT_TRUE(d);
    std::string shown;
    for (int v : *d) shown += static_cast<char>('0' + v);
    EXPECT_EQ(shown, digits);
  }
  for (const char* odd : {"", "9", "午後9:05:03", "9:5:3"}) {
    SCOPED_TRACE(odd);
    EXPECT_FALSE(DigitsOfTimeText(odd));
  }
}

TEST(DigitTable, TargetTextIsZeroPaddedTwentyFourHour) {
  EXPECT_EQ(FormatHhMmSs(9, 5, 3), "09:05:03");
  EXPECT_EQ(FormatHhMmSs(23, 59, 0), "23:59:00");
}

TEST(ClockFace, ShowsTheCurrentTime) {
  MainHarness h(At(2026, 12, 7, 9, 5, 3, 100));
  ASSERT_TRUE(h.Start());
  EXPECT_EQ(h.Face(), "090503");
  h.time.AdvanceTo(At(2026, 12, 7, 21, 5, 3, 100));
  EXPECT_EQ(h.Face(), "210503");
}

TEST(ClockFace, TwelveHourLocaleShowsOneToTwelve) {
  MainHarness h(At(2026, 12, 7, 21, 5, 3, 100));
  h.time.timeText = [](const LocalDateTime& t) {
    const int hour = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return std::to_string(hour) + ":" + (t.minute < 10 ? "0" : "") + std::to_string(t.minute) +
           ":" + (t.second < 10 ? "0" : "") + std::to_string(t.second) +
           (t.hour < 12 ? " AM" : " PM");
  };
  ASSERT_TRUE(h.Start());
  EXPECT_EQ(h.Face(), "090503");
  h.time.AdvanceTo(At(2026, 12, 8, 0, 30, 0, 100));
  EXPECT_EQ(h.Face(), "123000");
}

TEST(ClockFace, UnknownLayoutFallsBackToTheTwentyFourHourTime) {
  MainHarness h(At(2026, 12, 7, 21, 5, 3, 100));
  h.time.timeText = [](const LocalDateTime&) { return std::string("21h05"); };
  ASSERT_TRUE(h.Start());
  EXPECT_EQ(h.Face(), "210503");
}

TEST(ClockFace, ReadsTheTimeOnceForAllSixPlaces) {
  // At 12:59:59.999 a redraw that asked for the time per place could show
  // 12:00:00 or 13:59:59; one reading shows a moment that existed.
  MainHarness h(At(2026, 12, 7, 12, 59, 59, 999));
  ASSERT_TRUE(h.Start());
  const int before = h.time.timeTextCalls;
  h.main.TimerSync_Timer();
  EXPECT_EQ(h.time.timeTextCalls - before, 1);
  EXPECT_EQ(h.Face(), "125959");
}

TEST(ClockFace, DigitsChangeOnTheSecondBoundary) {
  MainHarness h(At(2026, 12, 7, 10, 0, 0, 400));
  ASSERT_TRUE(h.Start());
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 0, 999));
  EXPECT_EQ(h.Face(), "100000");
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 1, 0));
  EXPECT_EQ(h.Face(), "100001");
}

TEST(ClockFace, EditorShowsTheShutdownTimeWithLeadingZeros) {
  MainHarness h;
  h.settings.Set("Apagado", "Horas", "7");
  h.settings.Set("Apagado", "Minutos", "30");
  h.settings.Set("Apagado", "Segundos", "0");
  ASSERT_TRUE(h.Start());
  h.main.mnAjustarApagado_Click();
  EXPECT_EQ(h.Face(), "073000");
  // The editor's face does not follow the clock.
  h.time.Advance(milliseconds(3000));
  EXPECT_EQ(h.Face(), "073000");
}

TEST(ClockFace, ColonsBlinkInStepWithTheSecond) {
  MainHarness h(At(2026, 12, 7, 10, 0, 0, 100));
  ASSERT_TRUE(h.Start());
  std::string seen;
  for (int i = 0; i < 8; ++i) {
    h.time.Advance(milliseconds(250));
    seen += h.main.ImgDosPuntos.visible ? 'V' : '-';
    EXPECT_EQ(h.main.ImgDosPuntos.visible, h.main.ImgDosPuntos2.visible);
  }
  // 10:00:00.350 … 10:00:02.100: shown in the first half of each second.
  EXPECT_EQ(seen, "V--VV--V");

  // An editor opened while they were out keeps them up; once it closes they
  // blink in the same step as before.
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 2, 700));
  ASSERT_FALSE(h.main.ImgDosPuntos.visible);
  h.main.mnAjustarApagado_Click();
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 4, 100));
  h.main.ImgTipOk_MouseDown(MouseButton::Left);
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 5, 100));
  seen.clear();
  for (int i = 0; i < 8; ++i) {
    h.time.Advance(milliseconds(250));
    seen += h.main.ImgDosPuntos.visible ? 'V' : '-';
  }
  EXPECT_EQ(seen, "V--VV--V");
}

TEST(ClockFace, EditorBlinksOnlyTheSelectedFieldFourTimesASecond) {
  MainHarness h(At(2026, 12, 7, 10, 0, 0, 100));
  ASSERT_TRUE(h.Start());
  h.main.mnAjustarApagado_Click();
  std::string hours, others;
  for (int i = 0; i < 4; ++i) {
    h.time.Advance(milliseconds(250));
    hours += h.main.ImgHora[0].visible ? 'V' : '-';
    EXPECT_EQ(h.main.ImgHora[0].visible, h.main.ImgHora[1].visible);
    for (int p = 2; p < 6; ++p) EXPECT_TRUE(h.main.ImgHora[p].visible);
    EXPECT_TRUE(h.main.ImgDosPuntos.visible && h.main.ImgDosPuntos2.visible);
  }
  EXPECT_EQ(hours, "-V-V");

  h.main.Image1_MouseDown(MouseButton::Left);  // minutes
  h.time.Advance(milliseconds(250));
  EXPECT_FALSE(h.main.ImgHora[2].visible);
  EXPECT_TRUE(h.main.ImgHora[0].visible && h.main.ImgHora[1].visible);
}

// Accepted and armed for a target time; the check runs on every redraw.
struct Armed {
  explicit Armed(VirtualTime::TimePoint start, int hrs, int min, int sec) : h(start) {
    h.settings.Set("Apagado", "Horas", std::to_string(hrs));
    h.settings.Set("Apagado", "Minutos", std::to_string(min));
    h.settings.Set("Apagado", "Segundos", std::to_string(sec));
    h.Start();
    h.main.mnAjustarApagado_Click();
    h.main.ImgTipOk_MouseDown(MouseButton::Left);
    h.main.TipApagado_MouseDown(MouseButton::Left);
  }
  MainHarness h;
};

TEST(ShutdownCheck, FiresOnceAtOrAfterTheTargetNeverBefore) {
  Armed a(At(2026, 12, 7, 21, 59, 50, 500), 22, 0, 0);
  ASSERT_TRUE(a.h.main.ApagarEquipo);
  a.h.time.AdvanceTo(At(2026, 12, 7, 21, 59, 59, 999));
  EXPECT_FALSE(a.h.main.CuentaAtrasActiva);
  EXPECT_TRUE(a.h.main.HoraApagadoSet);

  a.h.time.AdvanceTo(At(2026, 12, 7, 22, 0, 0, 1));
  EXPECT_TRUE(a.h.main.CuentaAtrasActiva);
  EXPECT_FALSE(a.h.main.HoraApagadoSet);
  // The stop face shows (the blink may already have turned it).
  EXPECT_TRUE(a.h.main.TipApagado.picture == a.h.main.ImgTipStopON.picture ||
              a.h.main.TipApagado.picture == a.h.main.ImgTipStopOFF.picture);
  EXPECT_TRUE(a.h.time.IsRunning(a.h.main.TimerApagado));
  a.h.time.AdvanceTo(At(2026, 12, 7, 22, 0, 2, 500));
  EXPECT_EQ(a.h.main.CuentaAtras, 18);  // fired once: one countdown, two ticks
}

TEST(ShutdownCheck, ArmedAfterTheTimePassedOnItsDayFiresAtOnce) {
  Armed a(At(2026, 12, 7, 9, 30, 0, 0), 9, 30, 5);
  a.h.main.TipApagado_MouseDown(MouseButton::Left);  // disarmed again
  a.h.time.AdvanceTo(At(2026, 12, 7, 9, 45, 0, 100));
  EXPECT_FALSE(a.h.main.CuentaAtrasActiva);
  a.h.main.TipApagado_MouseDown(MouseButton::Left);
  a.h.main.TimerSync_Timer();
  EXPECT_TRUE(a.h.main.CuentaAtrasActiva);
}

TEST(ShutdownCheck, TimeAcceptedForTomorrowWaitsForTomorrow) {
  Armed a(At(2026, 12, 7, 23, 0, 0, 0), 7, 0, 0);
  a.h.time.AdvanceTo(At(2026, 12, 7, 23, 59, 59, 500));
  EXPECT_FALSE(a.h.main.CuentaAtrasActiva);
  a.h.time.AdvanceTo(At(2026, 12, 8, 6, 59, 59, 500));
  EXPECT_FALSE(a.h.main.CuentaAtrasActiva);
  a.h.time.AdvanceTo(At(2026, 12, 8, 7, 0, 0, 500));
  EXPECT_TRUE(a.h.main.CuentaAtrasActiva);
}

TEST(ShutdownCheck, NeverFiresOnAnotherDate) {
  Armed a(At(2026, 12, 7, 21, 0, 0, 0), 22, 0, 0);
  // The machine slept across the target and past midnight.
  a.h.time.Spend(std::chrono::hours(2));
  a.h.time.Advance(milliseconds(1000));
  a.h.time.AdvanceTo(At(2026, 12, 8, 22, 0, 5, 0));
  EXPECT_FALSE(a.h.main.CuentaAtrasActiva);
}

TEST(ShutdownCheck, NeedsBothAcceptedAndArmed) {
  {
    MainHarness h(At(2026, 12, 7, 9, 0, 0, 0));
    h.Start();
    h.main.mnAjustarApagado_Click();
    h.main.HoraApagado_hrs = 9;
    h.main.HoraApagado_sec = 1;
    h.main.ImgTipOk_MouseDown(MouseButton::Left);  // accepted, not armed
    h.time.Advance(milliseconds(5000));
    EXPECT_FALSE(h.main.CuentaAtrasActiva);
  }
  {
    // A time and date stored by an earlier run, not accepted in this one.
    MainHarness h(At(2026, 12, 7, 9, 0, 0, 0));
    h.settings.Set("Apagado", "Horas", "9");
    h.settings.Set("Apagado", "Segundos", "1");
    h.settings.Set("Apagado", "FechaApagado", "07/12/2026");
    h.Start();
    h.main.ApagarEquipo = true;  // armed, nothing accepted
    h.time.Advance(milliseconds(5000));
    EXPECT_FALSE(h.main.CuentaAtrasActiva);
  }
}

TEST(ShutdownCheck, StopIndicatorBlinksWithTheSeparatorTimer) {
  Armed a(At(2026, 12, 7, 9, 0, 0, 100), 9, 0, 1);
  a.h.time.AdvanceTo(At(2026, 12, 7, 9, 0, 1, 100));
  ASSERT_TRUE(a.h.main.CuentaAtrasActiva);
  const Picture on = a.h.main.ImgTipStopON.picture;
  const Picture off = a.h.main.ImgTipStopOFF.picture;
  std::string seen;
  for (int i = 0; i < 4; ++i) {
    a.h.time.Advance(milliseconds(500));
    seen += a.h.main.TipApagado.picture == on ? 'X' : (a.h.main.TipApagado.picture == off ? 'o' : '?');
  }
  EXPECT_TRUE(seen == "oXoX" || seen == "XoXo") << seen;

  // With the editor open it blinks every 250 ms.
  a.h.main.mnAjustarApagado_Click();
  seen.clear();
  for (int i = 0; i < 4; ++i) {
    a.h.time.Advance(milliseconds(250));
    seen += a.h.main.TipApagado.picture == on ? 'X' : 'o';
  }
  EXPECT_TRUE(seen == "oXoX" || seen == "XoXo") << seen;
}

TEST(ClockFace, NotesIndicatorKeepsItsFaceWithoutNotes) {
  MainHarness h;
  ASSERT_TRUE(h.Start());
  h.time.Advance(milliseconds(3000));
  EXPECT_TRUE(h.main.ImgTipNotas.picture == h.main.ImgTipNotasOFF.picture);
  h.menu.mnAñadirNota.push_back(MenuEntry{"nota"});
  h.time.Advance(milliseconds(500));
  EXPECT_TRUE(h.main.ImgTipNotas.picture == h.main.ImgTipNotasON.picture);
}

}  // namespace
}  // namespace vesperon
