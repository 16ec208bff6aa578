#include <gtest/gtest.h>

#include "common/conversions.h"
#include "main_harness.h"

namespace vesperon {
namespace {

using W = MemorySettings::Write_;

TEST(Startup, FreshProfileWritesEveryDefaultInLoadOrder) {
  MainHarness h;
  ASSERT_TRUE(h.Start());

  // The window stood centred before placement (15360 × 11520 twips screen).
  const std::vector<W> expected = {
      {"Apagado", "Horas", "0"},         {"Apagado", "Minutos", "0"},
      {"Apagado", "Segundos", "0"},      {"Apagado", "Remain", "3"},
      {"Apagado", "WindowsVersion", "2"}, {"Window", "OnTop", "1"},
      {"Apagado", "UsaSpeaker", "1"},    {"Apagado", "SpeakerMelody", "0"},
      {"Vesperon", "AutoStart", "1"},    {"Window", "Skin", ""},
      {"Window", "xpos", "6397.5"},      {"Window", "ypos", "4800"},
  };
  EXPECT_EQ(h.settings.writes, expected);
  EXPECT_FALSE(h.settings.Has("Apagado", "FechaApagado"));

  EXPECT_FLOAT_EQ(h.main.width, 171 * 15);
  EXPECT_FLOAT_EQ(h.main.height, 128 * 15);
  EXPECT_FLOAT_EQ(h.main.left, 15360 / 2 - 171 * 15 / 2.0f);
  EXPECT_FLOAT_EQ(h.main.top, 11520 / 2 - 128 * 15 / 2.0f);
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.LblInfo.caption, "Bienvenido a Vesperon!");

  // Not topmost in this run, though "1" was written for the next one.
  EXPECT_TRUE(h.window.topmostCalls.empty());
  EXPECT_FALSE(h.menu.mnOnTop.checked);

  EXPECT_TRUE(h.main.UsaSpeaker);
  EXPECT_EQ(h.main.SpeakerMelody, 0);
  EXPECT_EQ(h.main.CuentaAtras, 20);
  EXPECT_FALSE(h.main.ApagarEquipo);
  EXPECT_FALSE(h.main.HoraApagadoSet);
  EXPECT_EQ(h.RunValue(), "/opt/vesperon/vesperon /autostart");

  ASSERT_EQ(h.trayPort.calls.size(), 1u);
  EXPECT_EQ(h.trayPort.calls[0].message, NotifyMessage::Add);
  EXPECT_TRUE(h.trayPort.calls[0].data.hIcon == h.pictures.BuiltIn("tray1.ico"));
  EXPECT_EQ(h.trayPort.calls[0].data.szTip.substr(0, 9), std::string("Vesperon\0", 9));
  EXPECT_EQ(h.trayPort.calls[0].data.szTip.size(), 64u);
  EXPECT_TRUE(h.main.TimerSync.Enabled());
  EXPECT_TRUE(h.main.TimerSep.Enabled());
}

TEST(Startup, SecondInstanceEndsBeforeTouchingAnythingAndAsksTheFirstToComeForward) {
  MainHarness h;
  h.environment.prevInstance = true;
  EXPECT_FALSE(h.Start());
  EXPECT_TRUE(h.settings.reads.empty());
  EXPECT_TRUE(h.settings.writes.empty());
  EXPECT_TRUE(h.trayPort.calls.empty());
  EXPECT_FALSE(h.main.loaded);
  EXPECT_FALSE(h.menu.loaded);
  EXPECT_EQ(h.environment.asked, std::vector<std::string>{"show"});

  // Started with the session beside a clock that runs: nothing to show.
  MainHarness withTheSession;
  withTheSession.environment.prevInstance = true;
  withTheSession.environment.argumentText = "/autostart";
  EXPECT_FALSE(withTheSession.Start());
  EXPECT_TRUE(withTheSession.environment.asked.empty());
}

// The running copy, asked by a later start: hidden in the tray, it comes
// back and to the front; with the configuration dialog open, the dialog
// comes forward instead. Anything but the one request changes nothing.
TEST(Startup, ALaterStartsShowBringsTheHiddenClockForward) {
  MainHarness h;
  h.environment.argumentText = "/autostart";
  ASSERT_TRUE(h.Start());
  ASSERT_FALSE(h.main.visible);

  for (const char* wrong : {"", "Show", "show ", "show now", "hide", "show\r"})
    EXPECT_EQ(AnswerLaterStart(h.main, wrong).rfind("error ", 0), 0u) << wrong;
  EXPECT_FALSE(h.main.visible);
  EXPECT_EQ(h.window.broughtToFront, 0);

  EXPECT_EQ(AnswerLaterStart(h.main, "show"), "ok");
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Normal);
  EXPECT_EQ(h.window.broughtToFront, 1);

  h.shell.whileDialogOpen = [&](Dialog) { EXPECT_EQ(AnswerLaterStart(h.main, "show"), "ok"); };
  h.menu.mnConfig_Click(h.main);
  EXPECT_EQ(h.shell.broughtToFront, std::vector<Dialog>{Dialog::Config});
  EXPECT_EQ(h.window.broughtToFront, 1);
}

struct StoredCase {
  const char* section;
  const char* key;
  const char* value;
  std::function<void(MainHarness&)> check;
};

TEST(Startup, StoredValuesAreReadByTheirRules) {
  const StoredCase cases[] = {
      {"Apagado", "Remain", "0", [](MainHarness& h) { EXPECT_EQ(h.main.CuentaAtras, 5); }},
      {"Apagado", "Remain", "7", [](MainHarness& h) { EXPECT_EQ(h.main.CuentaAtras, 40); }},
      {"Apagado", "Remain", " 1 ", [](MainHarness& h) { EXPECT_EQ(h.main.CuentaAtras, 10); }},
      {"Apagado", "Remain", "-4",
       [](MainHarness& h) {
         // A countdown that could never reach zero is not allowed to start.
         EXPECT_EQ(h.main.CuentaAtras, 20);
         EXPECT_EQ(h.settings.Get("Apagado", "Remain"), "3");
       }},
      {"Apagado", "UsaSpeaker", "0", [](MainHarness& h) { EXPECT_FALSE(h.main.UsaSpeaker); }},
      {"Apagado", "UsaSpeaker", "2", [](MainHarness& h) { EXPECT_FALSE(h.main.UsaSpeaker); }},
      {"Apagado", "UsaSpeaker", "1.0", [](MainHarness& h) { EXPECT_TRUE(h.main.UsaSpeaker); }},
      {"Apagado", "SpeakerMelody", "2", [](MainHarness& h) { EXPECT_EQ(h.main.SpeakerMelody, 2); }},
      {"Apagado", "Horas", "22",
       [](MainHarness& h) {
         EXPECT_EQ(h.main.HoraApagado_hrs, 22);
         EXPECT_FALSE(h.main.HoraApagadoSet);  // a stored time must be accepted again
       }},
      {"Apagado", "Horas", "25",
       [](MainHarness& h) {
         EXPECT_EQ(h.main.HoraApagado_hrs, 0);
         EXPECT_EQ(h.settings.Get("Apagado", "Horas"), "0");
       }},
      {"Apagado", "Minutos", "abc", [](MainHarness& h) { EXPECT_EQ(h.main.HoraApagado_min, 0); }},
      {"Apagado", "WindowsVersion", "7",
       [](MainHarness& h) { EXPECT_EQ(h.settings.Get("Apagado", "WindowsVersion"), "7"); }},
      {"Window", "OnTop", "0",
       [](MainHarness& h) {
         EXPECT_TRUE(h.window.topmostCalls.empty());
         EXPECT_FALSE(h.menu.mnOnTop.checked);
       }},
      {"Window", "OnTop", "1",
       [](MainHarness& h) {
         EXPECT_EQ(h.window.topmostCalls, std::vector<bool>{true});
         EXPECT_TRUE(h.menu.mnOnTop.checked);
       }},
      {"Vesperon", "AutoStart", " 1 ",
       [](MainHarness& h) {
         EXPECT_EQ(h.RunValue(), "/opt/vesperon/vesperon /autostart");
         EXPECT_EQ(h.settings.Get("Vesperon", "AutoStart"), " 1 ");
       }},
      {"Vesperon", "AutoStart", "0",
       [](MainHarness& h) {
         EXPECT_FALSE(h.RunValue());
       }},
      {"Vesperon", "AutoStart", "si",
       [](MainHarness& h) {
         // Neither "1" nor "0": the entry stays as it was (present here).
         EXPECT_EQ(h.RunValue(), "/old/place /autostart");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=\"" + c.value + "\"");
    MainHarness h;
    h.SetRunValue("/old/place /autostart");
    h.settings.Set(c.section, c.key, c.value);
    ASSERT_TRUE(h.Start());
    c.check(h);
  }
}

TEST(Startup, AutostartArgumentHidesTheWindowOnlyWhenItIsTheWholeText) {
  const std::pair<const char*, bool> cases[] = {
      {"/autostart", true},          {"/AUTOSTART", false}, {"/Autostart", false},
      {"/autostart /debugskin", false}, {"/autostart2", false}, {"autostart", false},
      {"", false},
  };
  for (const auto& [text, hidden] : cases) {
    SCOPED_TRACE(text);
    MainHarness h;
    h.environment.argumentText = text;
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.main.visible, !hidden);
    EXPECT_EQ(h.main.windowState == WindowState::Minimized, hidden);
    EXPECT_FALSE(h.main.PrimeraActivacion);
    // The tray icon is there either way.
    EXPECT_EQ(h.trayPort.calls.size(), 1u);
  }
}

TEST(Startup, LaterActivationsDoNothing) {
  MainHarness h;
  h.environment.argumentText = "/autostart";
  ASSERT_TRUE(h.Start());
  h.main.windowState = WindowState::Normal;
  h.main.visible = true;
  h.main.Form_Activate();
  EXPECT_TRUE(h.main.visible);
}

TEST(Startup, PositionIsRestoredAndStoredAgainOnUnload) {
  MainHarness h;
  h.settings.Set("Window", "xpos", "1500");
  h.settings.Set("Window", "ypos", " 300 ");
  ASSERT_TRUE(h.Start());
  EXPECT_FLOAT_EQ(h.main.left, 1500);
  EXPECT_FLOAT_EQ(h.main.top, 300);

  h.main.left = 2250;
  h.main.top = 607.5f;
  h.settings.writes.clear();
  h.trayPort.calls.clear();
  h.main.Unload();

  const std::vector<W> expected = {{"Window", "xpos", "2250"}, {"Window", "ypos", "607.5"}};
  EXPECT_EQ(h.settings.writes, expected);
  // Removed by the close request and again by the unload.
  ASSERT_EQ(h.trayPort.calls.size(), 2u);
  EXPECT_EQ(h.trayPort.calls[0].message, NotifyMessage::Delete);
  EXPECT_FALSE(h.main.loaded);
  EXPECT_FALSE(h.menu.loaded);
  EXPECT_FALSE(h.time.IsRunning(h.main.TimerSync));

  // Closing twice (a signal after the close button) writes nothing more.
  h.main.Unload();
  EXPECT_EQ(h.settings.writes.size(), 2u);
}

TEST(Startup, NextStartPutsTheWindowWhereItWasLeft) {
  MainHarness first;
  ASSERT_TRUE(first.Start());
  first.main.left = 900;
  first.main.top = 1200;
  first.main.Unload();

  MainHarness second;
  for (const auto& w : first.settings.writes) second.settings.Set(w.section, w.key, w.value);
  ASSERT_TRUE(second.Start());
  EXPECT_FLOAT_EQ(second.main.left, 900);
  EXPECT_FLOAT_EQ(second.main.top, 1200);
  // Every key is there now; only the empty skin name is written again.
  EXPECT_EQ(second.settings.writes, (std::vector<W>{{"Window", "Skin", ""}}));
}

// Whatever the stored place, the clock starts where it can be seen, and
// only a plain decimal number is stored back.
TEST(Startup, AStoredPlaceOffEveryScreenIsBroughtBack) {
  const Rect screen{0, 0, 1024, 768};
  for (const char* text : {"1e300", "nan", "inf", "-inf", "99999", "-40000", "-99999", "1e38",
                           "400000000000000000000000000000000000000", "-2550"}) {
    SCOPED_TRACE(text);
    MainHarness h;
    h.settings.Set("Window", "xpos", text);
    h.settings.Set("Window", "ypos", text);
    ASSERT_TRUE(h.Start());
    const int leftPx = static_cast<int>(h.main.left / 15);
    const int topPx = static_cast<int>(h.main.top / 15);
    EXPECT_TRUE(screen.Contains(leftPx, topPx) && screen.Contains(leftPx + 170, topPx + 127))
        << h.main.left << ", " << h.main.top;
    h.main.Unload();
    for (const char* key : {"xpos", "ypos"}) {
      const std::string stored = h.settings.Get("Window", key);
      const auto value = TextToDouble(stored);
      EXPECT_TRUE(value && *value >= 0 && *value <= 1024 * 15) << key << "=" << stored;
    }
  }
}

// A place on a second screen holds while that screen is there; without it
// the clock comes to the edge of the screen that is left.
TEST(Startup, APlaceOnAScreenThatIsGoneMovesToTheNearestOne) {
  MainHarness h;
  h.settings.Set("Window", "xpos", "18000");  // 1200 px: on the right-hand screen
  h.settings.Set("Window", "ypos", "3000");
  h.window.screens.push_back({1024 * 15, 0, 1280 * 15, 1024 * 15});
  ASSERT_TRUE(h.Start());
  EXPECT_FLOAT_EQ(h.main.left, 18000);

  MainHarness laptop;
  laptop.settings.Set("Window", "xpos", "18000");
  laptop.settings.Set("Window", "ypos", "3000");
  ASSERT_TRUE(laptop.Start());
  EXPECT_FLOAT_EQ(laptop.main.left, (1024 - 171) * 15);
  EXPECT_FLOAT_EQ(laptop.main.top, 3000);
}

TEST(Startup, OnlyTheMissingCoordinateIsCentred) {
  MainHarness h;
  h.settings.Set("Window", "xpos", "30");
  ASSERT_TRUE(h.Start());
  EXPECT_FLOAT_EQ(h.main.left, 30);
  EXPECT_FLOAT_EQ(h.main.top, 4800);
  EXPECT_EQ(h.settings.Get("Window", "ypos"), "4800");
}

TEST(Startup, CommandButtonShowsTheNoteWindow) {
  MainHarness h;
  ASSERT_TRUE(h.Start());
  EXPECT_FALSE(h.nota.visible);
  h.main.Command1_Click();
  EXPECT_TRUE(h.nota.visible);
}

}  // namespace
}  // namespace vesperon

namespace vesperon {
namespace {

TEST(Startup, LeftClickOnTheTrayIconBringsBackAWindowStartedHidden) {
  MainHarness h;
  h.environment.argumentText = "/autostart";
  ASSERT_TRUE(h.Start());
  ASSERT_FALSE(h.main.visible);
  // Moves over the icon, left button up, double click: nothing.
  for (std::uint32_t message : {512u, 514u, 515u, 516u}) h.main.TrayIcon_MouseMessage(message);
  EXPECT_FALSE(h.main.visible);
  h.main.TrayIcon_MouseMessage(kTrayLeftButtonDown);
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Normal);
}

}  // namespace
}  // namespace vesperon
