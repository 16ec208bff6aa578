#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <string_view>

namespace artwork {

// Two hand-drawn bitmap fonts, so that text stays sharp at 1:1.
//  Small: capitals 5 pixels high, for the LCD indicators and the engravings;
//         '@' is a power symbol and '*' a stop square.
//  Title: 7 pixels high with the lower case the note window's title needs.
// A character the font lacks is a programming error and stops the generator.
enum class Font { Small, Title };

int TextWidth(Font font, std::string_view text, int spacing = 1);
int TextHeight(Font font);
void DrawText(QImage& image, QPoint topLeft, Font font, std::string_view text, QRgb colour,
              int spacing = 1);

}  // namespace artwork
