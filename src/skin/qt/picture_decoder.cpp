#include "skin/qt/picture_decoder.h"

#include <QBuffer>
#include <QImageReader>

#include "skin/qt/bitmap_checks.h"

namespace vesperon {

namespace {

// What the first bytes say the file is: "bmp", "ico", or empty.
QByteArray FormatOf(const QByteArray& bytes) {
  if (bytes.startsWith("BM")) return "bmp";
  if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0)
    return "ico";
  return {};
}

quint32 Le(const QByteArray& bytes, qsizetype at, int count) {
  quint32 value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | quint8(bytes[at + i]);
  return value;
}

// The picture data of the icon's chosen entry lies within the file.
bool IconEntryCutShort(const QByteArray& bytes, int entry) {
  const qsizetype at = 6 + qsizetype(entry) * 16;
  if (bytes.size() < at + 16) return true;
  const qint64 length = Le(bytes, at + 8, 4);
  const qint64 offset = Le(bytes, at + 12, 4);
  return offset + length > bytes.size();
}

QString Size(QSize size) {
  return QString::number(size.width()) + QStringLiteral(" × ") + QString::number(size.height());
}

}  // namespace

void LimitPictureAllocations() {
  // A 1024 × 1024 picture at four bytes a pixel is 4 MiB; nothing may need more.
  QImageReader::setAllocationLimit(8);
}

QImage DecodePicture(const QByteArray& bytes, QString& reason) {
  if (bytes.size() > kPictureFileMaxBytes) {
    reason = QStringLiteral("el archivo ocupa más de 4 MiB");
    return {};
  }
  const QByteArray format = FormatOf(bytes);
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
  if (claimed.width() > kPictureMaxSide || claimed.height() > kPictureMaxSide) {
    reason = QStringLiteral("mide ") + Size(claimed) + QStringLiteral(" píxeles y el máximo es ") +
             Size(QSize(kPictureMaxSide, kPictureMaxSide));
    return {};
  }

  reason = format == "bmp" ? BitmapProblem(bytes) : QString();
  if (format == "ico" && IconEntryCutShort(bytes, entry))
    reason = QStringLiteral("el archivo está incompleto");
  if (!reason.isEmpty()) return {};

  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    reason = QStringLiteral("la imagen está dañada o incompleta");
    return {};
  }
  // An icon's directory may claim one size and hold another.
  if (image.width() > kPictureMaxSide || image.height() > kPictureMaxSide) {
    reason = QStringLiteral("mide ") + Size(image.size()) +
             QStringLiteral(" píxeles y el máximo es ") +
             Size(QSize(kPictureMaxSide, kPictureMaxSide));
    return {};
  }
  image.convertTo(format == "bmp" ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  return image;
}

}  // namespace vesperon
