#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "ports/picture_loader.h"

namespace vesperon {

// Pictures as GDI objects: bitmaps, icons and cursors, read by LoadImage.
// The built-in ones come from the program's resources, each loaded once and
// handed out as the same picture. A file is first read and checked whole
// (at most 4 MiB, a header within the bounds, data that fits it), and only
// then given to LoadImage, while it is held open so that nothing can change
// it between the check and the load.
class Win32PictureLoader : public PictureLoader {
 public:
  // `module`: where the built-in pictures are; the program's own by default.
  explicit Win32PictureLoader(HMODULE module = GetModuleHandleW(nullptr));

  Picture BuiltIn(const std::string& name) override;
  LoadedPicture LoadFile(const std::string& path) override;

  // The resource name of a built-in picture: "tip-ok-on.bmp" is P_TIP-OK-ON.BMP.
  static std::wstring ResourceName(const std::string& name);

 private:
  HMODULE module_;
  std::map<std::string, Picture> builtIn_;
};

// The GDI object behind a picture of this loader; null when the picture is
// empty or of another kind.
HBITMAP BitmapOf(const Picture& picture);
HICON IconOf(const Picture& picture);
HCURSOR CursorOf(const Picture& picture);

}  // namespace vesperon
