#include <gtest/gtest.h>

#include "about/frm_about.h"

namespace vesperon {
namespace {

TEST(About, ShowsTheBuildsVersionAndTheMainWindowsIcon) {
  EXPECT_EQ(VersionText(1, 0, 10), "1.0.10");
  EXPECT_EQ(VersionText(1, 0, 0), "1.0.0");

  Form main;
  main.icon = Picture::Make(32, 32, nullptr);
  FrmAbout about(main, "C++20");
  EXPECT_EQ(about.LblVersion.caption, "0.0.0");
  about.Form_Load();
  EXPECT_EQ(about.LblVersion.caption,
            VersionText(VESPERON_VERSION_MAJOR, VESPERON_VERSION_MINOR, VESPERON_VERSION_PATCH));
  EXPECT_EQ(about.ImgIco.picture, main.icon);
}

}  // namespace
}  // namespace vesperon
