#include "win32/win32_picture_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "picture_loader_contract.h"
#include "run_length_bitmap.h"
#include "win32/open_file.h"
#include "win32/wide_text.h"
#include "win32_test_support.h"

namespace vesperon {
namespace {

std::string Utf8(const std::filesystem::path& path) { return Narrow(path.wstring()); }

// In a folder whose name is beyond ASCII.
TEST(Win32PictureLoader, KeepsThePictureLoaderContractForWhatIsNoPicture) {
  Win32PictureLoader loader;
  TemporaryFolder folder(L"Vesperon pictures \u00d1and\u00fa");
  const std::filesystem::path sample =
      std::filesystem::path(VESPERON_SOURCE_DIR) / "resources/tip-ok-on.bmp";
  contracts::ExpectWhatIsNoPictureRefused(loader, folder.Path(), sample);
}

TEST(Win32PictureLoader, KeepsThePictureLoaderContractForTheBmpSuite) {
  if (std::string(VESPERON_CORPUS_DIR).empty()) GTEST_SKIP() << "no BMP suite on this machine";
  Win32PictureLoader loader;
  const auto aBitmap = [](const LoadedPicture& loaded, const std::string& name) {
    EXPECT_NE(BitmapOf(loaded.picture), nullptr) << name;
  };
  contracts::ExpectTheBmpSuiteReadAsItIs(
      loader, std::filesystem::path(VESPERON_CORPUS_DIR) / "bmpsuite", aBitmap);
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

// While a picture is being read, no one can change it under the reader.
TEST(Win32PictureLoader, HoldsAFileWhileReadingIt) {
  TemporaryFolder folder(L"Vesperon pictures \u00d1and\u00fa");
  const std::filesystem::path& dir = folder.Path();
  const std::filesystem::path tip = dir / L"tip-ok-on.bmp";
  std::filesystem::copy_file(std::filesystem::path(VESPERON_SOURCE_DIR) / "resources/tip-ok-on.bmp",
                             tip);
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
