#pragma once

#include <array>

#include "common/face_size.h"

namespace vesperon {

// One picture file of a skin and the size it must have, in pixels. Icons
// may have any size (width and height 0).
struct SkinPictureFile {
  const char* name;
  int width;
  int height;
};

// Every picture of a skin, in the order the skin check reads them: the ten
// digits, the colon, the two menu pictures, the background, the eight
// indicator faces, the two icons.
inline constexpr std::array<SkinPictureFile, 24> kSkinFiles = {{
    {"0.bmp", 10, 17},
    {"1.bmp", 10, 17},
    {"2.bmp", 10, 17},
    {"3.bmp", 10, 17},
    {"4.bmp", 10, 17},
    {"5.bmp", 10, 17},
    {"6.bmp", 10, 17},
    {"7.bmp", 10, 17},
    {"8.bmp", 10, 17},
    {"9.bmp", 10, 17},
    {"dos_puntos.bmp", 5, 21},
    {"menu-bkg.bmp", 24, 20},
    {"menu-left.bmp", 16, 171},
    {"skin-base.bmp", kFaceWidthPx, kFaceHeightPx},
    {"tip-apagado-off.bmp", 49, 9},
    {"tip-apagado-on.bmp", 49, 9},
    {"tip-notas-off.bmp", 33, 9},
    {"tip-notas-on.bmp", 33, 9},
    {"tip-ok-off.bmp", 15, 9},
    {"tip-ok-on.bmp", 15, 9},
    {"tip-stop-off.bmp", 49, 9},
    {"tip-stop-on.bmp", 49, 9},
    {"tray1.ico", 0, 0},
    {"tray2.ico", 0, 0},
}};

// The optional description file.
inline constexpr const char* kSkinIni = "skin.ini";

}  // namespace vesperon
