#include "skin/qt/picture_decoder.h"

#include <QBuffer>
#include <QImageReader>

namespace vesperon {

namespace {

std::string_view View(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// Qt's reader name for the format the first bytes say.
QByteArray ReaderFormat(const QByteArray& bytes) {
  switch (FormatOf(View(bytes))) {
    case PictureFormat::Bitmap:
      return "bmp";
    case PictureFormat::Icon:
      return "ico";
    case PictureFormat::Unknown:
      break;
  }
  return {};
}

QString SizeReason(QSize size) {
  return QString::fromStdString(SizeProblem(size.width(), size.height()));
}

}  // namespace

void LimitPictureAllocations() {
  // A 1024 × 1024 picture at four bytes a pixel is 4 MiB; nothing may need more.
  QImageReader::setAllocationLimit(8);
}

QImage DecodePicture(const QByteArray& bytes, QString& reason) {
  if (static_cast<std::size_t>(bytes.size()) > kPictureFileMaxBytes) {
    reason = QStringLiteral("el archivo ocupa más de 4 MiB");
    return {};
  }
  const QByteArray format = ReaderFormat(bytes);
  if (format.isEmpty()) {
    reason = QStringLiteral("no es un mapa de bits (.bmp) ni un icono (.ico)");
    return {};
  }

  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);

  // An icon file may hold several sizes: the largest one within bounds is
  // the one shown, and the tray scales it down well.
  int entry = 0;
  if (format == "ico") {
    const int count = qMin(reader.imageCount(), 64);
    int best = 0;
    qint64 bestArea = -1;
    for (int i = 0; i < count; ++i) {
      if (!reader.jumpToImage(i)) break;
      const QSize size = reader.size();
      const qint64 area = qint64(size.width()) * size.height();
      if (size.isValid() && size.width() <= kPictureMaxSide && size.height() <= kPictureMaxSide &&
          area > bestArea) {
        best = i;
        bestArea = area;
      }
    }
    reader.jumpToImage(best);
    entry = best;
  }

  QSize claimed = reader.size();
  // A negative height is a bitmap stored top row first.
  if (format == "bmp" && claimed.height() < 0 && claimed.height() > -kPictureMaxSide - 1)
    claimed.setHeight(-claimed.height());
  if (!claimed.isValid() || claimed.isEmpty()) {
    reason = QStringLiteral("la cabecera está dañada");
    return {};
  }
  reason = SizeReason(claimed);
  if (!reason.isEmpty()) return {};

  reason = format == "bmp" ? QString::fromStdString(BitmapProblem(View(bytes))) : QString();
  if (format == "ico" && IconEntryCutShort(View(bytes), entry))
    reason = QStringLiteral("el archivo está incompleto");
  if (!reason.isEmpty()) return {};

  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    reason = QStringLiteral("la imagen está dañada o incompleta");
    return {};
  }
  // An icon's directory may claim one size and hold another.
  reason = SizeReason(image.size());
  if (!reason.isEmpty()) return {};
  image.convertTo(format == "bmp" ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  return image;
}

}  // namespace vesperon
