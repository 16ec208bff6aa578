#include <gtest/gtest.h>

#include "main_harness.h"
#include "skin/skin_format.h"

namespace vesperon {
namespace {

using Box = RecordingShell::Box;

const std::string kAzul = std::string(MainHarness::kSkinsFolder) + "/Azul";

std::string Wrong(int w, int h) { return "picture " + std::to_string(w) + "x" + std::to_string(h); }

// Every picture slot of the window, to tell whether a load changed any.
std::vector<Picture> Slots(const FrmMain& m) {
  std::vector<Picture> all = {m.Background,
                              m.ImgPuntos.picture,
                              m.ImgDosPuntos.picture,
                              m.ImgDosPuntos2.picture,
                              m.ImgIconMain1.picture,
                              m.ImgIconMain2.picture,
                              m.ImgTipApagadoON.picture,
                              m.ImgTipApagadoOFF.picture,
                              m.ImgTipStopON.picture,
                              m.ImgTipStopOFF.picture,
                              m.ImgTipOkON.picture,
                              m.ImgTipOkOFF.picture,
                              m.ImgTipNotasON.picture,
                              m.ImgTipNotasOFF.picture,
                              m.TipApagado.picture,
                              m.ImgTipOk.picture,
                              m.ImgTipNotas.picture};
  for (const auto& d : m.ImgNumero) all.push_back(d.picture);
  for (const auto& d : m.ImgHora) all.push_back(d.picture);
  return all;
}

TEST(Skin, StartUpChecksEveryFileThenLoadsTheSkinAndShowsTheTimeInIt) {
  MainHarness h;
  h.files.AddSkin(kAzul);
  h.settings.Set("Window", "Skin", "Azul");
  ASSERT_TRUE(h.Start());

  // The check reads all 24 pictures once, in its order; the loader shows
  // what the check read.
  std::vector<std::string> expected;
  for (const SkinPictureFile& wanted : kSkinFiles) expected.push_back(kAzul + "/" + wanted.name);
  EXPECT_EQ(h.pictures.loads, expected);

  EXPECT_EQ(*static_cast<const std::string*>(h.main.Background.Payload()),
            kAzul + "/skin-base.bmp");
  EXPECT_EQ(*static_cast<const std::string*>(h.main.ImgNumero[7].picture.Payload()),
            kAzul + "/7.bmp");
  EXPECT_EQ(h.Face(), "100000");  // redrawn with the skin's own digits
  EXPECT_TRUE(h.main.ImgDosPuntos.picture == h.main.ImgPuntos.picture);
  EXPECT_TRUE(h.main.ImgDosPuntos2.picture == h.main.ImgPuntos.picture);
  EXPECT_TRUE(h.main.TipApagado.picture == h.main.ImgTipApagadoOFF.picture);
  // The window icon and the first tray icon were taken before the skin.
  EXPECT_TRUE(h.main.icon == h.pictures.BuiltIn("tray1.ico"));
  EXPECT_TRUE(h.trayPort.calls.at(0).data.hIcon == h.pictures.BuiltIn("tray1.ico"));
  EXPECT_FALSE(h.main.ImgIconMain1.picture == h.pictures.BuiltIn("tray1.ico"));
  EXPECT_TRUE(h.shell.boxes.empty());
  EXPECT_EQ(h.settings.Get("Window", "Skin"), "Azul");
}

TEST(Skin, StartUpWithoutAUsableSkinKeepsTheBuiltInLook) {
  {
    SCOPED_TRACE("a blank name is written back empty and nothing is read");
    MainHarness h;
    h.files.AddSkin(kAzul);
    h.settings.Set("Window", "Skin", "   ");
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.settings.Get("Window", "Skin"), "");
    EXPECT_TRUE(h.pictures.loads.empty());
  }
  {
    SCOPED_TRACE("a folder that is gone, or a skin the check refuses, changes nothing");
    for (const std::string name : {"Rojo", "Azul"}) {
      MainHarness h;
      h.files.AddSkin(kAzul, {{"tip-ok-on.bmp", Wrong(15, 10)}});
      h.settings.Set("Window", "Skin", name);
      ASSERT_TRUE(h.Start());
      EXPECT_EQ(h.settings.Get("Window", "Skin"), name);
      EXPECT_TRUE(h.main.Background == h.pictures.BuiltIn("skin-base.bmp"));
      EXPECT_TRUE(h.main.ImgNumero[0].picture == h.pictures.BuiltIn("0.bmp"));
      EXPECT_TRUE(h.shell.boxes.empty());
    }
  }
}

TEST(Skin, DebugskinExplainsAMissingFileAndEveryWrongSizeOfDigitsAndOversizedPicturesToo) {
  MainHarness h;
  h.environment.argumentText = "/debugskin";
  ModSkin& skin = h.skin;

  h.files.AddSkin(kAzul, {{"6.bmp", ""}});
  EXPECT_FALSE(skin.ComprobarSkin("Azul", h.main.ImgTemp.picture).has_value());
  ASSERT_EQ(h.shell.boxes.size(), 1u);
  EXPECT_EQ(h.shell.boxes[0],
            (Box{"Error cargando skin!\r\nNo se encuentra el archivo " + kAzul + "/6.bmp", "Azul",
                 MsgBoxIcon::Critical}));

  // A digit of the wrong size, and a background larger than any picture
  // the program reads, are sizes the author can mend: both are named so.
  h.files.AddSkin(kAzul, {{"7.bmp", Wrong(12, 17)}});
  EXPECT_FALSE(skin.ComprobarSkin("Azul", h.main.ImgTemp.picture).has_value());
  h.files.AddSkin(kAzul, {{"7.bmp", Wrong(10, 17)}, {"skin-base.bmp", Wrong(4000, 4000)}});
  EXPECT_FALSE(skin.ComprobarSkin("Azul", h.main.ImgTemp.picture).has_value());
  ASSERT_EQ(h.shell.boxes.size(), 3u);
  EXPECT_EQ(h.shell.boxes[1],
            (Box{kAzul + "/7.bmp tiene un tamaño erróneo!", "Azul", MsgBoxIcon::Critical}));
  EXPECT_EQ(h.shell.boxes[2],
            (Box{kAzul + "/skin-base.bmp tiene un tamaño erróneo!", "Azul", MsgBoxIcon::Critical}));

  h.files.AddSkin(kAzul, {{"dos_puntos.bmp", "not a picture"}});
  EXPECT_FALSE(skin.ComprobarSkin("Azul", h.main.ImgTemp.picture).has_value());
  ASSERT_EQ(h.shell.boxes.size(), 4u);
  EXPECT_EQ(h.shell.boxes[3].text, "Error cargando skin!\r\nNo se puede leer el archivo " + kAzul +
                                       "/dos_puntos.bmp: dañada");

  EXPECT_FALSE(skin.ComprobarSkin("Verde", h.main.ImgTemp.picture).has_value());
  ASSERT_EQ(h.shell.boxes.size(), 5u);
  EXPECT_EQ(h.shell.boxes[4], (Box{"Error cargando skin!\r\nNo se encuentra el skin 'Verde' en "
                                   "ninguna carpeta Skins",
                                   "Verde", MsgBoxIcon::Critical}));

  // Only the whole argument text, in its own letter case, turns this on.
  for (const char* near : {"/DebugSkin", "/debugskin /autostart", " /debugskin"}) {
    h.environment.argumentText = near;
    EXPECT_FALSE(skin.ComprobarSkin("Verde", h.main.ImgTemp.picture).has_value());
  }
  EXPECT_EQ(h.shell.boxes.size(), 5u);
}

TEST(Skin, CheckNamesTheFirstWrongPictureInItsOrder) {
  // Every measured picture but the digits one pixel too tall: each fix
  // moves the complaint to the next file of the check's order.
  MainHarness h;
  h.environment.argumentText = "/debugskin";
  std::map<std::string, std::string> wrong;
  for (const SkinPictureFile& wanted : kSkinFiles)
    if (wanted.width != 0 && std::string(wanted.name).size() > 5)
      wrong[wanted.name] = Wrong(wanted.width, wanted.height + 1);
  h.files.AddSkin(kAzul, wrong);

  std::vector<std::string> named;
  while (!h.skin.ComprobarSkin("Azul", h.main.ImgTemp.picture).has_value()) {
    ASSERT_FALSE(h.shell.boxes.empty());
    const std::string text = h.shell.boxes.back().text;
    const std::string file = text.substr(kAzul.size() + 1, text.find(' ') - kAzul.size() - 1);
    named.push_back(file);
    h.shell.boxes.clear();
    const auto wanted = std::find_if(kSkinFiles.begin(), kSkinFiles.end(),
                                     [&](const SkinPictureFile& s) { return file == s.name; });
    ASSERT_NE(wanted, kSkinFiles.end()) << text;
    h.files.AddFile(kAzul + "/" + file, Wrong(wanted->width, wanted->height));
  }
  EXPECT_EQ(named,
            (std::vector<std::string>{"dos_puntos.bmp", "menu-bkg.bmp", "menu-left.bmp",
                                      "skin-base.bmp", "tip-apagado-off.bmp", "tip-apagado-on.bmp",
                                      "tip-notas-off.bmp", "tip-notas-on.bmp", "tip-ok-off.bmp",
                                      "tip-ok-on.bmp", "tip-stop-off.bmp", "tip-stop-on.bmp"}));
  // The last picture loaded stays in the scratch slot.
  EXPECT_EQ(*static_cast<const std::string*>(h.main.ImgTemp.picture.Payload()),
            kAzul + "/tray2.ico");
}

TEST(Skin, AFailedLoadLeavesTheLookExactlyAsItWasAndSaysSo) {
  MainHarness h;
  ASSERT_TRUE(h.Start());
  h.files.AddSkin(kAzul, {{"tip-stop-off.bmp", ""}});
  const auto before = Slots(h.main);

  // Its last picture missing: nothing of the skin is shown.
  EXPECT_FALSE(h.main.AplicarSkinElegido(h.skin, "Azul"));
  EXPECT_EQ(Slots(h.main), before);
  ASSERT_EQ(h.shell.boxes.size(), 1u);
  EXPECT_EQ(h.shell.boxes[0],
            (Box{"El skin que has elejido no es válido!\r\nSelecciona otro o pulsa Cancelar",
                 "Guardar cambios", MsgBoxIcon::Exclamation}));
}

TEST(Skin, FileNamesMatchWhateverTheirLetterCaseAndTheChoiceIsStable) {
  MainHarness h;
  h.files.AddSkin(kAzul, {{"skin-base.bmp", ""}, {"0.bmp", ""}, {"tray1.ico", ""}});
  h.files.AddFile(kAzul + "/Skin-Base.BMP", Wrong(171, 128));
  h.files.AddFile(kAzul + "/0.BMP", Wrong(10, 17));
  h.files.AddFile(kAzul + "/Tray1.Ico", Wrong(16, 16));
  EXPECT_TRUE(h.skin.ComprobarSkin("Azul", h.main.ImgTemp.picture).has_value());

  // Two names for one file: the exact one, else the first in byte order,
  // whichever order the folder lists them in.
  const std::vector<FolderEntry> oneWay = {{"TIP-OK-ON.BMP"}, {"Tip-Ok-On.bmp"}};
  const std::vector<FolderEntry> otherWay = {{"Tip-Ok-On.bmp"}, {"TIP-OK-ON.BMP"}};
  EXPECT_EQ(MatchIgnoringCase(oneWay, "tip-ok-on.bmp", false), "TIP-OK-ON.BMP");
  EXPECT_EQ(MatchIgnoringCase(otherWay, "tip-ok-on.bmp", false), "TIP-OK-ON.BMP");
  EXPECT_EQ(MatchIgnoringCase({{"0.BMP"}, {"0.bmp"}}, "0.bmp", false), "0.bmp");
}

TEST(Skin, EarlierSkinsFoldersHideSameNamedSkinsOfLaterOnes) {
  MainHarness h;
  const std::string user = MainHarness::kUserSkinsFolder;
  const std::string installed = MainHarness::kInstalledSkinsFolder;
  h.files.AddSkin(installed + "/Verde");
  h.files.AddSkin(installed + "/azul");
  h.files.AddSkin(installed + "/Rojo");
  h.files.AddFile(installed + "/notas.txt", "x");
  h.files.AddSkin(user + "/Azul", {{"9.bmp", ""}});
  h.files.AddSkin(user + "/Lila");

  EXPECT_EQ(h.skins.ListarSkins(), (std::vector<SkinFolder>{{"Azul", user + "/Azul"},
                                                            {"Lila", user + "/Lila"},
                                                            {"Verde", installed + "/Verde"},
                                                            {"Rojo", installed + "/Rojo"}}));
  // The user's broken Azul hides the good installed azul.
  EXPECT_EQ(h.skins.Find("azul"), (SkinFolder{"Azul", user + "/Azul"}));
  EXPECT_FALSE(h.skin.ComprobarSkin("azul", h.main.ImgTemp.picture).has_value());
  EXPECT_TRUE(h.skin.ComprobarSkin("Rojo", h.main.ImgTemp.picture).has_value());
  // A name is only ever matched against folder entries.
  EXPECT_FALSE(h.skins.Find("../Skins/Rojo"));
  EXPECT_FALSE(h.skins.Find("notas.txt"));
}

TEST(Skin, DialogStepRefusesAnInvalidSkinAndAppliesAValidOneAtOnce) {
  MainHarness h;
  ASSERT_TRUE(h.Start());
  h.files.AddSkin(kAzul);
  h.files.AddSkin(std::string(MainHarness::kSkinsFolder) + "/Roto",
                  {{"menu-bkg.bmp", Wrong(24, 21)}});
  // Armed when the skin changes: the indicator keeps saying so, in the new face.
  h.main.HoraApagadoSet = true;
  h.main.TipApagado_MouseDown(MouseButton::Left);
  ASSERT_TRUE(h.main.ApagarEquipo);

  EXPECT_TRUE(h.main.AplicarSkinElegido(h.skin, std::nullopt));
  EXPECT_FALSE(h.main.AplicarSkinElegido(h.skin, "Roto"));
  EXPECT_EQ(h.shell.boxes.back(),
            (Box{"El skin que has elejido no es válido!\r\nSelecciona otro o pulsa Cancelar",
                 "Guardar cambios", MsgBoxIcon::Exclamation}));
  EXPECT_EQ(h.settings.Get("Window", "Skin"), "");

  h.time.Advance(std::chrono::seconds(5));
  EXPECT_TRUE(h.main.AplicarSkinElegido(h.skin, "Azul"));
  EXPECT_EQ(h.settings.Get("Window", "Skin"), "Azul");
  EXPECT_EQ(h.Face(), "100005");
  EXPECT_TRUE(h.main.ApagarEquipo);
  EXPECT_EQ(*static_cast<const std::string*>(h.main.TipApagado.picture.Payload()),
            kAzul + "/tip-apagado-on.bmp");
  EXPECT_TRUE(h.main.ImgTipOk.picture == h.main.ImgTipOkOFF.picture);
  EXPECT_EQ(h.shell.boxes.size(), 1u);

  // With the editor open, the accept indicator stays lit; during a
  // countdown the stop goes on blinking in the new faces.
  h.main.mnAjustarApagado_Click();
  EXPECT_TRUE(h.main.AplicarSkinElegido(h.skin, "Azul"));
  EXPECT_EQ(*static_cast<const std::string*>(h.main.ImgTipOk.picture.Payload()),
            kAzul + "/tip-ok-on.bmp");
  h.main.CuentaAtrasActiva = true;
  EXPECT_TRUE(h.main.AplicarSkinElegido(h.skin, "Azul"));
  EXPECT_TRUE(h.main.TipApagado.picture == h.main.ImgTipStopON.picture);
  for (int ms = 0; ms < 600 && h.main.TipApagado.picture == h.main.ImgTipStopON.picture; ms += 10)
    h.time.Advance(std::chrono::milliseconds(10));
  EXPECT_TRUE(h.main.TipApagado.picture == h.main.ImgTipStopOFF.picture);
}

}  // namespace
}  // namespace vesperon
