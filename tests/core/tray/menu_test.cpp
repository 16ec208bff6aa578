#include <gtest/gtest.h>

#include "main_harness.h"

namespace vesperon {
namespace {

constexpr float Px(float pixels) { return pixels * 15; }

struct Menu : ::testing::Test {
  void Start() { ASSERT_TRUE(h.Start()); }
  // A mouse message over the tray icon.
  void Tray(std::uint32_t message) { h.main.TrayIcon_MouseMessage(message); }
  void Choose(const MenuEntry& entry) {
    h.shell.choose = [&entry](const MenuEntry&) { return &entry; };
  }

  MainHarness h;
  FrmMenu& menu = h.menu;
};

TEST_F(Menu, HoldsItsTreeWithThePicturesWhereTheyWereAttached) {
  Start();
  std::vector<std::string> captions;
  for (const MenuEntry* entry : menu.mnMenu.children) captions.push_back(entry->caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Ajustar hora de Apagado", "-", "&Configuración",
                                                "-", "Siempre por Encima", "Acerca de Vesperon...",
                                                "-", "&Salir", "-", "Notas de Aviso"}));
  ASSERT_EQ(menu.mnNotasAviso.children.size(), 1u);
  EXPECT_EQ(menu.mnNotasAviso.children[0]->caption, "Añadir");
  EXPECT_EQ(menu.menuBar, std::vector<MenuEntry*>{&menu.mnMenu});

  // The about picture lands on the separator at 3, the loudspeaker on 2.
  const auto& popup = menu.mnMenu.children;
  ASSERT_FALSE(menu.ImgMenuSet.picture.IsEmpty());
  EXPECT_EQ(popup[0]->picture, menu.ImgMenuSet.picture);
  EXPECT_EQ(popup[2]->picture, menu.ImgMenuNotas.picture);
  EXPECT_EQ(popup[3]->picture, menu.ImgMenuAbout.picture);
  for (std::size_t i : {1u, 4u, 5u, 6u, 7u, 8u, 9u}) EXPECT_TRUE(popup[i]->picture.IsEmpty()) << i;
}

// With the clock on top, a modal dialog takes it out of that band while it
// is up, and gives it back after; a clock not on top, or minimized, is left
// where it is.
TEST_F(Menu, DialogsTakeTheClockOutOfTheTopBandWhileTheyAreUp) {
  h.settings.Set("Window", "OnTop", "1");
  Start();
  ASSERT_TRUE(menu.mnOnTop.checked);
  std::vector<bool>& topmost = h.window.topmostCalls;

  for (const Dialog dialog : {Dialog::Config, Dialog::About}) {
    topmost.clear();
    h.shell.whileDialogOpen = [&](Dialog shown) {
      EXPECT_EQ(shown, dialog);
      EXPECT_EQ(topmost, std::vector<bool>{false});
      EXPECT_EQ(h.main.FrmConfigShow, dialog == Dialog::Config);
    };
    dialog == Dialog::Config ? menu.mnConfig_Click(h.main) : menu.mnAbout_Click(h.main);
    EXPECT_EQ(topmost, (std::vector<bool>{false, true}));
    EXPECT_FALSE(h.main.FrmConfigShow);
  }
  h.shell.whileDialogOpen = nullptr;

  h.main.ImgMinimizar_MouseDown(MouseButton::Left);
  topmost.clear();
  menu.mnConfig_Click(h.main);
  menu.mnAbout_Click(h.main);
  EXPECT_TRUE(topmost.empty());

  menu.mnOnTop_Click(h.main);  // not on top any more
  Tray(513);
  topmost.clear();
  menu.mnConfig_Click(h.main);
  menu.mnAbout_Click(h.main);
  EXPECT_TRUE(topmost.empty());
  EXPECT_EQ(h.shell.dialogs.size(), 6u);
}

TEST_F(Menu, OnTopTwiceComesBackAndIsWrittenEachTime) {
  h.settings.Set("Window", "OnTop", "0");
  Start();
  EXPECT_FALSE(menu.mnOnTop.checked);
  h.window.topmostCalls.clear();
  menu.mnOnTop_Click(h.main);
  EXPECT_TRUE(menu.mnOnTop.checked);
  EXPECT_EQ(h.settings.Get("Window", "OnTop"), "1");
  menu.mnOnTop_Click(h.main);
  EXPECT_FALSE(menu.mnOnTop.checked);
  EXPECT_EQ(h.settings.Get("Window", "OnTop"), "0");
  EXPECT_EQ(h.window.topmostCalls, (std::vector<bool>{true, false}));

  // A save that fails is said, not passed over.
  h.settings.failWrites = true;
  menu.mnOnTop_Click(h.main);
  EXPECT_EQ(h.main.LblInfo.caption, "Err: No se pudo guardar!");
}

TEST_F(Menu, TheBackgroundsRightButtonShowsTheClockOnlyAfterTheMenu) {
  Start();
  h.main.windowState = WindowState::Minimized;
  h.shell.choose = [&](const MenuEntry&) {
    EXPECT_EQ(h.main.windowState, WindowState::Minimized);
    return &menu.mnAjustarApagado;
  };
  h.main.Form_MouseDown(MouseButton::Right, Px(150), Px(100));
  EXPECT_EQ(h.shell.menus, std::vector<const MenuEntry*>{&menu.mnMenu});
  EXPECT_TRUE(h.main.AjustarHoraApagado);
  EXPECT_EQ(h.main.windowState, WindowState::Normal);
  EXPECT_TRUE(h.main.visible);

  // Ending the program from that menu does not bring the window back.
  Choose(menu.mnSalir);
  h.main.Form_MouseDown(MouseButton::Right, Px(150), Px(100));
  EXPECT_FALSE(h.main.loaded);
  EXPECT_FALSE(h.main.visible);
}

TEST_F(Menu, TrayClicksRestoreOrOpenTheMenuOrBringTheOpenDialogForward) {
  Start();
  h.main.ImgMinimizar_MouseDown(MouseButton::Left);
  for (std::uint32_t other : {512u, 514u, 515u, 516u, 518u, 519u, 520u, 521u}) Tray(other);
  EXPECT_FALSE(h.main.visible);
  EXPECT_TRUE(h.shell.menus.empty());

  Choose(menu.mnConfig);
  Tray(517);
  ASSERT_EQ(h.shell.dialogs, std::vector<Dialog>{Dialog::Config});
  EXPECT_FALSE(h.main.visible) << "the hidden clock stays hidden behind the dialog";

  h.shell.whileDialogOpen = [&](Dialog) {
    Tray(513);
    Tray(517);
    EXPECT_FALSE(h.main.visible);
  };
  Choose(menu.mnConfig);
  Tray(517);
  EXPECT_EQ(h.shell.broughtToFront, (std::vector<Dialog>{Dialog::Config, Dialog::Config}));
  EXPECT_EQ(h.shell.menus.size(), 2u);

  Tray(513);
  EXPECT_TRUE(h.main.visible);
  EXPECT_EQ(h.main.windowState, WindowState::Normal);
}

TEST_F(Menu, TheFacesMenuAndAboutAreasNeedTheLeftButton) {
  Start();
  h.main.ImgConfig_MouseDown(MouseButton::Right);
  h.main.ImgAbout_MouseDown(MouseButton::Middle);
  EXPECT_TRUE(h.shell.menus.empty());
  EXPECT_TRUE(h.shell.dialogs.empty());

  h.main.Clickable_MouseMove();
  h.main.ImgConfig_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.window.pointer, MousePointer::Default);
  EXPECT_EQ(h.shell.menus.size(), 1u);
  h.main.Clickable_MouseMove();
  h.main.ImgAbout_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.window.pointer, MousePointer::Default);
  EXPECT_EQ(h.shell.dialogs, std::vector<Dialog>{Dialog::About});
}

TEST_F(Menu, NotesSayTheyAreNotAvailable) {
  Start();
  Choose(menu.mnAñadirNota[0]);
  h.main.ImgConfig_MouseDown(MouseButton::Left);
  EXPECT_EQ(h.shell.boxes,
            (std::vector<RecordingShell::Box>{{"Las notas no estan disponibles en ésta versión :P",
                                               "Notas", MsgBoxIcon::Information}}));
}

TEST_F(Menu, ExitSavesThePlaceAndRemovesTheIcon) {
  h.settings.Set("Window", "xpos", "4500");
  h.settings.Set("Window", "ypos", "3000");
  Start();
  h.main.left = Px(310);
  Choose(menu.mnSalir);
  Tray(517);
  EXPECT_FALSE(h.main.loaded);
  EXPECT_FALSE(menu.loaded);
  EXPECT_EQ(h.settings.Get("Window", "xpos"), "4650");
  EXPECT_EQ(h.trayPort.calls.back().message, NotifyMessage::Delete);
}

}  // namespace
}  // namespace vesperon
