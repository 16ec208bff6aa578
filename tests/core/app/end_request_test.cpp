#include <gtest/gtest.h>

#include <memory>

#include "config/frm_config.h"
#include "main_harness.h"

namespace vesperon {
namespace {

using std::chrono::milliseconds;

const std::string kAzul = std::string(MainHarness::kSkinsFolder) + "/Azul";

// The system asks the program to end while the load step's box is up (a
// wrong-sized background under /debugskin). The box is closed, the step
// finishes, and only then does the window unload: the place stored is the
// one the step restored, not the middle of the screen the window stood in
// before it. Nothing is left running for the views to wait on.
TEST(EndRequest, FromTheLoadStepsBoxItWaitsForTheStepAndKeepsTheStoredPlace) {
  MainHarness h;
  h.environment.argumentText = "/debugskin";
  h.files.AddSkin(kAzul, {{"skin-base.bmp", "picture 170x128"}});
  h.settings.Set("Window", "Skin", "Azul");
  h.settings.Set("Window", "xpos", "1500");
  h.settings.Set("Window", "ypos", "3000");
  h.shell.whileOpen = [&](const RecordingShell::Box&) {
    h.main.End();
    EXPECT_TRUE(h.main.loaded) << "unloaded in the middle of the load step";
  };

  ASSERT_TRUE(h.Start());
  EXPECT_EQ(h.shell.boxes.size(), 1u);
  EXPECT_EQ(h.shell.closedAll, 1);
  EXPECT_FALSE(h.main.loaded);
  EXPECT_FALSE(h.main.visible);
  EXPECT_EQ(h.settings.Get("Window", "xpos"), "1500");
  EXPECT_EQ(h.settings.Get("Window", "ypos"), "3000");
  EXPECT_EQ(h.trayPort.calls.back().message, NotifyMessage::Delete);
  EXPECT_FALSE(h.time.IsRunning(h.main.TimerSync));
}

// Asked to end with a countdown running and the menu open over the clock:
// the menu is closed, the place is stored, and the power-off never comes.
TEST(EndRequest, DuringACountdownWithTheMenuOpenNothingIsPoweredOff) {
  MainHarness h{At(2026, 12, 7, 10, 0, 0, 100)};
  h.settings.Set("Apagado", "UsaSpeaker", "0");
  ASSERT_TRUE(h.Start());
  h.main.mnAjustarApagado_Click();
  h.main.HoraApagado_hrs = 10;
  h.main.HoraApagado_min = 0;
  h.main.HoraApagado_sec = 2;
  h.main.ImgTipOk_MouseDown(MouseButton::Left);
  h.main.TipApagado_MouseDown(MouseButton::Left);
  h.time.AdvanceTo(At(2026, 12, 7, 10, 0, 3, 50));
  ASSERT_TRUE(h.main.CuentaAtrasActiva);

  h.main.left = 2250;
  h.main.top = 607.5f;
  h.shell.choose = [&](const MenuEntry&) -> const MenuEntry* {
    h.main.End();
    return nullptr;
  };
  h.main.ImgConfig_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.shell.closedAll, 1);
  EXPECT_FALSE(h.main.loaded);
  EXPECT_EQ(h.settings.Get("Window", "xpos"), "2250");
  EXPECT_EQ(h.settings.Get("Window", "ypos"), "607.5");

  h.time.Advance(milliseconds(60000));
  EXPECT_EQ(h.power.ExitRequests(), 0);
  EXPECT_TRUE(h.power.calls.empty());
}

// Code that resumes after a box closed under it opens nothing more: the
// dialog's "Aceptar" that finds the chosen skin wrong shows no second box
// for a user who is gone.
TEST(EndRequest, NothingOpensAfterTheBoxesAreClosed) {
  MainHarness h;
  h.environment.argumentText = "/debugskin";
  h.files.AddSkin(kAzul, {{"skin-base.bmp", "picture 170x128"}});
  ASSERT_TRUE(h.Start());
  FrmConfig dialog(ConfigPorts{h.settings, h.registry, h.environment, h.skins, h.pictures, h.skin,
                               h.speaker, h.closingShell},
                   h.main);
  dialog.Form_Load();
  dialog.LstSkin.listIndex = 0;
  dialog.LstSkin_Click();
  h.shell.boxes.clear();  // the preview's own word on the skin
  h.shell.whileOpen = [&](const RecordingShell::Box&) { h.main.End(); };

  dialog.BtnAceptar_Click();
  ASSERT_EQ(h.shell.boxes.size(), 1u);
  EXPECT_EQ(h.shell.boxes[0].text, kAzul + "/skin-base.bmp tiene un tamaño erróneo!");
  EXPECT_FALSE(h.main.loaded);
}

}  // namespace
}  // namespace vesperon
