#include <gtest/gtest.h>

#include "main_harness.h"

namespace vesperon {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;

// A clock whose stored time is shut down every day, with a 5-second
// countdown (40 seconds when asked), started at `start`.
struct DailyClock {
  DailyClock(VirtualTime::TimePoint start, int hrs, int min, int sec, const char* remain = "0")
      : h(start) {
    h.settings.Set("Apagado", "Horas", std::to_string(hrs));
    h.settings.Set("Apagado", "Minutos", std::to_string(min));
    h.settings.Set("Apagado", "Segundos", std::to_string(sec));
    h.settings.Set("Apagado", "Remain", remain);
    h.settings.Set("Apagado", "UsaSpeaker", "0");
    h.settings.Set("Apagado", "Diario", "1");
  }
  std::string Date() const { return h.settings.Get("Apagado", "FechaApagado"); }
  bool ArmedOnFace() const { return h.main.TipApagado.picture == h.main.ImgTipApagadoON.picture; }
  int PowerOffs() const { return h.power.ExitRequests(); }
  MainHarness h;
};

// Europe/Madrid in 2027: summer time from 28 March 01:00 UTC (02:00 becomes
// 03:00) to 31 October 01:00 UTC (03:00 becomes 02:00).
VirtualTime::Ms MadridOffset(VirtualTime::TimePoint utc) {
  const bool summer = utc >= At(2027, 3, 28, 1, 0, 0) && utc < At(2027, 10, 31, 1, 0, 0);
  return summer ? hours{2} : hours{1};
}

// Booted at 23:45 with 23:30 set, or at 23:30:00 itself, /autostart or not:
// armed for tomorrow and said so, never fired at start.
TEST(DailyShutdown, EveryStartArmsTheNextOccurrenceStrictlyAhead) {
  DailyClock late(At(2026, 12, 7, 23, 45, 0), 23, 30, 0);
  late.h.environment.argumentText = "/autostart";
  ASSERT_TRUE(late.h.Start());
  EXPECT_TRUE(late.h.main.ApagarEquipo && late.h.main.HoraApagadoSet && late.ArmedOnFace());
  EXPECT_EQ(late.h.main.LblInfo.caption, "Apagado ON!");
  EXPECT_EQ(late.Date(), "08/12/2026");
  EXPECT_FALSE(late.h.main.visible);

  DailyClock onTheSecond(At(2026, 12, 7, 23, 30, 0, 0), 23, 30, 0);
  ASSERT_TRUE(onTheSecond.h.Start());
  EXPECT_EQ(onTheSecond.Date(), "08/12/2026");
  onTheSecond.h.time.AdvanceTo(At(2026, 12, 8, 23, 29, 59, 900));
  EXPECT_FALSE(onTheSecond.h.main.CuentaAtrasActiva);
  onTheSecond.h.time.Advance(milliseconds(200));
  EXPECT_TRUE(onTheSecond.h.main.CuentaAtrasActiva);
}

// Past midnight and on to the next day: one power-off a day, and between
// them the clock stays armed, on the face and in the tray.
TEST(DailyShutdown, OnePowerOffADayAcrossMidnight) {
  DailyClock c(At(2026, 12, 31, 23, 59, 50), 0, 0, 5);
  ASSERT_TRUE(c.h.Start());
  EXPECT_EQ(c.Date(), "01/01/2027");
  c.h.time.AdvanceTo(At(2027, 1, 1, 0, 0, 10, 500));
  EXPECT_EQ(c.PowerOffs(), 1);
  EXPECT_EQ(c.h.main.LblInfo.caption, "Bye bye ;)");
  EXPECT_TRUE(c.h.main.ApagarEquipo && c.ArmedOnFace());
  EXPECT_TRUE(c.h.trayPort.calls.back().data.hIcon == c.h.main.ImgIconMain1.picture);
  EXPECT_EQ(c.Date(), "02/01/2027");
  c.h.time.AdvanceTo(At(2027, 1, 2, 0, 0, 4));
  EXPECT_EQ(c.PowerOffs(), 1);
  c.h.time.AdvanceTo(At(2027, 1, 2, 0, 0, 30));
  EXPECT_EQ(c.PowerOffs(), 2);
}

// Cancelling tonight's countdown keeps tomorrow's. Disarming while armed
// and waiting skips that one day; once it is over the clock arms itself.
TEST(DailyShutdown, CancelKeepsTheNextDayAndDisarmSkipsOne) {
  DailyClock c(At(2026, 12, 7, 10, 0, 0), 10, 0, 5);
  ASSERT_TRUE(c.h.Start());
  c.h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 6));
  ASSERT_TRUE(c.h.main.CuentaAtrasActiva);
  c.h.main.CountdownNotice_Cancel();
  EXPECT_EQ(c.h.main.LblInfo.caption, "Apagado cancelado");
  EXPECT_TRUE(c.h.main.ApagarEquipo && c.ArmedOnFace());
  EXPECT_EQ(c.Date(), "08/12/2026");

  c.h.main.TipApagado_MouseDown(MouseButton::Left);
  EXPECT_EQ(c.h.main.LblInfo.caption, "Apagado OFF");
  c.h.time.AdvanceTo(At(2026, 12, 8, 23, 59, 59));
  EXPECT_FALSE(c.h.main.ApagarEquipo);
  c.h.time.AdvanceTo(At(2026, 12, 9, 0, 0, 1));
  EXPECT_TRUE(c.h.main.ApagarEquipo);
  EXPECT_EQ(c.h.main.LblInfo.caption, "Apagado ON!");
  EXPECT_EQ(c.Date(), "09/12/2026");
  c.h.time.AdvanceTo(At(2026, 12, 9, 10, 0, 12));
  EXPECT_EQ(c.PowerOffs(), 1);
}

// 02:30 does not exist on the day summer time starts: the clock jumps from
// 01:59:59 to 03:00:00 and that is when the countdown starts, once.
TEST(DailyShutdown, ATimeInTheSkippedHourFiresWhenTheClockJumpsPastIt) {
  DailyClock c(At(2027, 3, 27, 23, 0, 0), 2, 30, 0);  // 00:00 in Madrid
  c.h.time.localOffset = MadridOffset;
  ASSERT_TRUE(c.h.Start());
  EXPECT_EQ(c.Date(), "28/03/2027");
  c.h.time.AdvanceTo(At(2027, 3, 28, 0, 59, 59, 500));  // 01:59:59
  EXPECT_FALSE(c.h.main.CuentaAtrasActiva);
  c.h.time.Advance(milliseconds(600));  // 03:00:00
  EXPECT_TRUE(c.h.main.CuentaAtrasActiva);
  c.h.time.AdvanceTo(At(2027, 3, 29, 0, 29, 59));  // 02:29:59 the next day
  EXPECT_EQ(c.PowerOffs(), 1);
  EXPECT_EQ(c.Date(), "29/03/2027");
  c.h.time.Advance(milliseconds(2000));
  EXPECT_TRUE(c.h.main.CuentaAtrasActiva);
}

// The day summer time ends, 02:59:58 comes twice. A 40-second countdown
// from the first one ends at 02:00:38, after the clock went back: the next
// shutdown is still tomorrow's, not the repeated hour's.
TEST(DailyShutdown, TheRepeatedHourBringsNoSecondShutdown) {
  DailyClock c(At(2027, 10, 30, 22, 0, 0), 2, 59, 58, "7");  // 00:00 in Madrid
  c.h.time.localOffset = MadridOffset;
  ASSERT_TRUE(c.h.Start());
  c.h.time.AdvanceTo(At(2027, 10, 31, 1, 0, 40));  // 02:00:40, the second time round
  ASSERT_EQ(c.PowerOffs(), 1);
  EXPECT_EQ(c.Date(), "01/11/2027");
  c.h.time.AdvanceTo(At(2027, 10, 31, 3, 0, 0));  // 04:00
  EXPECT_EQ(c.PowerOffs(), 1);
  EXPECT_FALSE(c.h.main.CuentaAtrasActiva);
}

// The clock set forward past the time on the same day fires it late, as any
// armed time does. Set forward over whole days (or a machine asleep), the
// days missed are skipped. Set back after tonight's shutdown, there is no
// second one; set back by days, the shutdown does not wait for them.
TEST(DailyShutdown, ClockJumpsSkipMissedDaysAndNeverRepeatOne) {
  DailyClock c(At(2026, 12, 7, 22, 0, 0), 23, 30, 0);
  ASSERT_TRUE(c.h.Start());
  c.h.time.SetClock(At(2026, 12, 7, 23, 45, 0));
  c.h.time.Advance(milliseconds(10000));
  EXPECT_EQ(c.PowerOffs(), 1);
  EXPECT_EQ(c.Date(), "08/12/2026");

  c.h.time.SetClock(At(2026, 12, 7, 23, 0, 0));
  c.h.time.AdvanceTo(At(2026, 12, 7, 23, 31, 0));
  EXPECT_EQ(c.PowerOffs(), 1);

  c.h.time.SetClock(At(2026, 12, 10, 8, 0, 0));  // slept through the 8th and 9th
  c.h.time.Advance(milliseconds(1000));
  EXPECT_FALSE(c.h.main.CuentaAtrasActiva);
  EXPECT_EQ(c.Date(), "10/12/2026");
  EXPECT_TRUE(c.h.main.ApagarEquipo);

  c.h.time.SetClock(At(2026, 12, 4, 23, 0, 0));
  c.h.time.Advance(milliseconds(1000));
  EXPECT_EQ(c.Date(), "04/12/2026");
  c.h.time.AdvanceTo(At(2026, 12, 4, 23, 30, 10));
  EXPECT_EQ(c.PowerOffs(), 2);
}

}  // namespace
}  // namespace vesperon
