#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace artwork {

QImage NewCanvas(int width, int height, QRgb fill) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(fill | 0xFF000000u);
  return image;
}

QImage NewTransparentCanvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(0u);
  return image;
}

QImage NewGradientCanvas(int width, int height, QRgb top, QRgb bottom) {
  QImage image = NewCanvas(width, height, top);
  for (int y = 0; y < height; ++y)
    HLine(image, 0, width - 1, y, Mix(top, bottom, y / double(height - 1)));
  return image;
}

QRgb Mix(QRgb a, QRgb b, double t) {
  const auto channel = [t](int from, int to) {
    return static_cast<int>(std::lround(from + (to - from) * t));
  };
  return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)),
              channel(qBlue(a), qBlue(b)));
}

QRgb Shade(QRgb colour, int delta) {
  const auto channel = [delta](int value) { return std::clamp(value + delta, 0, 255); };
  return qRgb(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)));
}

void Put(QImage& image, int x, int y, QRgb colour) {
  if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return;
  image.setPixel(x, y, colour | 0xFF000000u);
}

void Fill(QImage& image, const QRect& rect, QRgb colour) {
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) Put(image, x, y, colour);
}

void HLine(QImage& image, int x0, int x1, int y, QRgb colour) {
  for (int x = x0; x <= x1; ++x) Put(image, x, y, colour);
}

void VLine(QImage& image, int x, int y0, int y1, QRgb colour) {
  for (int y = y0; y <= y1; ++y) Put(image, x, y, colour);
}

void Blit(QImage& target, const QImage& source, QPoint at) {
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) {
      const QRgb pixel = source.pixel(x, y);
      if (qAlpha(pixel) != 0) Put(target, at.x() + x, at.y() + y, pixel);
    }
}

void Border(QImage& image, const QRect& rect, QRgb colour) {
  HLine(image, rect.left(), rect.right(), rect.top(), colour);
  HLine(image, rect.left(), rect.right(), rect.bottom(), colour);
  VLine(image, rect.left(), rect.top(), rect.bottom(), colour);
  VLine(image, rect.right(), rect.top(), rect.bottom(), colour);
}

void RoundedBorder(QImage& image, const QRect& rect, QRgb colour) {
  HLine(image, rect.left() + 1, rect.right() - 1, rect.top(), colour);
  HLine(image, rect.left() + 1, rect.right() - 1, rect.bottom(), colour);
  VLine(image, rect.left(), rect.top() + 1, rect.bottom() - 1, colour);
  VLine(image, rect.right(), rect.top() + 1, rect.bottom() - 1, colour);
}

QImage Crop(const QImage& image, const QRect& rect) { return image.copy(rect); }

void DrawArt(QImage& image, QPoint at, std::initializer_list<const char*> rows,
             const ArtColours& colours) {
  int y = at.y();
  for (const char* row : rows) {
    for (int i = 0; row[i] != '\0'; ++i) {
      const auto found = colours.find(row[i]);
      if (found != colours.end()) Put(image, at.x() + i, y, found->second);
    }
    ++y;
  }
}

QImage ArtPicture(QImage canvas, std::initializer_list<const char*> rows,
                  const ArtColours& colours) {
  DrawArt(canvas, QPoint(0, 0), rows, colours);
  return canvas;
}

int Grain(int x, int y, int amplitude) {
  std::uint32_t h =
      static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<int>(h % static_cast<std::uint32_t>(2 * amplitude + 1)) - amplitude;
}

}  // namespace artwork
