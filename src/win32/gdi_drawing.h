#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ports/picture.h"

namespace vesperon {

// Draws a picture of the Win32 loader with its top-left corner at (x, y), at
// its own size: a bitmap opaque, an icon with its transparency.
void DrawPicture(HDC target, int x, int y, const Picture& picture);

// A font of the user interface's face, `pixels` high.
HFONT MakeFont(int pixels, bool bold);

// An owner-drawn push button dressed like the buttons painted on the face.
void DrawFaceButton(const DRAWITEMSTRUCT& item, HFONT font, const std::string& caption);

// The text of the core (UTF-8) as Windows takes it.
std::wstring Wide(const std::string& utf8);

// The pixels of a bitmap picture, row by row from the top; empty when it
// has none.
std::vector<COLORREF> PixelsOf(const Picture& picture);

}  // namespace vesperon
