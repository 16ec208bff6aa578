// Writes the program's built-in pictures, and its icon for the desktop, into a folder:
//   vesperon_artwork <folder> [--preview <face.png>] [--sheet <sheet.png>]
// or the sample skins, one sub-folder each:
//   vesperon_artwork --skins <folder>
// The pictures are drawn pixel by pixel from code, so every run writes the
// same bytes. --preview and --sheet add enlarged pictures for reviewing.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>
#include <functional>
#include <iterator>
#include <vector>

#include "app_icon.h"
#include "bmp_file.h"
#include "clock_face.h"
#include "icon_file.h"
#include "icons.h"
#include "menu_pictures.h"
#include "note_pictures.h"
#include "png_file.h"
#include "review_sheet.h"
#include "sample_skins.h"

namespace {

struct Output {
  const char* name;
  std::function<QByteArray()> encode;
};

std::function<QByteArray()> Bmp(QImage (*draw)()) {
  return [draw] { return artwork::EncodeBmp24(draw()); };
}

std::vector<Output> Outputs() {
  using namespace artwork;
  std::vector<Output> outputs = {
      {"skin-base.bmp", Bmp(SkinBase)},
      {"dos_puntos.bmp", Bmp(ColonFace)},
      {"tip-apagado-off.bmp", Bmp(TipApagadoOff)},
      {"tip-apagado-on.bmp", Bmp(TipApagadoOn)},
      {"tip-stop-off.bmp", Bmp(TipStopOff)},
      {"tip-stop-on.bmp", Bmp(TipStopOn)},
      {"tip-ok-off.bmp", Bmp(TipOkOff)},
      {"tip-ok-on.bmp", Bmp(TipOkOn)},
      {"tip-notas-off.bmp", Bmp(TipNotasOff)},
      {"tip-notas-on.bmp", Bmp(TipNotasOn)},
      {"tray1.ico", [] { return EncodeIcon4(TrayArmedIcon()); }},
      {"tray2.ico", [] { return EncodeIcon4(TrayDisarmedIcon()); }},
      {"hand.cur", [] { return EncodeCursor4(HandCursor(), kHandHotspot); }},
      {"menu-set.bmp", Bmp(MenuSetPicture)},
      {"menu-notas.bmp", Bmp(MenuNotasPicture)},
      {"menu-about.bmp", Bmp(MenuAboutPicture)},
      {"preview.bmp", Bmp(PreviewFace)},
      {"nota-titulo.bmp", Bmp(NoteTitle)},
      {"nota-normal.bmp", Bmp(NoteCloseNormal)},
      {"nota-over.bmp", Bmp(NoteCloseOver)},
      {"nota-pushed.bmp", Bmp(NoteClosePushed)},
      {"nota-izquierda.bmp", Bmp(NoteLeftBorder)},
      {"nota-derecha.bmp", Bmp(NoteRightBorder)},
      {"nota-inferior.bmp", Bmp(NoteBottomBorder)},
  };
  static const char* const kDigitNames[10] = {"0.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp",
                                              "5.bmp", "6.bmp", "7.bmp", "8.bmp", "9.bmp"};
  for (int d = 0; d <= 9; ++d)
    outputs.push_back({kDigitNames[d], [d] { return EncodeBmp24(DigitFace(d)); }});
  // The application icon for the desktop's icon theme, one file per size.
  static const char* const kAppIconNames[] = {
      "vesperon-16.png", "vesperon-22.png", "vesperon-24.png",  "vesperon-32.png",
      "vesperon-48.png", "vesperon-64.png", "vesperon-128.png", "vesperon-256.png"};
  static_assert(std::size(kAppIconNames) == kAppIconSizes.size());
  for (std::size_t i = 0; i < kAppIconSizes.size(); ++i)
    outputs.push_back({kAppIconNames[i], [i] { return EncodePng(AppIcon(kAppIconSizes[i])); }});
  return outputs;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "vesperon_artwork: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

bool WritePng(const QString& path, const QImage& image) {
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "vesperon_artwork: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

int Usage() {
  std::fprintf(stderr, "usage: vesperon_artwork <folder> [--preview <png>] [--sheet <png>]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && QByteArray(argv[1]) == "--skins")
    return artwork::WriteSampleSkins(QDir(QString::fromLocal8Bit(argv[2]))) ? 0 : 1;
  if (argc < 2 || argc % 2 != 0) return Usage();
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) return Usage();
  bool ok = true;
  for (const Output& output : Outputs())
    ok = WriteFile(folder.filePath(QString::fromLatin1(output.name)), output.encode()) && ok;
  for (int i = 2; i + 1 < argc; i += 2) {
    const QByteArray option(argv[i]);
    const QString path = QString::fromLocal8Bit(argv[i + 1]);
    if (option == "--preview")
      ok = WritePng(path, artwork::FacePreview(4)) && ok;
    else if (option == "--sheet")
      ok = WritePng(path, artwork::ReviewSheet(3)) && ok;
    else
      return Usage();
  }
  return ok ? 0 : 1;
}
