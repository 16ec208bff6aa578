#include "app_icon.h"

#include <QPoint>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "canvas.h"

namespace artwork {

namespace {

// One size of the icon, in pixels of that size. Centres on a pixel's middle
// (x.5) keep one-pixel strokes through them on one column; centres on a
// pixel corner do the same for two-pixel strokes.
struct Geometry {
  int size;
  double cx, cy, radius;       // the clock
  double outline, bezel, rim;  // ring widths from the outside in
  int marks;                   // hour marks: 4 or 12
  double markFrom, markTo, markHalf;
  bool minuteMarks;
  double hourLength, hourHalf, minuteLength, minuteHalf, cap;
  double bx, by, badgeRadius, badgeOutline;  // the power badge
  double ringRadius, strokeHalf, barTop;     // its symbol
  bool shaded;                               // gradients, glass and shadow
};

// clang-format off
constexpr Geometry kGeometries[] = {
  // size, clock (centre, radius, outline, bezel, rim), hour marks (count, from, to, half width),
  // minute marks, hands (hour length and half width, minute length and half width, cap), badge
  // (centre, radius, outline), symbol (ring radius, stroke half width, bar top), shaded
  {22,  10.5,  10.5,  10.5,  1.0, 2.0,  1.0, 4, 5.0,  7.5,  0.5, false, 4.2, 0.75, 6.5, 0.5, 0.0, 16.5,  16.5,  5.5,  1.0, 3.0,  0.5,  4.0, false},
  {24,  11.5,  11.5,  11.5,  1.0, 2.0,  1.0, 4, 5.5,  8.5,  0.5, false, 4.8, 0.8,  7.5, 0.5, 0.0, 17.5,  17.5,  6.5,  1.0, 3.0,  0.5,  4.5, false},
  {32,  15.0,  15.0,  14.5,  1.0, 3.0,  1.0, 4, 7.0, 10.0,  1.0, false, 6.5, 1.0, 10.0, 1.0, 0.0, 24.0,  24.0,  8.0,  1.0, 4.5,  1.0,  6.5, false},
  {48,  21.0,  21.0,  20.0,  1.4, 3.4,  1.2, 12, 11.0, 14.4, 0.6, false, 8.6, 1.5, 13.0, 1.0, 1.8, 35.0,  35.0, 11.0,  1.4, 4.6,  1.3,  7.6, true},
  {64,  28.0,  28.0,  26.5,  1.6, 4.4,  1.4, 12, 14.8, 19.2, 0.9, false, 11.5, 2.0, 17.4, 1.3, 2.5, 46.5, 46.5, 14.5,  1.7, 6.0,  1.7, 10.0, true},
  {128, 56.0,  56.0,  52.0,  2.5, 8.5,  2.5, 12, 31.0, 38.5, 1.6, true,  23.0, 3.8, 34.5, 2.5, 4.5, 92.0, 92.0, 28.0,  3.0, 11.5, 3.2, 19.0, true},
  {256, 112.0, 112.0, 104.0, 4.5, 17.0, 4.5, 12, 62.0, 77.0, 3.0, true,  46.0, 7.0, 69.0, 4.5, 8.5, 184.0, 184.0, 56.0, 5.5, 23.0, 6.2, 38.0, true},
};
// clang-format on

// At 16 pixels every pixel is placed by hand.
QImage SmallestIcon() {
  // clang-format off
  return ArtPicture(NewTransparentCanvas(16, 16),
                    {
                        "....#####.......",
                        "..##LLLLL##.....",
                        ".#LLWWHWWBB#....",
                        ".#LWWWHWWWB#....",
                        "#LWHWWHWWWWB#...",
                        "#LWWHHHWWWWB#...",
                        "#LmWWWHWWWmB#...",
                        "#BWWWWWWWrrrrr..",
                        "#BWWWWWWrPPRRRr.",
                        ".#BWWWWrPRRwRRRr",
                        ".#BBWWmrRwRwRwRr",
                        "..##DDDrRwRwRwRr",
                        "....###rRwRRRwRr",
                        ".......rRRwwwRRr",
                        "........rRRRRRr.",
                        ".........rrrrr..",
                    },
                    {{'#', 0xFF10171D}, {'L', 0xFF9AAAB6}, {'B', 0xFF566673}, {'D', 0xFF2C3841},
                     {'W', 0xFFF4FAFC}, {'m', 0xFF5A6A76}, {'H', 0xFF18242E}, {'r', 0xFF5A0A0A},
                     {'R', 0xFFD8302A}, {'P', 0xFFFF7A66}, {'w', 0xFFFFFFFF}});
  // clang-format on
}

struct Colour {
  double r, g, b, a;  // 0..1, not premultiplied
};

constexpr Colour Rgb(unsigned rgb, double a = 1.0) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}

// The tray icon's armed colours, so that menu, dock and tray show one clock.
constexpr Colour kOutline = Rgb(0x10171D);
constexpr Colour kBezelLight = Rgb(0x9AAAB6);
constexpr Colour kBezel = Rgb(0x566673);
constexpr Colour kBezelDark = Rgb(0x2C3841);
constexpr Colour kFace = Rgb(0xF4FAFC);
constexpr Colour kFaceShade = Rgb(0xC9D9E1);
constexpr Colour kMarks = Rgb(0x5A6A76);
constexpr Colour kHands = Rgb(0x18242E);
constexpr Colour kBadgeOutline = Rgb(0x5A0A0A);
constexpr Colour kBadge = Rgb(0xD8302A);
constexpr Colour kBadgeLight = Rgb(0xFF7A66);
constexpr Colour kBadgeDark = Rgb(0xA01C18);
constexpr Colour kSymbol = Rgb(0xFFFFFF);

Colour Mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

// Source over destination.
Colour Over(Colour dst, Colour src) {
  const double a = src.a + dst.a * (1.0 - src.a);
  if (a <= 0.0) return {0, 0, 0, 0};
  const auto channel = [&](double s, double d) {
    return (s * src.a + d * dst.a * (1.0 - src.a)) / a;
  };
  return {channel(src.r, dst.r), channel(src.g, dst.g), channel(src.b, dst.b), a};
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

// A point at `length` from the centre, `degrees` clockwise from twelve.
void Towards(const Geometry& g, double degrees, double length, double& x, double& y) {
  const double a = degrees * std::numbers::pi / 180.0;
  x = g.cx + std::sin(a) * length;
  y = g.cy - std::cos(a) * length;
}

// A straight mark across the dial, `degrees` clockwise from twelve.
bool OnMark(const Geometry& g, double px, double py, double degrees, double from, double to,
            double half) {
  const double a = degrees * std::numbers::pi / 180.0;
  const double along = (px - g.cx) * std::sin(a) - (py - g.cy) * std::cos(a);
  const double across = (px - g.cx) * std::cos(a) + (py - g.cy) * std::sin(a);
  return along >= from && along <= to && std::fabs(across) <= half;
}

// A soft shadow below a disc: full strength inside, fading over `blur`.
double ShadowOf(double px, double py, double cx, double cy, double radius, double blur) {
  const double d = std::hypot(px - cx, py - cy);
  const double t = std::clamp((radius + blur - d) / (2.0 * blur), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

// (px, py) samples the discs; (sx, sy) samples the strokes on them (marks,
// hands, the power symbol). Below the shaded sizes the strokes take the
// pixel's middle, so they stay hard-edged where blur would eat them.
Colour Clock(const Geometry& g, double px, double py, double sx, double sy, Colour c) {
  const double dx = px - g.cx, dy = py - g.cy;
  const double d = std::hypot(dx, dy);
  if (d > g.radius) return c;
  // Lit from the top left: +1 facing the light, -1 away from it.
  const double facing = d > 0 ? -(dx + dy) / (d * std::numbers::sqrt2) : 0.0;

  const double bezelInner = g.radius - g.outline - g.bezel;
  const double face = bezelInner - g.rim;
  if (d > g.radius - g.outline) return Over(c, kOutline);
  if (d > bezelInner) {
    if (!g.shaded) {
      return Over(c, facing > 0.55 ? kBezelLight : facing < -0.55 ? kBezelDark : kBezel);
    }
    // A rounded metal ring: bright where it turns to the light, with a
    // band of shine across its middle.
    const double across = (d - bezelInner) / g.bezel;  // 0 inside .. 1 outside
    const double bulge = 1.0 - std::fabs(across - 0.5) * 2.0;
    Colour metal =
        facing >= 0 ? Mix(kBezel, kBezelLight, facing) : Mix(kBezel, kBezelDark, -facing);
    metal = Mix(metal, kBezelLight, 0.25 * bulge * (0.5 + 0.5 * facing));
    return Over(c, metal);
  }
  if (d > face) return Over(c, kOutline);

  Colour dial = kFace;
  if (g.shaded) {
    // Sunk into the bezel: the far side of the dial darkens towards the rim.
    const double depth = std::clamp((d / face - 0.55) / 0.45, 0.0, 1.0);
    dial = Mix(kFace, kFaceShade, depth * std::clamp(0.5 - 0.5 * facing, 0.0, 1.0));
  } else if (dx + dy > face * 0.9) {
    dial = kFaceShade;
  }
  c = Over(c, dial);

  for (int i = 0; i < g.marks; ++i)
    if (OnMark(g, sx, sy, i * 360.0 / g.marks, g.markFrom, g.markTo, g.markHalf))
      c = Over(c, kMarks);
  if (g.minuteMarks) {
    for (int i = 0; i < 60; ++i)
      if (i % 5 != 0 && OnMark(g, px, py, i * 6.0, g.markTo - (g.markTo - g.markFrom) * 0.35,
                               g.markTo, g.markHalf * 0.45))
        c = Over(c, kMarks);
  }

  // Ten o'clock.
  double hx, hy, mx, my;
  Towards(g, 300, g.hourLength, hx, hy);
  Towards(g, 0, g.minuteLength, mx, my);
  if (g.shaded) {
    // The hands float a little above the dial.
    const double off = g.size / 96.0;
    const double qx = px - off, qy = py - off;
    if (SegmentDistance(qx, qy, g.cx, g.cy, hx, hy) <= g.hourHalf ||
        SegmentDistance(qx, qy, g.cx, g.cy, mx, my) <= g.minuteHalf ||
        std::hypot(qx - g.cx, qy - g.cy) <= g.cap)
      c = Over(c, Rgb(0x18242E, 0.22));
  }
  if (SegmentDistance(sx, sy, g.cx, g.cy, hx, hy) <= g.hourHalf ||
      SegmentDistance(sx, sy, g.cx, g.cy, mx, my) <= g.minuteHalf || d <= g.cap)
    c = Over(c, kHands);
  if (g.cap > 0 && d <= g.cap * 0.45) c = Over(c, kBadge);

  if (g.shaded && g.size >= 64) {
    // Glass: a faint sheen over the upper dial.
    const double gy = g.cy - face * 0.55;
    const double e = std::hypot(dx / (face * 0.95), (py - gy) / (face * 0.55));
    if (e < 1.0 && d < face) c = Over(c, Rgb(0xFFFFFF, 0.18 * (1.0 - e)));
  }
  return c;
}

Colour Badge(const Geometry& g, double px, double py, double sx, double sy, Colour c) {
  const double dx = px - g.bx, dy = py - g.by;
  const double d = std::hypot(dx, dy);
  if (d > g.badgeRadius) return c;
  if (d > g.badgeRadius - g.badgeOutline) return Over(c, kBadgeOutline);

  const double inner = g.badgeRadius - g.badgeOutline;
  Colour fill = kBadge;
  if (g.shaded) {
    const double facing = d > 0 ? -(dx + dy) / (d * std::numbers::sqrt2) : 0.0;
    const double t = d / inner;
    fill = facing >= 0 ? Mix(kBadge, kBadgeLight, facing * t * t)
                       : Mix(kBadge, kBadgeDark, -facing * t);
  } else if (-(dx + dy) > inner * 0.75) {
    fill = kBadgeLight;
  }
  c = Over(c, fill);

  // The power symbol: a ring open at the top and a bar through the opening.
  const double ex = sx - g.bx, ey = sy - g.by;
  const double e = std::hypot(ex, ey);
  const double angle = std::atan2(ex, -ey) * 180.0 / std::numbers::pi;
  // The opening leaves a pixel of badge on each side of the bar when the
  // symbol is small.
  const double gap =
      g.shaded
          ? 40.0
          : std::max(40.0, std::asin(std::min(1.0, (2.0 * g.strokeHalf + 1.0) / g.ringRadius)) *
                               180.0 / std::numbers::pi);
  bool symbol = std::fabs(e - g.ringRadius) <= g.strokeHalf && std::fabs(angle) > gap;
  if (g.shaded) {
    // Round ends on the ring and the bar.
    for (const double side : {-1.0, 1.0}) {
      const double a = side * gap * std::numbers::pi / 180.0;
      symbol = symbol || std::hypot(sx - (g.bx + std::sin(a) * g.ringRadius),
                                    sy - (g.by - std::cos(a) * g.ringRadius)) <= g.strokeHalf;
    }
    symbol = symbol || SegmentDistance(sx, sy, g.bx, g.by - g.barTop + g.strokeHalf, g.bx,
                                       g.by - g.strokeHalf * 0.4) <= g.strokeHalf;
  } else {
    symbol = symbol || (std::fabs(ex) <= g.strokeHalf && ey >= -g.barTop && ey <= 0.4);
  }
  return symbol ? Over(c, kSymbol) : c;
}

Colour Scene(const Geometry& g, double px, double py, double sx, double sy) {
  Colour c{0, 0, 0, 0};
  if (g.shaded) {
    const double blur = g.size / 40.0, drop = g.size / 48.0;
    const double shadow = std::max(ShadowOf(px, py, g.cx, g.cy + drop, g.radius, blur),
                                   ShadowOf(px, py, g.bx, g.by + drop, g.badgeRadius, blur));
    c = Over(c, Rgb(0x000000, 0.35 * shadow));
  }
  c = Clock(g, px, py, sx, sy, c);
  return Badge(g, px, py, sx, sy, c);
}

}  // namespace

QImage AppIcon(int size) {
  if (size == 16) return SmallestIcon();
  const Geometry* geometry = nullptr;
  for (const Geometry& g : kGeometries)
    if (g.size == size) geometry = &g;
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(0u);
  if (geometry == nullptr) return image;

  // Each pixel is the average of a grid of samples inside it: curves come
  // out smooth, and strokes laid on the pixel grid stay sharp. The large
  // sizes' edges are a small part of them and need fewer.
  const int grid = size >= 128 ? 4 : 8;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double red = 0, green = 0, blue = 0, a = 0;
      for (int sy = 0; sy < grid; ++sy)
        for (int sx = 0; sx < grid; ++sx) {
          const double px = x + (sx + 0.5) / grid, py = y + (sy + 0.5) / grid;
          const Colour c = geometry->shaded ? Scene(*geometry, px, py, px, py)
                                            : Scene(*geometry, px, py, x + 0.5, y + 0.5);
          red += c.r * c.a;
          green += c.g * c.a;
          blue += c.b * c.a;
          a += c.a;
        }
      if (a <= 0) continue;
      const auto channel = [a](double premultiplied) {
        return static_cast<int>(std::lround(std::clamp(premultiplied / a, 0.0, 1.0) * 255.0));
      };
      image.setPixel(x, y,
                     qRgba(channel(red), channel(green), channel(blue),
                           static_cast<int>(std::lround(a / (grid * grid) * 255.0))));
    }
  return image;
}

}  // namespace artwork
