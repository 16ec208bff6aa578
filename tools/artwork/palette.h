#pragma once

#include <QRgb>

namespace artwork {

// The LCD: dark blue-green glass with cyan segments. The program draws the
// message line in kLcdLit on kLcdGlass, so these two must not drift.
constexpr QRgb kLcdGlass = 0xFF0A1820;
constexpr QRgb kLcdLit = 0xFF8FF0FF;

// The device: brushed blue-grey metal.
constexpr QRgb kBodyTop = 0xFF4A5661;
constexpr QRgb kBodyBottom = 0xFF2B333B;
constexpr QRgb kOutline = 0xFF0D1114;
constexpr QRgb kEdgeLight = 0xFF6C7B87;
constexpr QRgb kEdgeShadow = 0xFF1A2127;
constexpr QRgb kEngraving = 0xFFAEBCC6;

// Keys.
constexpr QRgb kKeyTop = 0xFF606E7A;
constexpr QRgb kKeyBottom = 0xFF3A4651;
constexpr QRgb kKeyHighlight = 0xFF8494A0;
constexpr QRgb kKeyShade = 0xFF29323A;
constexpr QRgb kKeySymbol = 0xFFE6EEF2;
constexpr QRgb kKeySymbolShadow = 0xFF1F272E;
constexpr QRgb kCloseSymbol = 0xFFFF8A7E;

}  // namespace artwork
