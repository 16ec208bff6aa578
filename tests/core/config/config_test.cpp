#include <gtest/gtest.h>

#include <memory>

#include "common/melodies.h"
#include "config/frm_config.h"
#include "main_harness.h"

namespace vesperon {
namespace {

using Box = RecordingShell::Box;
using Write = MemorySettings::Write_;

const std::string kSkins = MainHarness::kSkinsFolder;

std::unique_ptr<FrmConfig> Open(MainHarness& h) {
  auto dialog =
      std::make_unique<FrmConfig>(ConfigPorts{h.settings, h.registry, h.environment, h.skins,
                                              h.pictures, h.skin, h.speaker, h.closingShell},
                                  h.main);
  dialog->Form_Load();
  return dialog;
}

std::string Payload(const Picture& p) { return *static_cast<const std::string*>(p.Payload()); }

// The five lines of the description and what the preview area shows.
std::vector<std::string> Panel(const FrmConfig& d) {
  return {d.LblSkinName.caption,
          d.LblSkinVersion.caption,
          d.LblSkinAutor.caption,
          d.LblSkinEmail.caption,
          d.LblSkinWeb.caption,
          d.ImgSkinPreview.visible ? "preview" : "no preview",
          d.LblImagen.visible ? "Imagen no Disponible" : "-"};
}

// Accepts the dialog with the store's writes recorded from a clean slate;
// returns the start entry under the Run key as it stood when AutoStart was
// written (nullopt for none, or when AutoStart was not written).
std::optional<std::string> AcceptNotingRunEntry(MainHarness& h, FrmConfig& d) {
  std::optional<std::string> entryWhenStored;
  h.settings.onWrite = [&](const Write& w) {
    if (w.key == "AutoStart") entryWhenStored = h.RunValue();
  };
  h.settings.writes.clear();
  d.BtnAceptar_Click();
  h.settings.onWrite = nullptr;
  return entryWhenStored;
}

const std::vector<std::string> kMissingFiles = {
    "Error: Faltan archivos!", "", "", "", "", "no preview", "Imagen no Disponible"};

TEST(ConfigDialog, FreshSettingsOpenAsStoredAndAcceptRewritesThemInOrder) {
  MainHarness h;
  h.files.AddSkin(kSkins + "/Azul");
  ASSERT_TRUE(h.Start());
  h.SetRunValue("/old/place/vesperon /autostart");
  const auto d = Open(h);

  EXPECT_EQ(d->CmbTipoWin.Selected(), "Windows 2000/NT/XP");
  EXPECT_EQ(d->CmbRespuesta.Selected(), "20");
  EXPECT_EQ(d->CmbMelodia.Selected(), "Beep");
  EXPECT_TRUE(d->ChkSpeaker.value && d->CmbMelodia.enabled && d->BtnProbarMelodia.enabled);
  EXPECT_TRUE(d->ChkIniciarConWindows.value);
  EXPECT_FALSE(d->CmbSonidos.Selected() || d->LstSkin.Selected());
  EXPECT_EQ(Panel(*d), kMissingFiles);

  // The entry is written before the setting that says it is there.
  const std::optional<std::string> entryWhenStored = AcceptNotingRunEntry(h, *d);
  EXPECT_FALSE(d->loaded);
  EXPECT_EQ(h.settings.writes, (std::vector<Write>{{"Apagado", "WindowsVersion", "2"},
                                                   {"Apagado", "Remain", "3"},
                                                   {"Apagado", "UsaSpeaker", "1"},
                                                   {"Apagado", "SpeakerMelody", "0"},
                                                   {"Vesperon", "AutoStart", "1"},
                                                   {"Apagado", "Diario", "0"}}));
  EXPECT_EQ(entryWhenStored, "/opt/vesperon/vesperon /autostart");
  EXPECT_TRUE(h.shell.boxes.empty());
}

TEST(ConfigDialog, ValuesItCannotShowSelectNothingAndAreNeverWrittenBack) {
  MainHarness h;
  ASSERT_TRUE(h.Start());
  h.settings.Set("Apagado", "WindowsVersion", "3");
  h.settings.Set("Apagado", "Remain", "9");
  h.settings.Set("Apagado", "UsaSpeaker", "0");
  h.settings.Set("Apagado", "SpeakerMelody", "dos");
  h.settings.Set("Vesperon", "AutoStart", " 1");
  const auto d = Open(h);

  EXPECT_FALSE(d->CmbTipoWin.Selected() || d->CmbRespuesta.Selected() || d->CmbMelodia.Selected());
  EXPECT_FALSE(d->ChkSpeaker.value || d->CmbMelodia.enabled || d->BtnProbarMelodia.enabled);
  EXPECT_FALSE(d->ChkIniciarConWindows.value);
  d->BtnProbarMelodia_Click();  // no melody selected: silence
  EXPECT_TRUE(h.speaker.played.empty());
  // No skins at all: the panel keeps the built-in preview.
  EXPECT_TRUE(d->ImgSkinPreview.visible &&
              d->ImgSkinPreview.picture == h.pictures.BuiltIn("preview.bmp"));

  // The setting says "no" before the entry goes.
  ASSERT_TRUE(h.RunValue());
  const std::optional<std::string> entryWhenStored = AcceptNotingRunEntry(h, *d);
  EXPECT_FALSE(d->loaded);
  EXPECT_EQ(h.settings.writes, (std::vector<Write>{{"Apagado", "UsaSpeaker", "0"},
                                                   {"Vesperon", "AutoStart", "0"},
                                                   {"Apagado", "Diario", "0"}}));
  EXPECT_TRUE(entryWhenStored);
  EXPECT_FALSE(h.RunValue());
  EXPECT_EQ(h.settings.Get("Apagado", "Remain"), "9");
}

TEST(ConfigDialog, AnInvalidSkinKeepsTheDialogOpenWithTheOtherSettingsSaved) {
  MainHarness h;
  h.files.AddSkin(kSkins + "/Azul");
  h.files.AddSkin(kSkins + "/Roto", {{"1.bmp", ""}});
  ASSERT_TRUE(h.Start());
  const auto d = Open(h);
  d->CmbRespuesta.listIndex = 5;
  d->CmbMelodia.listIndex = 2;
  d->BtnProbarMelodia_Click();  // heard before anything is saved
  EXPECT_EQ(h.speaker.played, std::vector<Melody>{Melodia(2)});
  d->ChkIniciarConWindows.value = false;
  d->LstSkin.listIndex = 1;
  d->LstSkin_Click();
  h.settings.writes.clear();

  d->BtnAceptar_Click();
  EXPECT_TRUE(d->loaded);
  EXPECT_EQ(h.shell.boxes, (std::vector<Box>{{"El skin que has elejido no es válido!\r\nSelecciona "
                                              "otro o pulsa Cancelar",
                                              "Guardar cambios", MsgBoxIcon::Exclamation}}));
  EXPECT_EQ(h.settings.writes.size(), 6u);
  EXPECT_EQ(h.settings.Get("Apagado", "Remain"), "5");
  EXPECT_EQ(h.settings.Get("Window", "Skin"), "");
  EXPECT_FALSE(h.RunValue());

  // Another choice, and the same dialog closes with the skin on the clock.
  d->LstSkin.listIndex = 0;
  d->BtnAceptar_Click();
  EXPECT_FALSE(d->loaded);
  EXPECT_EQ(Payload(h.main.Background), kSkins + "/Azul/skin-base.bmp");
}

TEST(ConfigDialog, WhatCouldNotBeSavedIsSaidAndTheDialogStaysOpen) {
  MainHarness h;
  h.files.AddSkin(kSkins + "/Azul");
  ASSERT_TRUE(h.Start());
  const auto d = Open(h);
  d->LstSkin.listIndex = 0;

  h.settings.failWrites = true;
  d->BtnAceptar_Click();
  EXPECT_TRUE(d->loaded);
  EXPECT_EQ(h.shell.boxes.back(),
            (Box{"No se han podido guardar los cambios!\r\nInténtalo de nuevo o pulsa Cancelar",
                 "Guardar cambios", MsgBoxIcon::Exclamation}));
  EXPECT_EQ(h.main.LblInfo.caption, "Err: No se pudo guardar!");

  // The settings go in, but the session entry cannot be made.
  h.settings.failWrites = false;
  h.registry.failWrites = true;
  h.environment.programFilePath = "/moved/vesperon";
  h.environment.visibleFiles.insert("/moved/vesperon");
  d->BtnAceptar_Click();
  EXPECT_TRUE(d->loaded);
  EXPECT_EQ(h.shell.boxes.back().text,
            "No se ha podido cambiar el inicio automático de Vesperon!\r\nInténtalo de nuevo o "
            "pulsa Cancelar");
  EXPECT_EQ(h.settings.Get("Window", "Skin"), "Azul");

  h.registry.failWrites = false;
  d->BtnAceptar_Click();
  EXPECT_FALSE(d->loaded);
  EXPECT_EQ(h.RunValue(), "/moved/vesperon /autostart");

  // A user without the right to change the machine-wide key is not held up:
  // the entry is not made and nothing is said, as it always was.
  h.registry.readOnly = true;
  h.environment.programFilePath = "/elsewhere/vesperon";
  h.environment.visibleFiles.insert("/elsewhere/vesperon");
  const auto again = Open(h);
  const std::size_t boxes = h.shell.boxes.size();
  again->BtnAceptar_Click();
  EXPECT_FALSE(again->loaded);
  EXPECT_EQ(h.shell.boxes.size(), boxes);
  EXPECT_EQ(h.RunValue(), "/moved/vesperon /autostart");
}

TEST(SkinBrowser, ListsFoldersOnlyAndDescribesEachSkinFromItsFiles) {
  MainHarness h;
  h.files.AddSkin(kSkins + "/Azul");
  h.files.AddFile(kSkins + "/notas.txt", "x");
  h.files.AddSkin(kSkins + "/Rojo", {{"2.bmp", ""}, {"SKIN.INI", "[Skin]\r\nname=   \r\n"}});
  h.files.AddSkin(kSkins + "/Alto", {{"skin-base.bmp", "picture 171x129"}});
  h.files.AddSkin(kSkins + "/Enorme", {{"skin-base.bmp", "picture 4000x4000"}});
  h.files.AddSkin(kSkins + "/Hueco", {{"skin-base.bmp", ""}});
  h.files.AddSkin(kSkins + "/Roto",
                  {{"skin-base.bmp", "not a picture"}, {"skin.ini", "[autor]\nname=Ana\n"}});
  h.files.AddFile(kSkins + "/Azul/skin.ini", "[skin]\nname=Azul Noche\n");
  ASSERT_TRUE(h.Start());
  const auto d = Open(h);
  ASSERT_EQ(d->LstSkin.items,
            (std::vector<std::string>{"Azul", "Rojo", "Alto", "Enorme", "Hueco", "Roto"}));

  d->MostrarInfoSkin("Azul");
  EXPECT_EQ(Panel(*d),
            (std::vector<std::string>{"Nombre: Azul Noche", "Versión: ?", "Autor: Desconocido",
                                      "E-Mail: Desconocido", "Web: Desconocida", "preview", "-"}));
  EXPECT_EQ(Payload(d->ImgSkinPreview.picture), kSkins + "/Azul/skin-base.bmp");

  // A blank name gives the folder's; a missing digit does not stop the preview.
  d->MostrarInfoSkin("Rojo");
  EXPECT_EQ(Panel(*d)[0], "Nombre: Rojo");
  EXPECT_EQ(Panel(*d)[5], "preview");

  // A background larger than the program reads is a wrong size too.
  for (const char* wrong : {"Alto", "Enorme"}) {
    d->MostrarInfoSkin(wrong);
    EXPECT_EQ(Panel(*d), (std::vector<std::string>{"Skin no válido o corrupto!", "", "", "", "",
                                                   "no preview", "Imagen no Disponible"}));
  }
  d->MostrarInfoSkin("Azul");
  d->MostrarInfoSkin("Hueco");
  EXPECT_EQ(Panel(*d), kMissingFiles);

  // An unreadable background is a message; the description stays and the
  // preview keeps what it showed.
  d->MostrarInfoSkin("Azul");
  d->MostrarInfoSkin("Roto");
  EXPECT_EQ(Panel(*d),
            (std::vector<std::string>{"Nombre: Roto", "Versión: ?", "Autor: Ana",
                                      "E-Mail: Desconocido", "Web: Desconocida", "preview", "-"}));
  ASSERT_EQ(h.shell.boxes.size(), 1u);
  EXPECT_EQ(h.shell.boxes[0], (Box{"Error al cargar el skin:\r\nNo se puede leer el archivo " +
                                       kSkins + "/Roto/skin-base.bmp: dañada",
                                   "Configuración", MsgBoxIcon::Critical}));
}

TEST(SkinBrowser, TheStoredSkinIsSelectedOnlyWhenItsNameMatchesExactly) {
  MainHarness h;
  h.files.AddSkin(kSkins + "/Azul");
  h.files.AddSkin(kSkins + "/Verde", {{"tip-ok-on.bmp", "picture 15x10"}});
  h.files.AddSkin(kSkins + "/Roto", {{"skin-base.bmp", "not a picture"}});
  h.environment.argumentText = "/debugskin";
  ASSERT_TRUE(h.Start());

  h.settings.Set("Window", "Skin", "azul");
  EXPECT_FALSE(Open(h)->LstSkin.Selected());
  EXPECT_EQ(Panel(*Open(h)), kMissingFiles);

  // Blanks round the stored name do not count; opening checks the skin,
  // which under /debugskin names its wrong picture, once.
  h.settings.Set("Window", "Skin", " Verde ");
  h.shell.boxes.clear();
  const auto d = Open(h);
  EXPECT_EQ(d->LstSkin.Selected(), "Verde");
  EXPECT_EQ(d->LblSkinName.caption, "Nombre: Verde");
  EXPECT_EQ(h.shell.boxes,
            (std::vector<Box>{{kSkins + "/Verde/tip-ok-on.bmp tiene un tamaño erróneo!", "Verde",
                               MsgBoxIcon::Critical}}));

  // A background that cannot be read is told once, not once per look at it.
  h.settings.Set("Window", "Skin", "Roto");
  h.shell.boxes.clear();
  Open(h);
  ASSERT_EQ(h.shell.boxes.size(), 2u);
  EXPECT_EQ(h.shell.boxes[0].title, "Roto");  // the check's, under /debugskin
  EXPECT_EQ(h.shell.boxes[1].title, "Configuración");
}

// The daily box: a save that fails keeps the dialog open and arms nothing;
// checked and saved, the stored time is armed at once; unchecked, tonight's
// shutdown stays armed and is the last one.
TEST(ConfigDialog, TheDailyBoxArmsAtOnceAndUncheckedLeavesTonightAlone) {
  MainHarness h(At(2026, 12, 7, 22, 0, 0));
  h.settings.Set("Apagado", "Horas", "23");
  h.settings.Set("Apagado", "Minutos", "30");
  h.settings.Set("Apagado", "Remain", "0");
  ASSERT_TRUE(h.Start());
  const auto d = Open(h);
  EXPECT_FALSE(d->ChkDiario.value);
  d->ChkDiario.value = true;
  h.settings.failWrites = true;
  d->BtnAceptar_Click();
  EXPECT_TRUE(d->loaded && d->ChkDiario.value);
  EXPECT_EQ(h.shell.boxes.back().text,
            "No se han podido guardar los cambios!\r\nInténtalo de nuevo o pulsa Cancelar");
  EXPECT_FALSE(h.main.ApagarEquipo);

  h.settings.failWrites = false;
  d->BtnAceptar_Click();
  EXPECT_FALSE(d->loaded);
  EXPECT_EQ(h.settings.Get("Apagado", "Diario"), "1");
  EXPECT_TRUE(h.main.ApagarEquipo);
  EXPECT_EQ(h.main.LblInfo.caption, "Apagado ON!");
  EXPECT_EQ(h.settings.Get("Apagado", "FechaApagado"), "07/12/2026");

  const auto again = Open(h);
  EXPECT_TRUE(again->ChkDiario.value);
  again->ChkDiario.value = false;
  again->BtnAceptar_Click();
  EXPECT_EQ(h.settings.Get("Apagado", "Diario"), "0");
  EXPECT_TRUE(h.main.ApagarEquipo);
  h.time.AdvanceTo(At(2026, 12, 7, 23, 30, 10));
  EXPECT_EQ(h.power.ExitRequests(), 1);
  EXPECT_FALSE(h.main.ApagarEquipo);
}

}  // namespace
}  // namespace vesperon
