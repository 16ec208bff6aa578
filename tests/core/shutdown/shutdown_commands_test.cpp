// The shutdown driven by a later start's requests, as the running clock
// answers them.
#include <gtest/gtest.h>

#include "common/instance_request.h"
#include "main_harness.h"

namespace vesperon {
namespace {

using std::chrono::milliseconds;

struct ShutdownCommands : ::testing::Test {
  void SetUp() override {
    h.settings.Set("Apagado", "Remain", "0");  // 5 seconds
    h.settings.Set("Apagado", "UsaSpeaker", "0");
    ASSERT_TRUE(h.Start());
  }
  std::string Ask(const std::string& request) { return AnswerLaterStart(h.main, request); }
  std::string TrayTip() const {
    const auto& tip = h.trayPort.calls.back().data.szTip;
    return tip.substr(0, tip.find('\0'));
  }
  MainHarness h{At(2026, 12, 7, 10, 0, 0, 100)};
};

// "at" is the editor's OK: the same writes in the same order, the same
// message, today or tomorrow; an editor left open closes with it, and the
// time the user was stepping gives way to the one asked for.
TEST_F(ShutdownCommands, AtAcceptsAsTheEditorsOkDoes) {
  MainHarness byHand{At(2026, 12, 7, 10, 0, 0, 100)};
  ASSERT_TRUE(byHand.Start());
  for (const auto& [fields, answer, message] :
       {std::tuple{TimeOfDay{23, 30, 0}, "ok accepted, not armed 2026-12-07 23:30:00",
                   "Cambios guardados"},
        std::tuple{TimeOfDay{9, 5, 7}, "ok accepted, not armed 2026-12-08 09:05:07",
                   "Apagamos mañana... ;)"}}) {
    h.settings.writes.clear();
    byHand.settings.writes.clear();
    byHand.main.mnAjustarApagado_Click();
    byHand.main.HoraApagado_hrs = static_cast<std::int16_t>(fields.hours);
    byHand.main.HoraApagado_min = static_cast<std::int16_t>(fields.minutes);
    byHand.main.HoraApagado_sec = static_cast<std::int16_t>(fields.seconds);
    byHand.main.ImgTipOk_MouseDown(MouseButton::Left);

    h.main.mnAjustarApagado_Click();
    h.main.ImgButtonMAS_MouseDown(MouseButton::Left);  // held while the request comes
    EXPECT_EQ(Ask(RequestLine({RequestVerb::At, fields})), answer);
    EXPECT_EQ(h.main.LblInfo.caption, message);
    EXPECT_EQ(h.settings.writes, byHand.settings.writes);
    EXPECT_EQ(h.settings.writes.size(), 4u);
    EXPECT_FALSE(h.main.AjustarHoraApagado);
    EXPECT_TRUE(h.main.ImgTipOk.picture == h.main.ImgTipOkOFF.picture);
    h.time.Advance(milliseconds(1000));
    EXPECT_EQ(h.main.HoraApagado_hrs, fields.hours);  // no longer stepped
    EXPECT_EQ(h.main.TimerSep.Interval(), 500);
    EXPECT_TRUE(h.main.TimerSep.Enabled());
    h.main.ImgButtonMAS_MouseUp(MouseButton::Left);
  }
}

// Each request leaves the state it names: arming an armed clock or one that
// counts down changes nothing (where a click would disarm or cancel), and
// disarming stops a countdown before its power-off.
TEST_F(ShutdownCommands, ArmDisarmAndStatusFollowTheRoadToThePowerOff) {
  EXPECT_EQ(Ask("status"), "ok idle");
  EXPECT_EQ(Ask("arm"), "error no accepted time");
  EXPECT_EQ(h.main.LblInfo.caption, "Err: Hora no ajustada!");
  EXPECT_EQ(Ask("disarm"), "error no accepted time");

  EXPECT_EQ(Ask("at 10:00:03"), "ok accepted, not armed 2026-12-07 10:00:03");
  EXPECT_EQ(Ask("disarm"), "ok accepted, not armed 2026-12-07 10:00:03");
  EXPECT_EQ(Ask("arm"), "ok armed 2026-12-07 10:00:03");
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado ON!");
  EXPECT_EQ(TrayTip(), "Vesperon - Inciado");
  EXPECT_EQ(Ask("arm"), "ok armed 2026-12-07 10:00:03");
  EXPECT_TRUE(h.main.ApagarEquipo);

  h.settings.Set("Apagado", "Diario", "1");
  EXPECT_EQ(Ask("status"), "ok armed 2026-12-07 10:00:03 daily");
  h.settings.Set("Apagado", "Diario", "0");

  h.time.Advance(milliseconds(4000));  // fired at 10:00:03, one tick since
  ASSERT_TRUE(h.main.CuentaAtrasActiva);
  EXPECT_EQ(Ask("status"), "ok countdown 4");
  EXPECT_EQ(Ask("arm"), "ok countdown 4");
  EXPECT_EQ(Ask("disarm"), "ok idle");
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado cancelado");
  EXPECT_EQ(TrayTip(), "Vesperon");
  h.time.Advance(milliseconds(10000));
  EXPECT_EQ(h.power.ExitRequests(), 0);
  EXPECT_EQ(Ask("arm"), "error no accepted time");
}

// "quit" ends the clock as "Salir" does, storing its place, whatever box is
// open; a request that comes after gets an error, not a clock that is gone.
TEST_F(ShutdownCommands, QuitEndsTheClockFromBehindAnOpenDialog) {
  h.main.left = 1500;
  h.shell.whileDialogOpen = [&](Dialog) { EXPECT_EQ(Ask("quit"), "ok"); };
  h.menu.mnConfig_Click(h.main);
  EXPECT_FALSE(h.main.loaded);
  EXPECT_EQ(h.settings.Get("Window", "xpos"), "1500");
  EXPECT_TRUE(h.trayPort.calls.back().message == NotifyMessage::Delete);
  EXPECT_EQ(Ask("status"), "error the clock is ending");
}

}  // namespace
}  // namespace vesperon
