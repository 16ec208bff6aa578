#pragma once

#include <QByteArray>
#include <QString>

namespace vesperon {

// What is wrong with a Windows bitmap that Qt's reader would still draw
// (it fills in what is missing and clamps what is out of range): data that
// ends before the picture does, a palette index past the palette, a
// run-length stream that runs outside the picture or stops short. Empty
// when nothing is. Reads only the header and the picture data; allocates
// nothing.
QString BitmapProblem(const QByteArray& bytes);

}  // namespace vesperon
