#include "app/qt/qt_picture_loader.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

#include "skin/qt/picture_decoder.h"

// The pictures are compiled into a static library, whose resources the
// linker keeps only when something asks for them by name.
static void InitPictureResources() { Q_INIT_RESOURCE(resources); }

namespace vesperon {

namespace {

Picture ToPicture(QImage image) {
  const int w = image.width();
  const int h = image.height();
  return Picture::Make(w, h, std::make_shared<const QImage>(std::move(image)));
}

LoadedPicture Failure(PictureLoadError error, const QString& reason) {
  LoadedPicture result;
  result.error = error;
  result.reason = reason.toStdString();
  return result;
}

}  // namespace

QtPictureLoader::QtPictureLoader() {
  InitPictureResources();
  LimitPictureAllocations();
}

Picture QtPictureLoader::BuiltIn(const std::string& name) {
  const auto known = builtIn_.find(name);
  if (known != builtIn_.end()) return known->second;

  QImage image(QStringLiteral(":/pictures/") + QString::fromStdString(name));
  Picture picture;
  if (!image.isNull()) picture = ToPicture(std::move(image));
  builtIn_.emplace(name, picture);
  return picture;
}

LoadedPicture QtPictureLoader::LoadFile(const std::string& path) {
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  const QFileInfo info(name);
  if (!info.exists()) return Failure(PictureLoadError::Missing, QStringLiteral("no existe"));
  // Only plain files are opened: a FIFO or a device could block the clock.
  if (!info.isFile())
    return Failure(PictureLoadError::Unreadable, QStringLiteral("no es un archivo"));
  if (info.size() > static_cast<qint64>(kPictureFileMaxBytes))
    return Failure(PictureLoadError::Unreadable, QStringLiteral("el archivo ocupa más de 4 MiB"));

  QFile file(name);
  if (!file.open(QIODevice::ReadOnly))
    return Failure(PictureLoadError::Unreadable, QStringLiteral("el sistema no deja leerlo"));
  // One byte more than allowed tells a file that grew since it was measured.
  const QByteArray bytes = file.read(static_cast<qint64>(kPictureFileMaxBytes) + 1);

  QString reason;
  QImage image = DecodePicture(bytes, reason);
  if (image.isNull()) return Failure(PictureLoadError::Unreadable, reason);
  LoadedPicture result;
  result.picture = ToPicture(std::move(image));
  return result;
}

const QImage* ImageOf(const Picture& picture) {
  return static_cast<const QImage*>(picture.Payload());
}

}  // namespace vesperon
