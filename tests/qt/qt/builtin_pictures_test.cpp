#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <map>
#include <string>

#include "builtin_picture_sizes.h"

// The pictures live in the static Qt library; make sure they are registered.
static void RegisterPictures() { Q_INIT_RESOURCE(resources); }

namespace {

// The shared table, as Qt sizes.
std::map<std::string, QSize> ExpectedSizes() {
  std::map<std::string, QSize> sizes;
  for (const auto& [name, size] : vesperon::BuiltInPictureSizes())
    sizes.emplace(name, QSize(size.first, size.second));
  return sizes;
}

QStringList NamesInQrc() {
  QFile qrc(QStringLiteral(VESPERON_SOURCE_DIR "/resources/resources.qrc"));
  if (!qrc.open(QIODevice::ReadOnly)) return {};
  const QString text = QString::fromUtf8(qrc.readAll());
  QStringList names;
  static const QRegularExpression file(QStringLiteral("<file>([^<]+)</file>"));
  for (auto it = file.globalMatch(text); it.hasNext();) names << it.next().captured(1);
  return names;
}

QByteArray Bytes(const std::string& name) {
  QFile file(QStringLiteral(":/pictures/") + QString::fromStdString(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

unsigned U16(const QByteArray& b, int at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
unsigned U32(const QByteArray& b, int at) { return U16(b, at) | U16(b, at + 2) << 16; }
int S32(const QByteArray& b, int at) { return static_cast<int>(U32(b, at)); }

class BuiltInPictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterPictures(); }
};

TEST_F(BuiltInPictures, QrcListsExactlyTheProgramsPictures) {
  QStringList expected;
  for (const auto& [name, size] : ExpectedSizes()) expected << QString::fromStdString(name);
  QStringList listed = NamesInQrc();
  listed.sort();
  expected.sort();
  EXPECT_EQ(listed, expected);
}

TEST_F(BuiltInPictures, EveryPictureLoadsThroughQtAtItsSize) {
  for (const auto& [name, size] : ExpectedSizes()) {
    SCOPED_TRACE(name);
    QImageReader reader(QStringLiteral(":/pictures/") + QString::fromStdString(name));
    EXPECT_EQ(reader.size(), size);
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), size);
  }
}

TEST_F(BuiltInPictures, BitmapsAre24BitUncompressedBottomUp) {
  for (const auto& [name, size] : ExpectedSizes()) {
    if (!name.ends_with(".bmp")) continue;
    SCOPED_TRACE(name);
    const QByteArray b = Bytes(name);
    ASSERT_GE(b.size(), 54);
    EXPECT_EQ(b.left(2), "BM");
    EXPECT_EQ(U32(b, 2), static_cast<unsigned>(b.size()));
    EXPECT_EQ(U32(b, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(S32(b, 18), size.width());
    EXPECT_EQ(S32(b, 22), size.height()) << "positive height: bottom-up";
    EXPECT_EQ(U16(b, 28), 24u);
    EXPECT_EQ(U32(b, 30), 0u) << "BI_RGB";
    const int rowBytes = (size.width() * 3 + 3) / 4 * 4;
    EXPECT_EQ(static_cast<int>(U32(b, 10)) + rowBytes * size.height(), b.size());
  }
}

TEST_F(BuiltInPictures, IconsAre16ColoursWithAMask) {
  for (const std::string name : {"tray1.ico", "tray2.ico", "hand.cur"}) {
    SCOPED_TRACE(name);
    const QByteArray b = Bytes(name);
    ASSERT_GE(b.size(), 22 + 40);
    EXPECT_EQ(U16(b, 2), name.ends_with(".cur") ? 2u : 1u);
    EXPECT_EQ(U16(b, 4), 1u) << "one image";
    const int at = S32(b, 18);
    ASSERT_GE(b.size(), at + 40);
    EXPECT_EQ(S32(b, at + 4), 32);
    EXPECT_EQ(S32(b, at + 8), 64) << "colour image and AND mask";
    EXPECT_EQ(U16(b, at + 14), 4u);
    const int expectedBytes = 40 + 16 * 4 + (16 + 4) * 32;
    EXPECT_EQ(static_cast<int>(U32(b, 14)), expectedBytes);
    if (name.ends_with(".ico")) {
      EXPECT_EQ(U16(b, 12), 4u) << "directory entry: 4 bits";
    }
    EXPECT_EQ(b.size(), at + expectedBytes);
  }
}

TEST_F(BuiltInPictures, IconsAreTransparentRoundTheirShape) {
  for (const char* name : {"tray1.ico", "tray2.ico", "hand.cur"}) {
    SCOPED_TRACE(name);
    const QImage image(QStringLiteral(":/pictures/") + QString::fromLatin1(name));
    ASSERT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(qAlpha(image.pixel(0, 31)), 0);
    EXPECT_EQ(qAlpha(image.pixel(31, 0)), 0);
  }
}

TEST_F(BuiltInPictures, HandHotspotIsOnTheFingertip) {
  const QByteArray b = Bytes("hand.cur");
  ASSERT_GE(b.size(), 22);
  const int x = static_cast<int>(U16(b, 10));
  const int y = static_cast<int>(U16(b, 12));
  const QImage hand(QStringLiteral(":/pictures/hand.cur"));
  ASSERT_FALSE(hand.isNull());
  EXPECT_NE(qAlpha(hand.pixel(x, y)), 0) << "the hotspot is on the hand";
  for (int above = 0; above < y; ++above)
    for (int column = 0; column < 32; ++column)
      EXPECT_EQ(qAlpha(hand.pixel(column, above)), 0) << "nothing above the fingertip";
}

}  // namespace
