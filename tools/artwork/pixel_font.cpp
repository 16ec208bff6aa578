#include "pixel_font.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "canvas.h"

namespace artwork {

namespace {

using Glyph = std::vector<std::string>;  // rows of '#' (ink) and '.'
using GlyphSet = std::map<char, Glyph>;

const GlyphSet& SmallGlyphs() {
  static const GlyphSet glyphs = {
      {' ', {"..", "..", "..", "..", ".."}},
      {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
      {'C', {".##", "#..", "#..", "#..", ".##"}},
      {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
      {'E', {"###", "#..", "##.", "#..", "###"}},
      {'F', {"###", "#..", "##.", "#..", "#.."}},
      {'G', {".##", "#..", "#.#", "#.#", ".##"}},
      {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
      {'I', {"###", ".#.", ".#.", ".#.", "###"}},
      {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
      {'L', {"#..", "#..", "#..", "#..", "###"}},
      {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
      {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#"}},
      {'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
      {'P', {"##.", "#.#", "##.", "#..", "#.."}},
      {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
      {'S', {".##", "#..", ".#.", "..#", "##."}},
      {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
      {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
      {'V', {"#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
      {'@', {"..#..", "#.#.#", "#...#", "#...#", ".###."}},
      {'*', {"...", "###", "###", "###", "..."}},
  };
  return glyphs;
}

const GlyphSet& TitleGlyphs() {
  static const GlyphSet glyphs = {
      {' ', {"...", "...", "...", "...", "...", "...", "..."}},
      {'A', {"..#..", ".#.#.", "#...#", "#...#", "#####", "#...#", "#...#"}},
      {'N', {"#...#", "##..#", "##..#", "#.#.#", "#..##", "#..##", "#...#"}},
      {'a', {"....", "....", ".##.", "...#", ".###", "#..#", ".###"}},
      {'d', {"...#", "...#", ".###", "#..#", "#..#", "#..#", ".###"}},
      {'e', {"....", "....", ".##.", "#..#", "####", "#...", ".###"}},
      {'i', {"#", ".", "#", "#", "#", "#", "#"}},
      {'o', {"....", "....", ".##.", "#..#", "#..#", "#..#", ".##."}},
      {'s', {"....", "....", ".###", "#...", ".##.", "...#", "###."}},
      {'t', {".#.", ".#.", "###", ".#.", ".#.", ".#.", "..#"}},
      {'v', {".....", ".....", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
  };
  return glyphs;
}

const GlyphSet& Glyphs(Font font) { return font == Font::Small ? SmallGlyphs() : TitleGlyphs(); }

const Glyph& GlyphOf(Font font, char c) {
  const GlyphSet& glyphs = Glyphs(font);
  const auto found = glyphs.find(c);
  if (found == glyphs.end()) {
    std::fprintf(stderr, "artwork: no glyph for '%c'\n", c);
    std::abort();
  }
  return found->second;
}

}  // namespace

int TextHeight(Font font) { return font == Font::Small ? 5 : 7; }

int TextWidth(Font font, std::string_view text, int spacing) {
  int width = 0;
  for (char c : text) width += static_cast<int>(GlyphOf(font, c).front().size()) + spacing;
  return text.empty() ? 0 : width - spacing;
}

void DrawText(QImage& image, QPoint topLeft, Font font, std::string_view text, QRgb colour,
              int spacing) {
  int x = topLeft.x();
  for (char c : text) {
    const Glyph& glyph = GlyphOf(font, c);
    for (int row = 0; row < static_cast<int>(glyph.size()); ++row)
      for (int col = 0; col < static_cast<int>(glyph[row].size()); ++col)
        if (glyph[row][col] == '#') Put(image, x + col, topLeft.y() + row, colour);
    x += static_cast<int>(glyph.front().size()) + spacing;
  }
}

}  // namespace artwork
