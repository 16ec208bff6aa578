// Writes the program's built-in pictures, and its icon for the desktop, into a folder:
//   vesperon_artwork <folder> [--preview <face.png>] [--sheet <sheet.png>]
// or the sample skins, one sub-folder each:
//   vesperon_artwork --skins <folder>
// The pictures are drawn pixel by pixel from code, so every run writes the
// same bytes. --preview and --sheet add enlarged pictures for reviewing.

#include <QByteArray>
#include <QDir>
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
#include "output_file.h"
#include "png_file.h"
#include "review_sheet.h"
#include "sample_skins.h"

namespace {

struct Output {
  QString name;
  std::function<QByteArray()> encode;
};

std::function<QByteArray()> Bmp(QImage (*draw)()) {
  return [draw] { return artwork::EncodeBmp24(draw()); };
}

std::vector<Output> Outputs() {
  using namespace artwork;
  std::vector<Output> outputs = {
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
  for (const NamedPicture& face : FacePictures(BuiltInTheme()))
    outputs.push_back({face.file, [image = face.image] { return EncodeBmp24(image); }});
  // The application icon for the desktop's icon theme, one file per size.
  static const char* const kAppIconNames[] = {
      "vesperon-16.png", "vesperon-22.png", "vesperon-24.png",  "vesperon-32.png",
      "vesperon-48.png", "vesperon-64.png", "vesperon-128.png", "vesperon-256.png"};
  static_assert(std::size(kAppIconNames) == kAppIconSizes.size());
  for (std::size_t i = 0; i < kAppIconSizes.size(); ++i)
    outputs.push_back({kAppIconNames[i], [i] { return EncodePng(AppIcon(kAppIconSizes[i])); }});
  return outputs;
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
    ok = artwork::WriteFile(folder.filePath(output.name), output.encode()) && ok;
  for (int i = 2; i + 1 < argc; i += 2) {
    const QByteArray option(argv[i]);
    const QString path = QString::fromLocal8Bit(argv[i + 1]);
    if (option == "--preview")
      ok = artwork::WritePng(path, artwork::FacePreview(4)) && ok;
    else if (option == "--sheet")
      ok = artwork::WritePng(path, artwork::ReviewSheet(3)) && ok;
    else
      return Usage();
  }
  return ok ? 0 : 1;
}
