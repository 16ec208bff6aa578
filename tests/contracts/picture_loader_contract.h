#pragma once

// The picture loader's contract, the same for every adapter: each adapter's
// tests run it with the BMP suite and in an empty folder of their own.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "common/picture_checks.h"
#include "file_system_contract.h"
#include "ports/picture_loader.h"

namespace vesperon::contracts {

inline std::string FileContents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::vector<std::filesystem::path> BitmapsIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> bitmaps;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".bmp") bitmaps.push_back(entry.path());
  std::sort(bitmaps.begin(), bitmaps.end());
  return bitmaps;
}

// What an adapter promises besides of each good bitmap it loads.
using LoadedCheck = std::function<void(const LoadedPicture&, const std::string& name)>;

// The BMP suite's folders: every good bitmap (g/) loads at the size its
// header gives; every damaged one (b/), but those whose faults change
// nothing drawn, is refused with a reason; no picture, of those or of the
// questionable ones (q/), comes larger than the bound.
inline void ExpectTheBmpSuiteReadAsItIs(PictureLoader& loader, const std::filesystem::path& suite,
                                        const LoadedCheck& alsoOfEachGoodOne) {
  const std::vector<std::filesystem::path> good = BitmapsIn(suite / "g");
  ASSERT_GT(good.size(), 20u);
  for (const auto& path : good) {
    const std::string name = PortPath(path.filename());
    const LoadedPicture result = loader.LoadFile(PortPath(path));
    if (result.error != PictureLoadError::None) {
      ADD_FAILURE() << name << ": " << result.reason;
      continue;
    }
    const auto claimed = BitmapHeaderSize(FileContents(path));
    ASSERT_TRUE(claimed) << name;
    EXPECT_EQ(result.picture.Width(), claimed->width) << name;
    EXPECT_EQ(result.picture.Height(), claimed->height) << name;
    alsoOfEachGoodOne(result, name);
  }
  // Faults that change nothing drawn: a wrong size field, odd densities, a
  // 16-bit mask with no blue.
  const std::set<std::string> harmless = {"badbitssize.bmp", "baddens1.bmp", "baddens2.bmp",
                                          "badfilesize.bmp", "rgb16-880.bmp"};
  for (const char* folder : {"b", "q"}) {
    for (const auto& path : BitmapsIn(suite / folder)) {
      const std::string name = folder + ("/" + PortPath(path.filename()));
      const LoadedPicture result = loader.LoadFile(PortPath(path));
      if (std::string(folder) == "b" && !harmless.contains(PortPath(path.filename()))) {
        EXPECT_EQ(result.error, PictureLoadError::Unreadable) << name;
      }
      if (result.error == PictureLoadError::None) {
        EXPECT_LE(result.picture.Width(), kPictureMaxSide) << name;
        EXPECT_LE(result.picture.Height(), kPictureMaxSide) << name;
      } else {
        EXPECT_EQ(result.error, PictureLoadError::Unreadable) << name;
        EXPECT_FALSE(result.reason.empty()) << name;
      }
    }
  }
  const std::pair<const char*, const char*> reasons[] = {
      {"shortfile.bmp", "el archivo está incompleto"},
      {"pal8badindex.bmp", "usa un color que no está en su paleta"},
      {"badrle4bis.bmp", "sus datos comprimidos se salen de la imagen"}};
  for (const auto& [name, reason] : reasons)
    EXPECT_EQ(loader.LoadFile(PortPath(suite / "b" / name)).reason, reason);
}

// In `emptyFolder` (its name in any script): a missing file is missing; a
// folder, a file over 4 MiB, a bitmap that claims 4000 × 4000 pixels and a
// file that is no picture are refused each with its reason, the two too
// large ones said to be so; and `sample`, one of the program's bitmaps 15
// pixels wide, copied there, loads.
inline void ExpectWhatIsNoPictureRefused(PictureLoader& loader,
                                         const std::filesystem::path& emptyFolder,
                                         const std::filesystem::path& sample) {
  std::filesystem::create_directory(emptyFolder / "folder.bmp");
  {
    std::ofstream big(emptyFolder / "big.bmp", std::ios::binary);
    big << "BM";
    big.seekp(static_cast<std::streamoff>(kPictureFileMaxBytes));
    big << 'x';
  }
  std::ofstream(emptyFolder / "text.bmp", std::ios::binary) << "not a picture at all";
  std::string huge = FileContents(sample);
  huge.replace(18, 8, std::string("\xA0\x0F\0\0\xA0\x0F\0\0", 8));  // 4000 x 4000
  std::ofstream(emptyFolder / "huge.bmp", std::ios::binary) << huge;
  std::filesystem::copy_file(sample, emptyFolder / "sample.bmp");

  EXPECT_EQ(loader.LoadFile(PortPath(emptyFolder / "none.bmp")).error, PictureLoadError::Missing);
  const struct {
    const char* name;
    const char* reason;
    bool tooLarge;
  } refused[] = {{"folder.bmp", "no es un archivo", false},
                 {"big.bmp", "el archivo ocupa más de 4 MiB", true},
                 {"huge.bmp", "mide 4000 × 4000 píxeles y el máximo es 1024 × 1024", true},
                 {"text.bmp", "no es un mapa de bits (.bmp) ni un icono (.ico)", false}};
  for (const auto& file : refused) {
    const LoadedPicture result = loader.LoadFile(PortPath(emptyFolder / file.name));
    EXPECT_EQ(result.error, PictureLoadError::Unreadable) << file.name;
    EXPECT_EQ(result.reason, file.reason) << file.name;
    // Too large is a size the author can mend, and is said so.
    EXPECT_EQ(result.tooLarge, file.tooLarge) << file.name;
  }
  const LoadedPicture huge4000 = loader.LoadFile(PortPath(emptyFolder / "huge.bmp"));
  EXPECT_EQ(huge4000.claimedWidth, 4000);

  const LoadedPicture loaded = loader.LoadFile(PortPath(emptyFolder / "sample.bmp"));
  ASSERT_EQ(loaded.error, PictureLoadError::None) << loaded.reason;
  EXPECT_EQ(loaded.picture.Width(), 15);
}

}  // namespace vesperon::contracts
