// vesperon-skin: for skin authors.
//   vesperon-skin init DIR
//   vesperon-skin check DIR
//   vesperon-skin render DIR --time HH:MM:SS [--armed] [--message TEXT] OUT.png
//   vesperon-skin import SRC DEST [--name TEXT] [--author TEXT] [--description TEXT] [--fit]
//   vesperon-skin install FILE.zip [--force]

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QPixmap>
#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/qt/clock_window.h"
#include "import.h"
#include "install.h"
#include "skin/skin_format.h"
#include "skin_tool.h"

namespace vesperon::skintool {
namespace {

int Usage() {
  std::fputs(
      "uso: vesperon-skin init CARPETA\n"
      "     vesperon-skin check CARPETA\n"
      "     vesperon-skin render CARPETA --time HH:MM:SS [--armed] [--message TEXTO] SALIDA.png\n"
      "     vesperon-skin import IMAGENES CARPETA [--name TEXTO] [--author TEXTO]\n"
      "                          [--description TEXTO] [--fit]\n"
      "     vesperon-skin install ARCHIVO.zip [--force]\n"
      "\n"
      "init     crea en CARPETA un skin completo con las imágenes de Vesperon, para editarlo\n"
      "check    dice todo lo que impide usar el skin de CARPETA; termina con 0 si el reloj lo "
      "acepta\n"
      "render   dibuja la cara del reloj con ese skin, como la pinta el reloj, en un PNG\n"
      "import   hace en CARPETA un skin con las imágenes (PNG, JPEG, GIF, BMP, ICO) de IMAGENES,\n"
      "         nombradas como los archivos del skin (skin-base.png, 7.png, tray1.png...)\n"
      "install  instala el skin de un zip en la carpeta de skins del usuario\n",
      stderr);
  return 2;
}

std::string Local(const QString& text) { return QFile::encodeName(text).toStdString(); }

int Check(const SkinDir& dir) {
  LinuxFileSystem files;
  if (!files.ListFolder(dir.path)) {
    std::fprintf(stderr, "vesperon-skin: %s no es una carpeta\n", Shown(dir.path).c_str());
    return 1;
  }
  return ReportSkin(dir, Shown(dir.path)) ? 0 : 1;
}

int Init(const std::string& argument) {
  const SkinDir dir = ResolveSkinDir(argument);
  std::error_code error;
  std::filesystem::create_directories(dir.path, error);
  if (!std::filesystem::is_directory(dir.path, error)) {
    std::fprintf(stderr, "vesperon-skin: no se puede crear %s\n", Shown(dir.path).c_str());
    return 1;
  }
  // Nothing an author made is ever overwritten.
  LinuxFileSystem files;
  const auto entries = files.ListFolder(dir.path).value_or(std::vector<FolderEntry>{});
  std::vector<std::string> names = {kSkinIni};
  for (const SkinPictureFile& wanted : kSkinFiles) names.push_back(wanted.name);
  bool clash = false;
  for (const std::string& name : names) {
    if (const auto there = MatchIgnoringCase(entries, name, false)) {
      std::fprintf(stderr, "vesperon-skin: ya existe %s\n",
                   Shown(JoinPath(dir.path, *there)).c_str());
      clash = true;
    }
  }
  if (clash) {
    std::fprintf(stderr, "vesperon-skin: no se ha tocado nada\n");
    return 1;
  }

  bool ok = true;
  for (const SkinPictureFile& wanted : kSkinFiles) {
    QFile picture(QStringLiteral(":/template/") + QString::fromLatin1(wanted.name));
    ok = picture.open(QIODevice::ReadOnly) &&
         WriteWholeFile(JoinPath(dir.path, wanted.name), picture.readAll().toStdString()) && ok;
  }
  ok = WriteWholeFile(JoinPath(dir.path, kSkinIni),
                      "[skin]\r\nname=" + dir.name +
                          "\r\nversion=1.0\r\n\r\n[autor]\r\nname=\r\nemail=\r\nweb=\r\n") &&
       ok;
  if (!ok) {
    std::fprintf(stderr, "vesperon-skin: no se pudo escribir todo en %s\n",
                 Shown(dir.path).c_str());
    return 1;
  }
  std::printf(
      "Skin creado en %s: edita sus imágenes (mismos tamaños) y skin.ini, y compruébalo con\n"
      "  vesperon-skin check \"%s\"\n",
      Shown(dir.path).c_str(), Shown(dir.path).c_str());
  return 0;
}

std::optional<std::array<int, 3>> ParseTime(const std::string& text) {
  int h = 0, m = 0, s = 0;
  char end = 0;
  if (text.size() != 8 || std::sscanf(text.c_str(), "%2d:%2d:%2d%c", &h, &m, &s, &end) != 3 ||
      h > 23 || m > 59 || s > 59 || h < 0 || m < 0 || s < 0)
    return std::nullopt;
  return std::array<int, 3>{h, m, s};
}

int Render(const SkinDir& dir, const std::array<int, 3>& time, bool armed,
           const std::optional<std::string>& message, const QString& out) {
  OfflineClock offline(dir, time[0], time[1], time[2]);
  FrmMain& main = offline.main;
  if (!offline.TakesSkin(dir)) {
    std::fprintf(stderr,
                 "vesperon-skin: el reloj no usaría este skin; mira qué le pasa con\n"
                 "  vesperon-skin check \"%s\"\n",
                 Shown(dir.path).c_str());
    return 1;
  }
  main.TimerSync_Timer();
  if (armed) {
    main.HoraApagadoSet = true;
    main.TipApagado_MouseDown(MouseButton::Left);
  }
  main.TimerMsg_Timer();
  if (message) main.MostrarMensaje(*message);

  qt_view::ClockWindow window(main);
  if (!window.grab().save(out, "PNG")) {
    std::fprintf(stderr, "vesperon-skin: no se puede escribir %s\n", Local(out).c_str());
    return 1;
  }
  return 0;
}

int RunRender(const std::vector<std::string>& args) {
  std::optional<std::array<int, 3>> time;
  std::optional<std::string> message;
  bool armed = false;
  std::vector<std::string> rest;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--time" && i + 1 < args.size()) {
      time = ParseTime(args[++i]);
      if (!time) {
        std::fprintf(stderr, "vesperon-skin: la hora va como HH:MM:SS, por ejemplo 21:05:30\n");
        return 2;
      }
    } else if (a == "--message" && i + 1 < args.size()) {
      message = args[++i];
    } else if (a == "--armed") {
      armed = true;
    } else {
      rest.push_back(a);
    }
  }
  if (!time || rest.size() != 1) return Usage();
  return Render(ResolveSkinDir(args[0]), *time, armed, message,
                QFile::decodeName(QByteArray::fromStdString(rest[0])));
}

int RunImport(const std::vector<std::string>& args) {
  ImportOptions options;
  std::vector<std::string> folders;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool valued = i + 1 < args.size();
    if (a == "--name" && valued) {
      options.name = args[++i];
    } else if (a == "--author" && valued) {
      options.author = args[++i];
    } else if (a == "--description" && valued) {
      options.description = args[++i];
    } else if (a == "--fit") {
      options.fit = true;
    } else if (a.rfind("--", 0) == 0) {
      return Usage();
    } else {
      folders.push_back(a);
    }
  }
  if (folders.size() != 2) return Usage();
  options.source = folders[0];
  options.destination = folders[1];
  return Import(options);
}

int RunInstall(const std::vector<std::string>& args) {
  if (args.size() == 1 && args[0].rfind("--", 0) != 0) return Install(args[0], false);
  if (args.size() == 2 && args[1] == "--force") return Install(args[0], true);
  if (args.size() == 2 && args[0] == "--force") return Install(args[1], true);
  return Usage();
}

int Run(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "init" && args.size() == 1) return Init(args[0]);
  if (command == "check" && args.size() == 1) return Check(ResolveSkinDir(args[0]));
  if (command == "render") return RunRender(args);
  if (command == "import") return RunImport(args);
  if (command == "install") return RunInstall(args);
  return Usage();
}

}  // namespace
}  // namespace vesperon::skintool

int main(int argc, char** argv) {
  // Drawn off screen when there is no display to draw on.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
    qputenv("QT_XCB_GL_INTEGRATION", "none");
  // Broken pictures make Qt's readers talk; the tool says what matters itself.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QApplication application(argc, argv);
  return vesperon::skintool::Run(argc, argv);
}
