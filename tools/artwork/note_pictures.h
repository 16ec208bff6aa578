#pragma once

#include <QImage>
#include <QRgb>

namespace artwork {

// The note window is 191 x 145: a metal title bar and a three-pixel frame
// round a light paper area that the window paints itself in kNotePaper.
constexpr QRgb kNotePaper = 0xFFEEF2F4;

QImage NoteTitle();        // 191 x 21, at (0, 0)
QImage NoteCloseNormal();  // 13 x 13, at (173, 5) over the title
QImage NoteCloseOver();
QImage NoteClosePushed();
QImage NoteLeftBorder();    // 3 x 124, at (0, 21)
QImage NoteRightBorder();   // 3 x 124, at (188, 21)
QImage NoteBottomBorder();  // 186 x 3, at (3, 142)

// The whole window without its texts, as the pictures above compose it.
QImage NoteWindowFrame();

}  // namespace artwork
