#include "qt/qt_picture_loader.h"

#include <memory>

#include "qt/picture_decoder.h"

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

QtPictureLoader::QtPictureLoader(FileSystem& files) : files_(files) {
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
  const FileBytes file = files_.ReadFile(path, kPictureFileMaxBytes);
  switch (file.status) {
    case FileReadStatus::Ok:
      break;
    case FileReadStatus::Missing:
      return Failure(PictureLoadError::Missing, QStringLiteral("no existe"));
    case FileReadStatus::NotAFile:
      return Failure(PictureLoadError::Unreadable, QStringLiteral("no es un archivo"));
    case FileReadStatus::TooLarge: {
      LoadedPicture result =
          Failure(PictureLoadError::Unreadable, QStringLiteral("el archivo ocupa más de 4 MiB"));
      result.tooLarge = true;
      return result;
    }
    case FileReadStatus::Unreadable:
      return Failure(PictureLoadError::Unreadable, QStringLiteral("el sistema no deja leerlo"));
  }

  DecodedPicture decoded = DecodePicture(QByteArray::fromStdString(file.bytes));
  if (decoded.image.isNull()) {
    LoadedPicture result = Failure(PictureLoadError::Unreadable, decoded.reason);
    result.tooLarge = decoded.tooLarge;
    result.claimedWidth = decoded.claimed.width();
    result.claimedHeight = decoded.claimed.height();
    return result;
  }
  LoadedPicture result;
  result.picture = ToPicture(std::move(decoded.image));
  return result;
}

const QImage* ImageOf(const Picture& picture) {
  return static_cast<const QImage*>(picture.Payload());
}

}  // namespace vesperon
