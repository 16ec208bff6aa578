// What the commands share: skin folders named by the file system's bytes,
// and the report `check` prints: every problem of a skin, for its author,
// with the size each picture must have and what a fix looks like.

#include "skin_tool.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/text_encoding.h"
#include "skin/skin_inspection.h"

namespace vesperon::skintool {

namespace {

std::string Size(int w, int h) { return std::to_string(w) + " × " + std::to_string(h); }

// What the file must be.
std::string Wanted(const SkinProblem& p) {
  if (p.expectedWidth == 0) return "un icono (.ico)";
  return "un mapa de bits (.bmp) de " + Size(p.expectedWidth, p.expectedHeight) + " píxeles";
}

// The problem, and on a second line what a fix looks like.
std::pair<std::string, std::string> Describe(const SkinProblem& p) {
  using Kind = SkinProblem::Kind;
  const std::string file = Shown(p.file);
  const bool icon = p.expectedWidth == 0;
  const std::string resize =
      icon ? "hazlo de 16 × 16 y 32 × 32 píxeles; vesperon-skin import lo hace de un PNG"
           : "redimensiónalo a " + Size(p.expectedWidth, p.expectedHeight) +
                 " píxeles, o escálalo con vesperon-skin import --fit";
  switch (p.kind) {
    case Kind::Missing:
      return {
          file + ": falta; debe ser " + Wanted(p),
          icon ? "añade " + file + "; vesperon-skin import lo hace de un PNG"
               : "añade " + file + ", de " + Size(p.expectedWidth, p.expectedHeight) + " píxeles"};
    case Kind::Unreadable:
      return {file + ": no se puede leer (" + p.reason + "); debe ser " + Wanted(p),
              "guárdalo de nuevo como " + std::string(icon ? "icono" : "BMP de 24 bits") +
                  ", o impórtalo de un PNG con vesperon-skin import"};
    case Kind::WrongSize:
      return {file + ": mide " + Size(p.foundWidth, p.foundHeight) + " píxeles y debe medir " +
                  Size(p.expectedWidth, p.expectedHeight),
              resize};
    case Kind::TooLarge: {
      const std::string found = p.foundWidth == 0
                                    ? "ocupa más de 4 MiB"
                                    : "mide " + Size(p.foundWidth, p.foundHeight) + " píxeles";
      return {file + ": " + found +
                  (icon ? "; el máximo es 1024 × 1024"
                        : " y debe medir " + Size(p.expectedWidth, p.expectedHeight)),
              resize};
    }
    case Kind::CaseDuplicate: {
      std::string names;
      for (std::size_t i = 1; i < p.names.size(); ++i)
        names += (i > 1 ? ", " : "") + Shown(p.names[i]);
      return {"aviso: " + Shown(p.names[0]) + " está repetido con otras mayúsculas (" + names +
                  "); se usa " + Shown(p.names[0]),
              {}};
    }
  }
  return {};
}

}  // namespace

SkinDir ResolveSkinDir(const std::string& argument) {
  std::filesystem::path path = std::filesystem::absolute(argument).lexically_normal();
  if (path.filename().empty()) path = path.parent_path();  // "Mine/" names Mine
  return {path.parent_path().string(), path.filename().string(), path.string()};
}

std::string Shown(const std::string& path) { return NameToUtf8(path); }

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool ReportSkin(const SkinDir& dir, const std::string& shownAs) {
  OfflineClock offline(dir);
  std::printf("Comprobando %s\n", shownAs.c_str());
  for (const SkinProblem& p : InspectSkin(offline.files, offline.pictures, dir.path)) {
    const auto [problem, fix] = Describe(p);
    std::printf("  %s\n", problem.c_str());
    if (!fix.empty()) std::printf("    arreglo: %s\n", fix.c_str());
  }
  if (offline.TakesSkin(dir)) {
    std::printf("El skin es válido: el reloj lo acepta y lo carga.\n");
    return true;
  }
  std::printf("El skin no es válido: el reloj no lo usaría.\n");
  return false;
}

}  // namespace vesperon::skintool
