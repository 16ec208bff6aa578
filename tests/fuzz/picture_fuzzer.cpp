// The picture decoder on arbitrary bytes: it may refuse them, but never
// crash, hang, read out of bounds, or hand back a picture above the bound;
// a run-length bitmap whose rows it cuts at the width comes out sound.

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "qt/picture_decoder.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // The icon reader is a plugin, found through the application's paths.
  static QCoreApplication application(*argc, *argv);
  // Qt's readers warn about every broken file; at thousands a second that
  // would be most of the work.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  vesperon::LimitPictureAllocations();
  return 0;
}

namespace {

// Qt's readers are not instrumented, so the fuzzer would see only our own
// few branches and drop most seeds. These branches on the header's fields
// and on the outcome tell it apart inputs that reach Qt's readers
// differently.
volatile int sink = 0;

std::uint32_t Le(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

void MarkShape(const std::uint8_t* data, std::size_t size, const QImage& image) {
  if (size >= 34 && data[0] == 'B' && data[1] == 'M') {
    switch (Le(data + 14, 4)) {  // header size
      case 12:
        sink = 1;
        break;
      case 40:
        sink = 2;
        break;
      case 52:
        sink = 3;
        break;
      case 56:
        sink = 4;
        break;
      case 64:
        sink = 5;
        break;
      case 108:
        sink = 6;
        break;
      case 124:
        sink = 7;
        break;
      default:
        sink = 8;
        break;
    }
    switch (Le(data + 28, 2)) {  // bits per pixel
      case 1:
        sink = 11;
        break;
      case 2:
        sink = 12;
        break;
      case 4:
        sink = 13;
        break;
      case 8:
        sink = 14;
        break;
      case 16:
        sink = 15;
        break;
      case 24:
        sink = 16;
        break;
      case 32:
        sink = 17;
        break;
      default:
        sink = 18;
        break;
    }
    switch (Le(data + 30, 4)) {  // compression
      case 0:
        sink = 21;
        break;
      case 1:
        sink = 22;
        break;
      case 2:
        sink = 23;
        break;
      case 3:
        sink = 24;
        break;
      default:
        sink = 25;
        break;
    }
    if (static_cast<std::int32_t>(Le(data + 22, 4)) < 0) sink = 26;  // top-down
  } else if (size >= 6 && data[2] == 1) {
    const std::uint32_t count = Le(data + 4, 2);
    sink = count == 0 ? 31 : count == 1 ? 32 : count < 4 ? 33 : 34;
    if (size >= 30 && data[22] == 0x89) sink = 35;  // a PNG entry
  }
  if (image.isNull()) return;
  switch (image.format()) {
    case QImage::Format_RGB32:
      sink = 41;
      break;
    case QImage::Format_ARGB32_Premultiplied:
      sink = 42;
      break;
    default:
      sink = 43;
      break;
  }
  sink = image.width() <= 16 ? 51 : image.width() <= 64 ? 52 : image.width() <= 256 ? 53 : 54;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const vesperon::DecodedPicture decoded = vesperon::DecodePicture(bytes);
  const QImage& image = decoded.image;
  if (image.isNull() == decoded.reason.isEmpty()) std::abort();  // a failure always says why
  // Rows cut at the width make a bitmap without a problem, none of whose
  // rows goes past the width any more.
  const std::string_view view(reinterpret_cast<const char*>(data), size);
  if (const auto cut = vesperon::RunLengthRowsCut(view)) {
    if (!vesperon::BitmapProblem(*cut).empty() || vesperon::RunLengthRowsCut(*cut)) std::abort();
  }
  if (!image.isNull() &&
      (image.width() > vesperon::kPictureMaxSide || image.height() > vesperon::kPictureMaxSide))
    std::abort();
  MarkShape(data, size, image);
  return 0;
}
