#include "qt/picture_decoder.h"

#include <QBuffer>
#include <QImageReader>
#include <optional>
#include <string>

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

DecodedPicture Failure(const QString& reason) {
  DecodedPicture result;
  result.reason = reason;
  return result;
}

// A picture beyond the bounds; nullopt within them.
std::optional<DecodedPicture> TooLarge(QSize size) {
  const std::string problem = SizeProblem(size.width(), size.height());
  if (problem.empty()) return std::nullopt;
  DecodedPicture result = Failure(QString::fromStdString(problem));
  result.tooLarge = true;
  result.claimed = size;
  return result;
}

}  // namespace

void LimitPictureAllocations() {
  // A 1024 × 1024 picture at four bytes a pixel is 4 MiB; nothing may need more.
  QImageReader::setAllocationLimit(8);
}

DecodedPicture DecodePicture(const QByteArray& original) {
  if (static_cast<std::size_t>(original.size()) > kPictureFileMaxBytes) {
    DecodedPicture result = Failure(QStringLiteral("el archivo ocupa más de 4 MiB"));
    result.tooLarge = true;
    return result;
  }
  const QByteArray format = ReaderFormat(original);
  if (format.isEmpty())
    return Failure(QStringLiteral("no es un mapa de bits (.bmp) ni un icono (.ico)"));
  // Run-length rows that go on past the width are cut there first: Qt's
  // reader would draw the extra pixels of a 4-bit one into the next row.
  const std::optional<std::string> cut = RunLengthRowsCut(View(original));
  const QByteArray bytes = cut ? QByteArray::fromStdString(*cut) : original;

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
  if (!claimed.isValid() || claimed.isEmpty())
    return Failure(QStringLiteral("la cabecera está dañada"));
  if (auto large = TooLarge(claimed)) return *large;

  if (format == "bmp") {
    if (const std::string problem = BitmapProblem(View(bytes)); !problem.empty())
      return Failure(QString::fromStdString(problem));
  }
  if (format == "ico" && IconEntryCutShort(View(bytes), entry))
    return Failure(QStringLiteral("el archivo está incompleto"));

  DecodedPicture result;
  if (!reader.read(&result.image) || result.image.isNull())
    return Failure(QStringLiteral("la imagen está dañada o incompleta"));
  // An icon's directory may claim one size and hold another.
  if (auto large = TooLarge(result.image.size())) return *large;
  result.image.convertTo(format == "bmp" ? QImage::Format_RGB32
                                         : QImage::Format_ARGB32_Premultiplied);
  return result;
}

}  // namespace vesperon
