#include "output_file.h"

#include <QFile>
#include <cstdio>

namespace artwork {

namespace {

bool CannotWrite(const QString& path) {
  std::fprintf(stderr, "vesperon_artwork: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
    return CannotWrite(path);
  return true;
}

bool WritePng(const QString& path, const QImage& image) {
  return image.save(path, "PNG") || CannotWrite(path);
}

}  // namespace artwork
