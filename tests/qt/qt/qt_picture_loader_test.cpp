#include "qt/qt_picture_loader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <string>

#include "platform/linux/linux_file_system.h"
#include "run_length_bitmap.h"
#include "qt/picture_decoder.h"

namespace vesperon {
namespace {

const QString kBmpSuite = QStringLiteral(VESPERON_CORPUS_DIR "/bmpsuite/");

QStringList Files(const QString& folder) {
  return QDir(kBmpSuite + folder).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
}

LoadedPicture Load(QtPictureLoader& loader, const QString& path) {
  return loader.LoadFile(QFile::encodeName(path).toStdString());
}

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

TEST(QtPictureLoader, ReadsEveryGoodBitmapOfTheSuite) {
  if (std::string(VESPERON_CORPUS_DIR).empty()) GTEST_SKIP() << "no BMP suite on this machine";
  LinuxFileSystem files;
  QtPictureLoader loader(files);
  const QStringList good = Files(QStringLiteral("g"));
  ASSERT_GT(good.size(), 20);
  for (const QString& name : good) {
    const LoadedPicture result = Load(loader, kBmpSuite + QStringLiteral("g/") + name);
    EXPECT_EQ(result.error, PictureLoadError::None) << name.toStdString() << ": " << result.reason;
    const QImage direct(kBmpSuite + QStringLiteral("g/") + name);
    EXPECT_EQ(QSize(result.picture.Width(), result.picture.Height()), direct.size())
        << name.toStdString();
    // Bitmaps are opaque, whatever their header says about alpha.
    if (const QImage* image = ImageOf(result.picture)) {
      EXPECT_FALSE(image->hasAlphaChannel()) << name.toStdString();
    }
  }
}

TEST(QtPictureLoader, RefusesBadBitmapsAndNeverGivesMoreThanTheBound) {
  if (std::string(VESPERON_CORPUS_DIR).empty()) GTEST_SKIP() << "no BMP suite on this machine";
  // Faults that change nothing drawn: a wrong size field, odd densities, a
  // 16-bit mask with no blue.
  const QStringList harmless = {"badbitssize.bmp", "baddens1.bmp", "baddens2.bmp",
                                "badfilesize.bmp", "rgb16-880.bmp"};
  LinuxFileSystem files;
  QtPictureLoader loader(files);
  for (const QString& folder : {QStringLiteral("b"), QStringLiteral("q")}) {
    for (const QString& name : Files(folder)) {
      const LoadedPicture result = Load(loader, kBmpSuite + folder + QStringLiteral("/") + name);
      const std::string label = (folder + QStringLiteral("/") + name).toStdString();
      if (folder == QStringLiteral("b") && !harmless.contains(name)) {
        EXPECT_EQ(result.error, PictureLoadError::Unreadable) << label;
      }
      if (result.error == PictureLoadError::None) {
        EXPECT_LE(result.picture.Width(), kPictureMaxSide) << label;
        EXPECT_LE(result.picture.Height(), kPictureMaxSide) << label;
      } else {
        EXPECT_EQ(result.error, PictureLoadError::Unreadable) << label;
        EXPECT_FALSE(result.reason.empty()) << label;
      }
    }
  }
  const std::pair<const char*, const char*> reasons[] = {
      {"shortfile.bmp", "el archivo está incompleto"},
      {"pal8badindex.bmp", "usa un color que no está en su paleta"},
      {"badrle4bis.bmp", "sus datos comprimidos se salen de la imagen"}};
  for (const auto& [name, reason] : reasons)
    EXPECT_EQ(Load(loader, kBmpSuite + QStringLiteral("b/") + QString::fromLatin1(name)).reason,
              reason);
}

TEST(QtPictureLoader, RefusesWhatIsNoPictureFileWithoutBlocking) {
  LinuxFileSystem files;
  QtPictureLoader loader(files);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString fifo = dir.filePath(QStringLiteral("fifo.bmp"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QDir(dir.path()).mkdir(QStringLiteral("folder.bmp"));
  QFile big(dir.filePath(QStringLiteral("big.bmp")));
  ASSERT_TRUE(big.open(QIODevice::WriteOnly));
  big.write(QByteArray("BM"));
  big.resize(static_cast<qint64>(kPictureFileMaxBytes) + 1);
  big.close();
  QFile text(dir.filePath(QStringLiteral("text.bmp")));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not a picture at all");
  text.close();

  const LoadedPicture missing = Load(loader, dir.filePath(QStringLiteral("none.bmp")));
  EXPECT_EQ(missing.error, PictureLoadError::Missing);
  const std::pair<const char*, const char*> refused[] = {
      {"fifo.bmp", "no es un archivo"},
      {"folder.bmp", "no es un archivo"},
      {"big.bmp", "el archivo ocupa más de 4 MiB"},
      {"text.bmp", "no es un mapa de bits (.bmp) ni un icono (.ico)"}};
  for (const auto& [name, reason] : refused) {
    const LoadedPicture result = Load(loader, dir.filePath(QString::fromLatin1(name)));
    EXPECT_EQ(result.error, PictureLoadError::Unreadable) << name;
    EXPECT_EQ(result.reason, reason) << name;
    // Too large is a size the author can mend, and is said so.
    EXPECT_EQ(result.tooLarge, std::string(name) == "big.bmp") << name;
  }
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
