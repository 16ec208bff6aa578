// vesperon-skin: for skin authors.
//   vesperon-skin init DIR
//   vesperon-skin check DIR
//   vesperon-skin render DIR --time HH:MM:SS [--armed] [--message TEXT] OUT.png

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/qt/clock_window.h"
#include "app/qt/qt_picture_loader.h"
#include "notes/frm_mostrar_nota.h"
#include "offline_ports.h"
#include "platform/linux/linux_file_system.h"
#include "skin/mod_skin.h"
#include "skin/skin_format.h"
#include "skin/skin_inspection.h"
#include "skin/skin_library.h"
#include "tray/frm_menu.h"
#include "tray/mod_tray.h"

namespace vesperon::skintool {
namespace {

int Usage() {
  std::fputs(
      "uso: vesperon-skin init CARPETA\n"
      "     vesperon-skin check CARPETA\n"
      "     vesperon-skin render CARPETA --time HH:MM:SS [--armed] [--message TEXTO] SALIDA.png\n"
      "\n"
      "init    crea en CARPETA un skin completo con las imágenes de Vesperon, para editarlo\n"
      "check   dice todo lo que impide usar el skin de CARPETA; termina con 0 si el reloj lo "
      "acepta\n"
      "render  dibuja la cara del reloj con ese skin, como la pinta el reloj, en un PNG\n",
      stderr);
  return 2;
}

std::string Local(const QString& text) { return QFile::encodeName(text).toStdString(); }

// The folder as an absolute path without a trailing slash, its parent and
// its name: the skin is looked up as the clock looks up a skin by name.
struct SkinDir {
  std::string parent;
  std::string name;
  std::string path;
};

SkinDir Resolve(const char* argument) {
  const QFileInfo info(
      QDir::cleanPath(QDir::current().absoluteFilePath(QFile::decodeName(QByteArray(argument)))));
  return {Local(info.absolutePath()), Local(info.fileName()), Local(info.absoluteFilePath())};
}

std::string Describe(const SkinProblem& p) {
  using Kind = SkinProblem::Kind;
  switch (p.kind) {
    case Kind::Missing:
      return "falta " + p.file;
    case Kind::Unreadable:
      return "no se puede leer " + p.file + ": " + p.reason;
    case Kind::WrongSize:
      return p.file + " mide " + std::to_string(p.foundWidth) + " × " +
             std::to_string(p.foundHeight) + " píxeles y debe medir " +
             std::to_string(p.expectedWidth) + " × " + std::to_string(p.expectedHeight);
    case Kind::CaseDuplicate: {
      std::string names;
      for (std::size_t i = 1; i < p.names.size(); ++i) names += (i > 1 ? ", " : "") + p.names[i];
      return "aviso: " + p.names[0] + " está repetido con otras mayúsculas (" + names +
             "); se usa " + p.names[0];
    }
  }
  return {};
}

// Everything a clock window needs, for one that is only drawn.
struct OfflineClock {
  explicit OfflineClock(const SkinDir& dir, int h = 0, int m = 0, int s = 0)
      : clock(h, m, s), library(files, {dir.parent}) {}

  LinuxFileSystem files;
  FixedClock clock;
  IdleTimers timers;
  QtPictureLoader pictures{files};
  FixedScreen screen;
  NoSettings settings;
  NoPower power;
  Silence speaker;
  NoRegistry registry;
  ToolEnvironment environment;
  NoTray trayPort;
  ModTray tray{trayPort};
  PrintingShell shell;
  SkinLibrary library;
  ModSkin skin{{library, pictures, shell, environment}};
  NoNotices notifier;
  FrmMenu menu{{pictures, screen, shell}};
  FrmMostrarNota nota{pictures};
  FrmMain main{{settings, clock, timers, pictures, screen, power, speaker, registry, environment,
                tray, skin, menu, nota, notifier, shell}};
};

int Check(const SkinDir& dir) {
  OfflineClock offline(dir);
  if (!offline.files.ListFolder(dir.path)) {
    std::fprintf(stderr, "vesperon-skin: %s no es una carpeta\n", dir.path.c_str());
    return 1;
  }
  const auto problems = InspectSkin(offline.files, offline.pictures, dir.path);
  std::printf("Comprobando %s\n", dir.path.c_str());
  for (const SkinProblem& p : problems) std::printf("  %s\n", Describe(p).c_str());
  // The verdict is the clock's own: its check, then its loader.
  const bool accepted = offline.skin.ComprobarSkin(offline.main, dir.name + "\\") &&
                        offline.skin.CargarSkin(offline.main, dir.name + "\\");
  if (accepted) {
    std::printf("El skin es válido: el reloj lo acepta y lo carga.\n");
    return 0;
  }
  std::printf("El skin no es válido: el reloj no lo usaría.\n");
  return 1;
}

int Init(const char* argument) {
  const SkinDir dir = Resolve(argument);
  const QDir folder(QString::fromStdString(dir.path));
  if (!QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "vesperon-skin: no se puede crear %s\n", dir.path.c_str());
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
      std::fprintf(stderr, "vesperon-skin: ya existe %s\n", JoinPath(dir.path, *there).c_str());
      clash = true;
    }
  }
  if (clash) {
    std::fprintf(stderr, "vesperon-skin: no se ha tocado nada\n");
    return 1;
  }

  bool ok = true;
  for (const SkinPictureFile& wanted : kSkinFiles) {
    const QString name = QString::fromLatin1(wanted.name);
    ok = QFile::copy(QStringLiteral(":/template/") + name, folder.filePath(name)) && ok;
    QFile::setPermissions(folder.filePath(name), QFile::ReadOwner | QFile::WriteOwner |
                                                     QFile::ReadGroup | QFile::ReadOther);
  }
  QFile ini(folder.filePath(QString::fromLatin1(kSkinIni)));
  ok = ini.open(QIODevice::WriteOnly) &&
       ini.write(QByteArray("[skin]\r\nname=") + QByteArray::fromStdString(dir.name) +
                 "\r\nversion=1.0\r\n\r\n[autor]\r\nname=\r\nemail=\r\nweb=\r\n") > 0 &&
       ok;
  if (!ok) {
    std::fprintf(stderr, "vesperon-skin: no se pudo escribir todo en %s\n", dir.path.c_str());
    return 1;
  }
  std::printf(
      "Skin creado en %s: edita sus imágenes (mismos tamaños) y skin.ini, y compruébalo con\n"
      "  vesperon-skin check \"%s\"\n",
      dir.path.c_str(), dir.path.c_str());
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
  if (!offline.skin.ComprobarSkin(main, dir.name + "\\") ||
      !offline.skin.CargarSkin(main, dir.name + "\\")) {
    std::fprintf(stderr,
                 "vesperon-skin: el reloj no usaría este skin; mira qué le pasa con\n"
                 "  vesperon-skin check \"%s\"\n",
                 dir.path.c_str());
    return 1;
  }
  main.TimerSync_Timer();
  if (armed) {
    main.HoraApagadoSet = true;
    main.TipApagado_MouseDown(MouseButton::Left);
  }
  main.TimerMsg_Timer();
  if (message) main.MostrarMensaje(*message);

  ClockWindow window(main);
  if (!window.grab().save(out, "PNG")) {
    std::fprintf(stderr, "vesperon-skin: no se puede escribir %s\n", Local(out).c_str());
    return 1;
  }
  return 0;
}

int Run(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  if (command == "init" && argc == 3) return Init(argv[2]);
  if (command == "check" && argc == 3) return Check(Resolve(argv[2]));
  if (command != "render") return Usage();

  std::optional<std::array<int, 3>> time;
  std::optional<std::string> message;
  bool armed = false;
  std::vector<std::string> rest;
  for (int i = 3; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--time" && i + 1 < argc) {
      time = ParseTime(argv[++i]);
      if (!time) {
        std::fprintf(stderr, "vesperon-skin: la hora va como HH:MM:SS, por ejemplo 21:05:30\n");
        return 2;
      }
    } else if (a == "--message" && i + 1 < argc) {
      message = argv[++i];
    } else if (a == "--armed") {
      armed = true;
    } else {
      rest.push_back(a);
    }
  }
  if (!time || rest.size() != 1) return Usage();
  return Render(Resolve(argv[2]), *time, armed, message, QFile::decodeName(rest[0].c_str()));
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
