#pragma once

#include <map>
#include <string>
#include <utility>

namespace vesperon {

// Pixel sizes (width, height) of every picture the program carries.
inline const std::map<std::string, std::pair<int, int>>& BuiltInPictureSizes() {
  static const std::map<std::string, std::pair<int, int>> sizes = {
      {"skin-base.bmp", {171, 128}},      {"preview.bmp", {171, 128}},
      {"0.bmp", {10, 17}},                {"1.bmp", {10, 17}},
      {"2.bmp", {10, 17}},                {"3.bmp", {10, 17}},
      {"4.bmp", {10, 17}},                {"5.bmp", {10, 17}},
      {"6.bmp", {10, 17}},                {"7.bmp", {10, 17}},
      {"8.bmp", {10, 17}},                {"9.bmp", {10, 17}},
      {"dos_puntos.bmp", {5, 21}},        {"tip-apagado-off.bmp", {49, 9}},
      {"tip-apagado-on.bmp", {49, 9}},    {"tip-stop-off.bmp", {49, 9}},
      {"tip-stop-on.bmp", {49, 9}},       {"tip-ok-off.bmp", {15, 9}},
      {"tip-ok-on.bmp", {15, 9}},         {"tip-notas-off.bmp", {33, 9}},
      {"tip-notas-on.bmp", {33, 9}},      {"tray1.ico", {32, 32}},
      {"tray2.ico", {32, 32}},            {"hand.cur", {32, 32}},
      {"menu-set.bmp", {14, 14}},         {"menu-notas.bmp", {14, 14}},
      {"menu-about.bmp", {14, 14}},       {"nota-titulo.bmp", {191, 21}},
      {"nota-normal.bmp", {13, 13}},      {"nota-over.bmp", {13, 13}},
      {"nota-pushed.bmp", {13, 13}},      {"nota-izquierda.bmp", {3, 124}},
      {"nota-derecha.bmp", {3, 124}},     {"nota-inferior.bmp", {186, 3}},
  };
  return sizes;
}

}  // namespace vesperon
