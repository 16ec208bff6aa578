#include "sample_skins.h"

#include <QColor>
#include <vector>

#include "bmp_file.h"
#include "canvas.h"
#include "clock_face.h"
#include "face_theme.h"
#include "icon_file.h"
#include "icons.h"
#include "output_file.h"

namespace artwork {

namespace {

// A deep blue night with red digits.
const FaceTheme kNocturno = {0xFF05070F, 0xFFFF4A3D, 0xFF170A11,  // glass, lit, ghost
                             0xFF1E2C55, 0xFF0B1330,              // body
                             0xFF03050C, 0xFF3A4D85, 0xFF060A1A, 0xFF9FB0E0,
                             0xFF2A3A6E, 0xFF16214A, 0xFF4A5E9E, 0xFF0C1330,  // keys
                             0xFFE8ECFF, 0xFF060A1A, 0xFFFF6B5E,
                             0xFFFF4A3D,  // mark
                             1,          true,       "NOCTURNO"};

// A pocket calculator: light plastic, dark segments on green glass.
const FaceTheme kLcdVerde = {0xFFA9BB8D, 0xFF1B2816, 0xFF9DAF82,  // glass, lit, ghost
                             0xFFDAD7CD, 0xFFB3AFA3,              // body
                             0xFF2B2A26, 0xFFF6F4EC, 0xFF86827A, 0xFF3C3A34,
                             0xFF5B5E63, 0xFF3A3D42, 0xFF80848A, 0xFF26282C,  // keys
                             0xFFF2F2EE, 0xFF1A1B1E, 0xFFFF8A7E,
                             0xFF3E7A36,  // mark
                             0,          false,      "LCD VERDE"};

struct SampleSkin {
  const char* folder;
  const FaceTheme& theme;
  // The tray icons' colours: greys take this hue and saturation; the
  // coloured badge keeps its own.
  int iconHue;
  double iconSaturation;
  const char* ini;
};

const SampleSkin kSkins[] = {
    {"Vesperon", BuiltInTheme(), -1, 0,
     "[skin]\r\nname=Vesperon Clásico\r\nversion=1.0\r\n\r\n"
     "[autor]\r\nname=Los desarrolladores de Vesperon\r\nemail=\r\nweb=\r\n"},
    {"Nocturno", kNocturno, 225, 0.45,
     "[skin]\r\nname=Nocturno\r\nversion=1.0\r\n\r\n"
     "[autor]\r\nname=Los desarrolladores de Vesperon\r\nemail=\r\nweb=\r\n"},
    {"LCD Verde", kLcdVerde, 82, 0.30,
     "[skin]\r\nname=LCD Verde\r\nversion=1.0\r\n\r\n"
     "[autor]\r\nname=Los desarrolladores de Vesperon\r\nemail=\r\nweb=\r\n"},
};

QImage Tinted(QImage icon, int hue, double saturation) {
  if (hue < 0) return icon;
  for (int y = 0; y < icon.height(); ++y)
    for (int x = 0; x < icon.width(); ++x) {
      const QRgb pixel = icon.pixel(x, y);
      const QColor colour = QColor::fromRgba(pixel);
      if (qAlpha(pixel) == 0 || colour.hslSaturationF() > 0.5) continue;
      icon.setPixel(x, y, QColor::fromHslF(hue / 360.0, saturation, colour.lightnessF()).rgb());
    }
  return icon;
}

// Never shown by the clock; a skin must still carry them. Drawn in the
// skin's key colours so they look like part of it.
QImage MenuBackground(const FaceTheme& t) {
  QImage image = NewGradientCanvas(24, 20, t.keyTop, t.keyBottom);
  HLine(image, 0, 23, 0, t.keyHighlight);
  HLine(image, 0, 23, 19, t.keyShade);
  return image;
}

QImage MenuLeft(const FaceTheme& t) {
  QImage image = NewGradientCanvas(16, 171, t.bodyTop, t.bodyBottom);
  VLine(image, 15, 0, 170, t.outline);
  VLine(image, 13, 4, 166, t.lcdLit);
  return image;
}

bool WriteSkin(const QDir& parent, const SampleSkin& skin) {
  const QString name = QString::fromUtf8(skin.folder);
  if (!parent.mkpath(name)) return false;
  const QDir folder(parent.filePath(name));
  const FaceTheme& t = skin.theme;
  std::vector<NamedPicture> bitmaps = FacePictures(t);
  bitmaps.push_back({QStringLiteral("menu-bkg.bmp"), MenuBackground(t)});
  bitmaps.push_back({QStringLiteral("menu-left.bmp"), MenuLeft(t)});
  bool ok = true;
  for (const NamedPicture& bitmap : bitmaps)
    ok = WriteFile(folder.filePath(bitmap.file), EncodeBmp24(bitmap.image)) && ok;
  ok = WriteFile(folder.filePath(QStringLiteral("tray1.ico")),
                 EncodeIcon4(Tinted(TrayArmedIcon(), skin.iconHue, skin.iconSaturation))) &&
       ok;
  ok = WriteFile(folder.filePath(QStringLiteral("tray2.ico")),
                 EncodeIcon4(Tinted(TrayDisarmedIcon(), skin.iconHue, skin.iconSaturation))) &&
       ok;
  return WriteFile(folder.filePath(QStringLiteral("skin.ini")), QByteArray(skin.ini)) && ok;
}

}  // namespace

bool WriteSampleSkins(const QDir& folder) {
  bool ok = true;
  for (const SampleSkin& skin : kSkins) ok = WriteSkin(folder, skin) && ok;
  return ok;
}

}  // namespace artwork
