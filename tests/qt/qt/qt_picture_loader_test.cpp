#include "qt/qt_picture_loader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <string>

#include "picture_loader_contract.h"
#include "platform/linux/linux_file_system.h"
#include "qt/picture_decoder.h"
#include "run_length_bitmap.h"

namespace vesperon {
namespace {

QByteArray PngIcon(QSize size) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(qRgba(200, 30, 30, 128));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  // ICONDIR, one ICONDIRENTRY (a size of 0 means 256), then the PNG.
  QByteArray ico("\0\0\1\0\1\0", 6);
  ico += char(size.width() % 256);
  ico += char(size.height() % 256);
  ico += QByteArray("\0\0\1\0\x20\0", 6);
  const quint32 length = png.size();
  const quint32 offset = 22;
  for (quint32 v : {length, offset})
    for (int i = 0; i < 4; ++i) ico += char((v >> (8 * i)) & 0xFF);
  return ico + png;
}

TEST(QtPictureLoader, KeepsThePictureLoaderContractForWhatIsNoPicture) {
  LinuxFileSystem files;
  QtPictureLoader loader(files);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  contracts::ExpectWhatIsNoPictureRefused(loader, dir.path().toStdString(),
                                          VESPERON_SOURCE_DIR "/resources/tip-ok-on.bmp");
}

TEST(QtPictureLoader, KeepsThePictureLoaderContractForTheBmpSuite) {
  if (std::string(VESPERON_CORPUS_DIR).empty()) GTEST_SKIP() << "no BMP suite on this machine";
  LinuxFileSystem files;
  QtPictureLoader loader(files);
  // Bitmaps are opaque, whatever their header says about alpha.
  const auto opaque = [](const LoadedPicture& loaded, const std::string& name) {
    const QImage* image = ImageOf(loaded.picture);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_FALSE(image->hasAlphaChannel()) << name;
  };
  contracts::ExpectTheBmpSuiteReadAsItIs(loader, VESPERON_CORPUS_DIR "/bmpsuite", opaque);
}

// A FIFO is refused without being read, so it cannot block.
TEST(QtPictureLoader, RefusesAFifoWithoutBlocking) {
  LinuxFileSystem files;
  QtPictureLoader loader(files);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString fifo = dir.filePath(QStringLiteral("fifo.bmp"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const LoadedPicture result = loader.LoadFile(QFile::encodeName(fifo).toStdString());
  EXPECT_EQ(result.error, PictureLoadError::Unreadable);
  EXPECT_EQ(result.reason, "no es un archivo");
}

TEST(QtPictureLoader, IconsKeepTheirTransparencyAndMayHoldAPng) {
  const DecodedPicture decoded = DecodePicture(PngIcon(QSize(48, 48)));
  const QImage& icon = decoded.image;
  ASSERT_FALSE(icon.isNull()) << decoded.reason.toStdString();
  EXPECT_EQ(icon.size(), QSize(48, 48));
  EXPECT_EQ(qAlpha(icon.pixel(5, 5)), 128);

  QFile tray(QStringLiteral(VESPERON_SOURCE_DIR "/resources/tray1.ico"));
  ASSERT_TRUE(tray.open(QIODevice::ReadOnly));
  const QImage builtIn = DecodePicture(tray.readAll()).image;
  EXPECT_EQ(builtIn.size(), QSize(32, 32));
  EXPECT_TRUE(builtIn.hasAlphaChannel());
}

// Rows of a run-length bitmap that go on into their padding, as ImageMagick
// writes them, are cut at the width: the picture is exactly its first
// `width` pixels of each row. A row past its padding, a row too many, or a
// stream cut short are still refused.
TEST(QtPictureLoader, RunLengthRowsIntoTheirPaddingAreCutAtTheWidth) {
  for (const int bits : {8, 4}) {
    SCOPED_TRACE(bits);
    const int width = 10;
    const int height = 3;
    const int padded = bits == 8 ? 12 : 16;  // a row's pixels, padding included
    std::vector<std::vector<int>> rows(height, std::vector<int>(padded + 1));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x <= padded; ++x) rows[y][x] = (x * 7 + y * 5 + 1) % (1 << bits);
    auto rowsOf = [&](int length) {
      std::vector<std::vector<int>> cut;
      for (const auto& row : rows) cut.emplace_back(row.begin(), row.begin() + length);
      return cut;
    };

    const DecodedPicture decoded = DecodePicture(
        QByteArray::fromStdString(RunLengthBitmap(bits, width, height, rowsOf(padded))));
    ASSERT_FALSE(decoded.image.isNull()) << decoded.reason.toStdString();
    ASSERT_EQ(decoded.image.size(), QSize(width, height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        EXPECT_EQ(decoded.image.pixel(x, y) & 0xFFFFFF, RunLengthPaletteColour(rows[y][x]))
            << x << "," << y;

    const std::string intoNextRow = RunLengthBitmap(bits, width, height, rowsOf(padded + 1));
    auto tooMany = rowsOf(width);
    tooMany.push_back(tooMany.front());
    const std::string rowTooMany = RunLengthBitmap(bits, width, height, tooMany);
    const std::string whole = RunLengthBitmap(bits, width, height, rowsOf(width));
    const std::pair<std::string, const char*> refused[] = {
        {intoNextRow, "sus datos comprimidos se salen de la imagen"},
        {rowTooMany, "sus datos comprimidos se salen de la imagen"},
        {whole.substr(0, whole.size() - 2), "el archivo está incompleto"}};
    for (const auto& [bytes, reason] : refused)
      EXPECT_EQ(DecodePicture(QByteArray::fromStdString(bytes)).reason.toStdString(), reason);
  }
}

}  // namespace
}  // namespace vesperon
