#include "win32/win32_picture_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "win32/open_file.h"
#include "win32/wide_text.h"
#include "run_length_bitmap.h"
#include "common/picture_checks.h"
#include "win32_test_support.h"

namespace vesperon {
namespace {

const std::filesystem::path kBmpSuite = std::filesystem::path(VESPERON_CORPUS_DIR) / "bmpsuite";

std::vector<std::filesystem::path> Bitmaps(const char* folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(kBmpSuite / folder))
    if (entry.path().extension() == ".bmp") files.push_back(entry.path());
  return files;
}

std::string Utf8(const std::filesystem::path& path) { return Narrow(path.wstring()); }

TEST(Win32PictureLoader, ReadsTheGoodBitmapsOfTheSuiteAndRefusesTheDamagedOnes) {
  if (std::string(VESPERON_CORPUS_DIR).empty()) GTEST_SKIP() << "no BMP suite on this machine";
  // Faults that change nothing drawn: a wrong size field, odd densities, a
  // 16-bit mask with no blue.
  const std::set<std::string> harmless = {"badbitssize.bmp", "baddens1.bmp", "baddens2.bmp",
                                          "badfilesize.bmp", "rgb16-880.bmp"};
  Win32PictureLoader loader;
  for (const auto& path : Bitmaps("g")) {
    const LoadedPicture result = loader.LoadFile(Utf8(path));
    const std::string bytes = FileText(path);
    const auto claimed = BitmapHeaderSize(bytes);
    ASSERT_TRUE(claimed) << path;
    if (result.error != PictureLoadError::None) {
      ADD_FAILURE() << path << ": " << result.reason;
      continue;
    }
    EXPECT_EQ(result.picture.Width(), claimed->width) << path;
    EXPECT_EQ(result.picture.Height(), claimed->height) << path;
    EXPECT_NE(BitmapOf(result.picture), nullptr) << path;
  }
  for (const char* folder : {"b", "q"}) {
    for (const auto& path : Bitmaps(folder)) {
      const LoadedPicture result = loader.LoadFile(Utf8(path));
      const std::string name = Utf8(path.filename());
      if (std::string(folder) == "b" && !harmless.contains(name)) {
        EXPECT_EQ(result.error, PictureLoadError::Unreadable) << name;
      }
      if (result.error == PictureLoadError::None) {
        EXPECT_LE(result.picture.Width(), kPictureMaxSide) << name;
        EXPECT_LE(result.picture.Height(), kPictureMaxSide) << name;
      } else {
        EXPECT_FALSE(result.reason.empty()) << name;
      }
    }
  }
}

TEST(Win32PictureLoader, BuiltInPicturesComeFromTheProgramOnceEach) {
  Win32PictureLoader loader;
  const Picture base = loader.BuiltIn("skin-base.bmp");
  EXPECT_EQ(base.Width(), 171);
  EXPECT_EQ(base.Height(), 128);
  EXPECT_NE(BitmapOf(base), nullptr);
  EXPECT_EQ(loader.BuiltIn("skin-base.bmp"), base) << "the same picture, not a copy";
  EXPECT_NE(IconOf(loader.BuiltIn("tray1.ico")), nullptr);
  EXPECT_NE(CursorOf(loader.BuiltIn("hand.cur")), nullptr);
  EXPECT_EQ(BitmapOf(loader.BuiltIn("tray1.ico")), nullptr) << "an icon is no bitmap";
  EXPECT_TRUE(loader.BuiltIn("no-such.bmp").IsEmpty());
}

TEST(Win32PictureLoader, RefusesWhatIsNoPictureFileAndHoldsAFileWhileReadingIt) {
  TemporaryFolder folder(L"Vesperon pictures \u00d1and\u00fa");
  const std::filesystem::path& dir = folder.Path();
  std::filesystem::create_directory(dir / L"folder.bmp");
  {
    std::ofstream big(dir / L"big.bmp", std::ios::binary);
    big << "BM";
    big.seekp(static_cast<std::streamoff>(kPictureFileMaxBytes));
    big << 'x';
    std::ofstream(dir / L"text.bmp", std::ios::binary) << "not a picture at all";
    std::string huge =
        FileText(std::filesystem::path(VESPERON_SOURCE_DIR) / "resources/tip-ok-on.bmp");
    huge.replace(18, 8, std::string("\xA0\x0F\0\0\xA0\x0F\0\0", 8));  // 4000 x 4000
    std::ofstream(dir / L"huge.bmp", std::ios::binary) << huge;
  }
  Win32PictureLoader loader;
  EXPECT_EQ(loader.LoadFile(Utf8(dir / L"none.bmp")).error, PictureLoadError::Missing);
  const std::pair<const wchar_t*, const char*> refused[] = {
      {L"folder.bmp", "no es un archivo"},
      {L"big.bmp", "el archivo ocupa más de 4 MiB"},
      {L"huge.bmp", "mide 4000 × 4000 píxeles y el máximo es 1024 × 1024"},
      {L"text.bmp", "no es un mapa de bits (.bmp) ni un icono (.ico)"}};
  for (const auto& [name, reason] : refused) {
    const LoadedPicture result = loader.LoadFile(Utf8(dir / name));
    if (std::wstring(name) == L"huge.bmp") {
      EXPECT_EQ(result.claimedWidth, 4000);
    }
    EXPECT_EQ(result.error, PictureLoadError::Unreadable) << reason;
    EXPECT_EQ(result.reason, reason);
    // Too large is a size the author can mend, and is said so.
    EXPECT_EQ(result.tooLarge,
              std::wstring(name) != L"folder.bmp" && std::wstring(name) != L"text.bmp")
        << reason;
  }

  // A picture in a folder named in any script loads; while it is being
  // read, no one can change it under the reader.
  const std::filesystem::path tip = dir / L"tip-ok-on.bmp";
  std::filesystem::copy_file(std::filesystem::path(VESPERON_SOURCE_DIR) / "resources/tip-ok-on.bmp",
                             tip);
  const LoadedPicture loaded = loader.LoadFile(Utf8(tip));
  ASSERT_EQ(loaded.error, PictureLoadError::None) << loaded.reason;
  EXPECT_EQ(loaded.picture.Width(), 15);
  OpenFile held(Utf8(tip));
  ASSERT_EQ(held.Status(), OpenFile::Opened);
  const HANDLE writer = CreateFileW(tip.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  EXPECT_FALSE(MoveFileW(tip.c_str(), (dir / L"moved.bmp").c_str()));
}

// Windows cuts the rows of a run-length bitmap that go on into their
// padding, as ImageMagick writes them, at the width; the check lets them by.
TEST(Win32PictureLoader, RunLengthRowsIntoTheirPaddingAreCutAtTheWidth) {
  TemporaryFolder folder(L"Vesperon run lengths");
  HDC screen = GetDC(nullptr);
  for (const int bits : {8, 4}) {
    SCOPED_TRACE(bits);
    const int width = 10;
    const int height = 3;
    std::vector<std::vector<int>> rows(height, std::vector<int>(bits == 8 ? 12 : 16));
    for (int y = 0; y < height; ++y)
      for (std::size_t x = 0; x < rows[y].size(); ++x)
        rows[y][x] = (x * 7 + y * 5 + 1) % (1 << bits);
    const std::filesystem::path file = folder.Path() / (std::to_wstring(bits) + L".bmp");
    std::ofstream(file, std::ios::binary) << RunLengthBitmap(bits, width, height, rows);

    Win32PictureLoader loader;
    const LoadedPicture loaded = loader.LoadFile(Utf8(file));
    ASSERT_EQ(loaded.error, PictureLoadError::None) << loaded.reason;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(width * height);
    ASSERT_EQ(GetDIBits(screen, BitmapOf(loaded.picture), 0, height, pixels.data(), &info,
                        DIB_RGB_COLORS),
              height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        EXPECT_EQ(pixels[y * width + x] & 0xFFFFFF, RunLengthPaletteColour(rows[y][x]))
            << x << "," << y;
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace vesperon
