#pragma once

#include <QRgb>

namespace artwork {

// What a clock face is drawn with: the built-in look and each sample skin
// share the layout and the drawing, and differ in these.
struct FaceTheme {
  // The LCD: glass, lit segments and text, unlit segments.
  QRgb lcdGlass;
  QRgb lcdLit;
  QRgb segmentGhost;
  // The body: a top-to-bottom gradient, its edges and engraved text.
  QRgb bodyTop;
  QRgb bodyBottom;
  QRgb outline;
  QRgb edgeLight;
  QRgb edgeShadow;
  QRgb engraving;
  // Keys.
  QRgb keyTop;
  QRgb keyBottom;
  QRgb keyHighlight;
  QRgb keyShade;
  QRgb keySymbol;
  QRgb keySymbolShadow;
  QRgb closeSymbol;
  // The mark before the name plate.
  QRgb mark;
  // Streaks of brushed metal, 0 for a smooth finish.
  int grain;
  // A few pin-point lights scattered over the body (a night sky).
  bool stars;
  // The name plate, in capitals the small font has.
  const char* plate;
};

// The program's own look.
const FaceTheme& BuiltInTheme();

}  // namespace artwork
