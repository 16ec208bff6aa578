#include "icons.h"

#include <cmath>
#include <numbers>

#include "canvas.h"

namespace artwork {

namespace {

struct IconColours {
  QRgb outline, bezelLight, bezel, bezelDark, face, faceShade, ticks, hands;
  QRgb badgeOutline, badge, badgeLight, badgeSymbol;
};

constexpr IconColours kArmed = {
    0xFF10171D, 0xFF8A9AA6, 0xFF566673, 0xFF33404A, 0xFFF4FAFC, 0xFFC9D9E1,
    0xFF5A6A76, 0xFF18242E, 0xFF5A0A0A, 0xFFD8302A, 0xFFFF7A66, 0xFFFFFFFF,
};

constexpr IconColours kDisarmed = {
    0xFF1C1F22, 0xFFA6ABAF, 0xFF73797E, 0xFF50555A, 0xFFDCDFE1, 0xFFB9BEC2,
    0xFF80868B, 0xFF3E4347, 0xFF3A3E42, 0xFF7C8287, 0xFF9DA3A8, 0xFFD6DADD,
};

double Distance(double x, double y, double cx, double cy) { return std::hypot(x - cx, y - cy); }

// Distance from a point to the segment a-b.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
  t = std::fmax(0.0, std::fmin(1.0, t));
  return Distance(px, py, ax + t * dx, ay + t * dy);
}

// Angles clockwise from twelve o'clock, in degrees.
QPointF Towards(double cx, double cy, double degrees, double length) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {cx + std::sin(a) * length, cy - std::cos(a) * length};
}

QImage TrayIcon(const IconColours& c) {
  QImage image = NewTransparentCanvas(32, 32);
  // The clock, centred on pixel (14, 14).
  const double cx = 14.5, cy = 14.5;
  const QPointF hour = Towards(cx, cy, 300, 5.5);
  const QPointF minute = Towards(cx, cy, 0, 8.5);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double d = Distance(px, py, cx, cy);
      if (d > 14.2) continue;
      QRgb colour;
      if (d > 13.1) {
        colour = c.outline;
      } else if (d > 10.6) {
        // The bezel catches the light from the top left.
        const double lightness = ((cx - px) + (cy - py)) / d;
        colour = lightness > 0.55 ? c.bezelLight : lightness < -0.55 ? c.bezelDark : c.bezel;
      } else if (d > 9.6) {
        colour = c.outline;
      } else {
        colour = (px - cx) + (py - cy) > 9.0 ? c.faceShade : c.face;
      }
      Put(image, x, y, colour);
    }
  // Hour marks at 12, 3, 6 and 9.
  Fill(image, QRect(14, 6, 1, 2), c.ticks);
  Fill(image, QRect(21, 14, 2, 1), c.ticks);
  Fill(image, QRect(14, 21, 1, 2), c.ticks);
  Fill(image, QRect(6, 14, 2, 1), c.ticks);
  // Hands at ten o'clock.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      if (SegmentDistance(px, py, cx, cy, hour.x(), hour.y()) < 0.95 ||
          SegmentDistance(px, py, cx, cy, minute.x(), minute.y()) < 0.72)
        Put(image, x, y, c.hands);
    }
  // The power badge, bottom right, over the clock.
  const double bx = 24.0, by = 24.0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double d = Distance(px, py, bx, by);
      if (d > 7.9) continue;
      QRgb colour = d > 6.8 ? c.badgeOutline : c.badge;
      if (d <= 6.8 && (bx - px) + (by - py) > 5.2) colour = c.badgeLight;
      // The power symbol: an open ring and a bar through its gap.
      const double angle = std::atan2(px - bx, by - py) * 180.0 / std::numbers::pi;
      const bool ring = d > 2.6 && d < 4.1 && std::fabs(angle) > 40.0;
      const bool bar = std::fabs(px - bx) < 1.0 && py > by - 5.0 && py < by + 0.6;
      if (ring || bar) colour = c.badgeSymbol;
      Put(image, x, y, colour);
    }
  return image;
}

}  // namespace

QImage TrayArmedIcon() { return TrayIcon(kArmed); }
QImage TrayDisarmedIcon() { return TrayIcon(kDisarmed); }

QImage HandCursor() {
  // clang-format off
  return ArtPicture(NewTransparentCanvas(32, 32),
                    {
                        "................",
                        ".....##.........",
                        "....#WW#........",
                        "....#WW#........",
                        "....#WW#........",
                        "....#WW#........",
                        "....#WW###......",
                        "....#WW#WW###...",
                        "....#WW#WW#WW##.",
                        ".##.#WW#WW#WW#W#",
                        "#WW##WWWWWWWW#W#",
                        "#WWW#WWWWWWWWWW#",
                        ".#WWWWWWWWWWWWW#",
                        "..#WWWWWWWWWWWW#",
                        "..#WWWWWWWWWWWW#",
                        "...#WWWWWWWWWWW#",
                        "...#WWWWWWWWWW#.",
                        "....#WWWWWWWWW#.",
                        "....#WWWWWWWWW#.",
                        "....##########..",
                    },
                    {{'#', 0xFF000000}, {'W', 0xFFFFFFFF}});
  // clang-format on
}

}  // namespace artwork
