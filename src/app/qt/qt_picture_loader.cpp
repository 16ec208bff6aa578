#include "app/qt/qt_picture_loader.h"

#include <memory>

// The pictures are compiled into a static library, whose resources the
// linker keeps only when something asks for them by name.
static void InitPictureResources() { Q_INIT_RESOURCE(resources); }

namespace vesperon {

QtPictureLoader::QtPictureLoader() { InitPictureResources(); }

Picture QtPictureLoader::BuiltIn(const std::string& name) {
  const auto known = builtIn_.find(name);
  if (known != builtIn_.end()) return known->second;

  QImage image(QStringLiteral(":/pictures/") + QString::fromStdString(name));
  Picture picture;
  if (!image.isNull()) {
    const int w = image.width();
    const int h = image.height();
    picture = Picture::Make(w, h, std::make_shared<const QImage>(std::move(image)));
  }
  builtIn_.emplace(name, picture);
  return picture;
}

const QImage* ImageOf(const Picture& picture) {
  return static_cast<const QImage*>(picture.Payload());
}

}  // namespace vesperon
