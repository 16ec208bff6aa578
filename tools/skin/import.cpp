#include "import.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "icon_file.h"
#include "skin/skin_format.h"
#include "skin_tool.h"

namespace vesperon::skintool {

namespace {

// An author's picture is a few kilobytes; this only keeps a stray video out.
constexpr std::uintmax_t kSourceMaxBytes = 64 * 1024 * 1024;
constexpr int kIconSizes[] = {16, 32};

std::string Size(int w, int h) { return std::to_string(w) + " × " + std::to_string(h); }

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// A file name without its last extension: "skin-base" of "skin-base.png".
std::string Stem(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// Every picture a file holds (each entry of an icon, the first frame of
// anything else), read by whatever reader of Qt's takes it.
std::vector<QImage> ReadPictures(const std::filesystem::path& path, std::string& problem) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kSourceMaxBytes) {
    problem = error ? "no se puede leer" : "ocupa más de 64 MiB";
    return {};
  }
  std::ifstream in(path, std::ios::binary);
  QByteArray bytes(static_cast<qsizetype>(size), '\0');
  if (!in.read(bytes.data(), bytes.size())) {
    problem = "no se puede leer";
    return {};
  }
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  std::vector<QImage> pictures;
  const int count = reader.format() == "ico" ? std::clamp(reader.imageCount(), 1, 64) : 1;
  for (int i = 0; i < count && (i == 0 || reader.jumpToImage(i)); ++i) {
    QImage picture;
    if (reader.read(&picture) && !picture.isNull()) pictures.push_back(picture);
  }
  if (pictures.empty()) problem = "no es una imagen que se pueda leer (PNG, JPEG, GIF, BMP, ICO)";
  return pictures;
}

// A bitmap has no transparency: what is transparent comes out black.
QByteArray BitmapFile(const QImage& picture) {
  QImage opaque(picture.size(), QImage::Format_RGB32);
  opaque.fill(Qt::black);
  QPainter(&opaque).drawImage(0, 0, picture);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "bmp").write(opaque);  // 24 bits a pixel, uncompressed
  return bytes;
}

QImage Scaled(const QImage& picture, int w, int h) {
  return picture.size() == QSize(w, h)
             ? picture
             : picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The file a skin picture becomes, or why it cannot: a bitmap at its size,
// an icon at 16 × 16 and 32 × 32 (an entry of that size where the source
// has one, else its largest, which must be square).
QByteArray Convert(const SkinPictureFile& wanted, const std::vector<QImage>& pictures, bool fit,
                   std::string& problem) {
  const QImage& largest =
      *std::max_element(pictures.begin(), pictures.end(), [](const QImage& a, const QImage& b) {
        return qint64(a.width()) * a.height() < qint64(b.width()) * b.height();
      });
  const QSize found = largest.size();
  if (wanted.width != 0) {
    if (found != QSize(wanted.width, wanted.height) && !fit) {
      problem = "mide " + Size(found.width(), found.height()) + " píxeles y debe medir " +
                Size(wanted.width, wanted.height) + " (--fit la escala)";
      return {};
    }
    return BitmapFile(Scaled(largest, wanted.width, wanted.height));
  }
  if (found.width() != found.height() && !fit) {
    problem = "mide " + Size(found.width(), found.height()) +
              " píxeles y debe ser cuadrada, para un icono de 16 × 16 y 32 × 32 (--fit la escala)";
    return {};
  }
  std::vector<QImage> entries;
  for (const int side : kIconSizes) {
    const auto exact = std::find_if(pictures.begin(), pictures.end(), [side](const QImage& p) {
      return p.size() == QSize(side, side);
    });
    entries.push_back(exact != pictures.end() ? *exact : Scaled(largest, side, side));
  }
  return IconFile(entries);
}

std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

// The description file: what the clock shows, and the description, which it
// does not, for whoever reads the file.
std::string SkinIni(const ImportOptions& options, const std::string& folderName) {
  std::string ini =
      "[skin]\r\nname=" + OneLine(options.name.value_or(folderName)) + "\r\nversion=1.0\r\n";
  if (options.description) ini += "description=" + OneLine(*options.description) + "\r\n";
  return ini + "\r\n[autor]\r\nname=" + OneLine(options.author.value_or("")) +
         "\r\nemail=\r\nweb=\r\n";
}

}  // namespace

int Import(const ImportOptions& options) {
  const std::filesystem::path source(options.source);
  std::error_code error;
  if (!std::filesystem::is_directory(source, error)) {
    std::fprintf(stderr, "vesperon-skin: %s no es una carpeta\n", Shown(source.string()).c_str());
    return 1;
  }
  const SkinDir dir = ResolveSkinDir(options.destination);
  if (std::filesystem::exists(dir.path, error) && !std::filesystem::is_empty(dir.path, error)) {
    std::fprintf(stderr, "vesperon-skin: %s ya existe y no está vacía; no se ha tocado nada\n",
                 Shown(dir.path).c_str());
    return 1;
  }

  // Each skin picture from the one source file named like it.
  std::map<std::string, std::vector<std::string>> found;  // by the skin file's stem
  for (const auto& entry : std::filesystem::directory_iterator(source, error)) {
    if (!entry.is_regular_file(error)) continue;
    const std::string name = entry.path().filename().string();
    found[Lower(Stem(name))].push_back(name);
  }
  std::vector<std::pair<std::string, QByteArray>> made;  // file name, bytes
  std::vector<std::string> problems;
  for (const SkinPictureFile& wanted : kSkinFiles) {
    const std::string stem = Stem(wanted.name);
    const std::vector<std::string>& files = found[stem];
    const std::string what = wanted.width != 0
                                 ? "una imagen de " + Size(wanted.width, wanted.height) + " píxeles"
                                 : "una imagen cuadrada para el icono";
    if (files.size() != 1) {
      std::string names;
      for (const std::string& f : files) names += (names.empty() ? "" : ", ") + Shown(f);
      problems.push_back(files.empty() ? stem + ": falta " + what + " (" + stem + ".png, …)"
                                       : stem + ": hay más de una imagen (" + names + ")");
      continue;
    }
    std::string problem;
    const std::vector<QImage> pictures = ReadPictures(source / files[0], problem);
    const QByteArray bytes =
        pictures.empty() ? QByteArray() : Convert(wanted, pictures, options.fit, problem);
    if (problem.empty())
      made.emplace_back(wanted.name, bytes);
    else
      problems.push_back(Shown(files[0]) + ": " + problem);
  }
  if (!problems.empty()) {
    std::fprintf(stderr, "vesperon-skin: no se puede importar %s:\n",
                 Shown(source.string()).c_str());
    for (const std::string& problem : problems) std::fprintf(stderr, "  %s\n", problem.c_str());
    std::fprintf(stderr, "vesperon-skin: no se ha escrito nada\n");
    return 1;
  }

  std::filesystem::create_directories(dir.path, error);
  bool ok = !error;
  for (const auto& [name, bytes] : made)
    ok = ok &&
         WriteWholeFile(dir.path + "/" + name, std::string_view(bytes.constData(), bytes.size()));
  ok = ok && WriteWholeFile(dir.path + "/" + kSkinIni, SkinIni(options, Shown(dir.name)));
  if (!ok) {
    std::fprintf(stderr, "vesperon-skin: no se pudo escribir todo en %s\n",
                 Shown(dir.path).c_str());
    return 1;
  }
  return ReportSkin(dir, Shown(dir.path)) ? 0 : 1;
}

}  // namespace vesperon::skintool
