#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <initializer_list>
#include <map>

namespace artwork {

// Pixel-level drawing. Everything is placed by hand, pixel by pixel, so the
// output is crisp at 1:1 and identical on every run and every machine (no
// font engine, no antialiasing, no Qt version in the loop).

QImage NewCanvas(int width, int height, QRgb fill);
// A canvas whose pixels start fully transparent (for icons).
QImage NewTransparentCanvas(int width, int height);
// A canvas shaded row by row from `top` to `bottom`.
QImage NewGradientCanvas(int width, int height, QRgb top, QRgb bottom);

// Linear mix of two colours, t = 0 gives a, t = 1 gives b.
QRgb Mix(QRgb a, QRgb b, double t);
// Adds `delta` to each channel, clamped.
QRgb Shade(QRgb colour, int delta);

void Fill(QImage& image, const QRect& rect, QRgb colour);
void Put(QImage& image, int x, int y, QRgb colour);
void HLine(QImage& image, int x0, int x1, int y, QRgb colour);
void VLine(QImage& image, int x, int y0, int y1, QRgb colour);
// The one-pixel border of `rect`; a rounded one leaves the four corners.
void Border(QImage& image, const QRect& rect, QRgb colour);
void RoundedBorder(QImage& image, const QRect& rect, QRgb colour);
// Copies `source` with its top-left corner at `at`; transparent source pixels
// are skipped.
void Blit(QImage& target, const QImage& source, QPoint at);
QImage Crop(const QImage& image, const QRect& rect);

// Pixel art: one string per row; each character is looked up in `colours`,
// characters not in it ('.' by convention) leave the pixel alone.
using ArtColours = std::map<char, QRgb>;
void DrawArt(QImage& image, QPoint at, std::initializer_list<const char*> rows,
             const ArtColours& colours);
// A picture that is pixel art from its top left corner over `canvas`.
QImage ArtPicture(QImage canvas, std::initializer_list<const char*> rows,
                  const ArtColours& colours);

// A small, stable noise value in [-amplitude, amplitude] for a pixel.
int Grain(int x, int y, int amplitude);

}  // namespace artwork
