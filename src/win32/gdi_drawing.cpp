#include "win32/gdi_drawing.h"

#include <vector>

#include "win32/wide_text.h"
#include "win32/win32_picture_loader.h"

namespace vesperon {

namespace {
constexpr COLORREF kButtonFace = RGB(0x3C, 0x43, 0x4B);
constexpr COLORREF kButtonPressed = RGB(0x2A, 0x30, 0x36);
constexpr COLORREF kButtonText = RGB(0xE4, 0xEA, 0xF0);
constexpr COLORREF kButtonEdge = RGB(0x6A, 0x74, 0x7E);
}  // namespace

void DrawPicture(HDC target, int x, int y, const Picture& picture) {
  if (const HBITMAP bitmap = BitmapOf(picture)) {
    const HDC source = CreateCompatibleDC(target);
    const HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(target, x, y, picture.Width(), picture.Height(), source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  } else if (const HICON icon = IconOf(picture)) {
    DrawIconEx(target, x, y, icon, picture.Width(), picture.Height(), 0, nullptr, DI_NORMAL);
  }
}

HFONT MakeFont(int pixels, bool bold) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight = -pixels;
  font.lfWidth = 0;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfQuality = CLEARTYPE_QUALITY;
  return CreateFontIndirectW(&font);
}

std::wstring Wide(const std::string& utf8) { return Widen(utf8).value_or(std::wstring()); }

std::vector<COLORREF> PixelsOf(const Picture& picture) {
  const HBITMAP bitmap = BitmapOf(picture);
  if (bitmap == nullptr || picture.Width() <= 0 || picture.Height() <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.Width();
  info.bmiHeader.biHeight = -picture.Height();  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<std::size_t>(picture.Width()) * picture.Height());
  const HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.Height()), pixels.data(),
                             &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != picture.Height()) return {};
  std::vector<COLORREF> colours;
  colours.reserve(pixels.size());
  for (const DWORD p : pixels) colours.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  return colours;
}

void DrawFaceButton(const DRAWITEMSTRUCT& item, HFONT font, const std::string& caption) {
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const HBRUSH face = CreateSolidBrush(pressed ? kButtonPressed : kButtonFace);
  FillRect(item.hDC, &item.rcItem, face);
  DeleteObject(face);
  const HBRUSH edge = CreateSolidBrush(kButtonEdge);
  FrameRect(item.hDC, &item.rcItem, edge);
  DeleteObject(edge);
  const HGDIOBJ oldFont = SelectObject(item.hDC, font);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, kButtonText);
  RECT text = item.rcItem;
  if (pressed) OffsetRect(&text, 1, 1);
  const std::wstring wide = Wide(caption);
  DrawTextW(item.hDC, wide.c_str(), static_cast<int>(wide.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(item.hDC, oldFont);
}

}  // namespace vesperon
