#include "config/qt/config_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "qt/qt_picture_loader.h"
#include "main_harness.h"
#include "platform/linux/linux_file_system.h"
#include "spin_events.h"

namespace vesperon::qt_view {
namespace {

// The dialog over the sample skins, on a clock started from fresh settings.
struct ConfigDialogTest : ::testing::Test {
  ConfigDialogTest() { EXPECT_TRUE(h.Start()); }

  std::unique_ptr<ConfigDialog> Make() {
    return std::make_unique<ConfigDialog>(ConfigPorts{h.settings, h.registry, h.environment,
                                                      library, pictures, skin, h.speaker, h.shell},
                                          h.main, nullptr);
  }

  template <class W>
  static W* Named(QWidget& dialog, const char* name) {
    for (W* widget : dialog.findChildren<W*>())
      if (widget->accessibleName() == QString::fromUtf8(name)) return widget;
    ADD_FAILURE() << "no control named " << name;
    return nullptr;
  }

  BasicMainHarness<QtPictureLoader> h;
  LinuxFileSystem files;
  QtPictureLoader pictures{files};
  SkinLibrary library{files, {VESPERON_SOURCE_DIR "/skins"}};
  ModSkin skin{{library, pictures, h.shell, h.environment}};
};

TEST_F(ConfigDialogTest, AFixedToolWindowWhoseControlsAreReachedWithTabByTheirNames) {
  h.settings.Set("Window", "Skin", "Nocturno");
  const auto dialog = Make();
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Configuración"));
  EXPECT_EQ(dialog->size(), QSize(387, 513));
  EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
  EXPECT_EQ(dialog->windowType(), Qt::Tool);
  EXPECT_FALSE(dialog->windowFlags() &
               (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

  auto* aceptar = Named<QPushButton>(*dialog, "Aceptar");
  auto* cancelar = Named<QPushButton>(*dialog, "Cancelar");
  ASSERT_TRUE(aceptar && cancelar);
  EXPECT_EQ(aceptar->text(), QStringLiteral("&Aceptar"));
  EXPECT_EQ(cancelar->text(), QStringLiteral("&Cancelar"));
  EXPECT_TRUE(aceptar->isDefault());

  EXPECT_EQ(Named<QComboBox>(*dialog, "Tiempo antes de apagado, segundos")->currentText(),
            QStringLiteral("20"));
  EXPECT_EQ(Named<QComboBox>(*dialog, "Como usar los sonidos")->currentIndex(), -1);

  // The stored skin is selected and previewed at its own size, pixel for pixel.
  auto* skins = Named<QListWidget>(*dialog, "Selección del Skin");
  ASSERT_TRUE(skins);
  ASSERT_EQ(skins->selectedItems().size(), 1);
  EXPECT_EQ(skins->selectedItems().front()->text(), QStringLiteral("Nocturno"));
  auto* preview = Named<QLabel>(*dialog, "Vista previa del skin");
  ASSERT_TRUE(preview);
  const QImage shown = preview->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage background = QImage(VESPERON_SOURCE_DIR "/skins/Nocturno/skin-base.bmp")
                                .convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown, background);
  EXPECT_TRUE(preview->isVisibleTo(dialog.get()));

  QStringList order;
  QWidget* focus = dialog->focusWidget();
  for (int i = 0; i < 12 && focus != nullptr; ++i) {
    order << focus->accessibleName();
    QTest::keyClick(focus, Qt::Key_Tab);
    focus = dialog->focusWidget();
  }
  EXPECT_EQ(order.join('|'),
            QString::fromUtf8("Tipo de Windows|Tiempo antes de apagado, segundos|Iniciar Vesperon "
                              "al inicio de Windows|Apagar cada día a esta hora|Activar "
                              "Speaker|Melodía|Probar|Como usar los "
                              "sonidos|Selección del Skin|Aceptar|Cancelar|Tipo de Windows"));
}

TEST_F(ConfigDialogTest, EscapeWritesNothingAndTheAcceleratorAccepts) {
  {
    const auto dialog = Make();
    dialog->show();
    auto* speaker = Named<QCheckBox>(*dialog, "Activar Speaker");
    ASSERT_TRUE(speaker);
    speaker->click();
    EXPECT_FALSE(Named<QComboBox>(*dialog, "Melodía")->isEnabled());
    EXPECT_FALSE(Named<QPushButton>(*dialog, "Probar")->isEnabled());
    Named<QComboBox>(*dialog, "Tipo de Windows")->setCurrentIndex(0);
    h.settings.writes.clear();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->Model().loaded);
    EXPECT_TRUE(h.settings.writes.empty());
  }
  {
    const auto dialog = Make();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    Named<QComboBox>(*dialog, "Tiempo antes de apagado, segundos")->setCurrentIndex(5);
    QTest::keyClick(dialog->windowHandle(), Qt::Key_A, Qt::AltModifier);
    // An accelerator presses its button visibly first.
    EXPECT_TRUE(SpinEventsUntil([&] { return !dialog->isVisible(); }, 2000));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(h.settings.Get("Apagado", "Remain"), "5");
  }
}

// Folder names as the file system spells them: one from an old zip in
// Windows-1252 (not UTF-8), one with blanks and an "ñ". Each shows decoded,
// previews, is stored byte for byte, and is found again from the setting.
TEST_F(ConfigDialogTest, ASkinFolderOfAnyNameIsShownPreviewedStoredAndFoundAgain) {
  QTemporaryDir skins;
  ASSERT_TRUE(skins.isValid());
  const std::string latin1 = "Caf\xE9";
  const std::string spaced = "Mi skin ñ";
  for (const std::string& name : {latin1, spaced}) {
    const std::filesystem::path folder = std::filesystem::path(skins.path().toStdString()) / name;
    std::filesystem::create_directory(folder);
    for (const auto& file :
         std::filesystem::directory_iterator(VESPERON_SOURCE_DIR "/skins/Nocturno"))
      if (file.path().extension() != ".ini") std::filesystem::copy(file.path(), folder);
  }
  SkinLibrary here(files, {skins.path().toStdString()});
  ModSkin hereSkin({here, pictures, h.shell, h.environment});
  const auto open = [&] {
    return std::make_unique<ConfigDialog>(ConfigPorts{h.settings, h.registry, h.environment, here,
                                                      pictures, hereSkin, h.speaker, h.shell},
                                          h.main, nullptr);
  };

  for (const std::string& name : {latin1, spaced}) {
    SCOPED_TRACE(name);
    h.settings.Set("Window", "Skin", name);
    const auto dialog = open();
    auto* list = Named<QListWidget>(*dialog, "Selección del Skin");
    ASSERT_TRUE(list);
    const QString shown = QString::fromUtf8(name == latin1 ? "Café" : "Mi skin ñ");
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().front()->text(), shown);
    EXPECT_EQ(dialog->Model().LblSkinName.caption, "Nombre: " + shown.toStdString());
    EXPECT_TRUE(Named<QLabel>(*dialog, "Vista previa del skin")->isVisibleTo(dialog.get()));
    EXPECT_TRUE(h.shell.boxes.empty());

    // Accepting stores the folder's own name, which a start finds again.
    h.settings.Set("Window", "Skin", "");
    Named<QPushButton>(*dialog, "Aceptar")->click();
    EXPECT_EQ(h.settings.Get("Window", "Skin"), name);
    EXPECT_TRUE(hereSkin.ComprobarSkin(name, h.main.ImgTemp.picture).has_value());
    EXPECT_TRUE(h.shell.boxes.empty());
  }
}

}  // namespace
}  // namespace vesperon::qt_view
