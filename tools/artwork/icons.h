#pragma once

#include <QImage>
#include <QPoint>

namespace artwork {

// 32 x 32, at most 16 colours, alpha 0 where the icon is transparent.
QImage TrayArmedIcon();     // tray1.ico: the clock with a red power badge
QImage TrayDisarmedIcon();  // tray2.ico: the same, all grey
QImage HandCursor();        // hand.cur: a pointing hand

// The pixel of the hand cursor that points: the top of the index finger.
constexpr QPoint kHandHotspot(6, 1);

}  // namespace artwork
