#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace artwork {

// Writes a file whole, or says on standard error that it cannot; false then.
bool WriteFile(const QString& path, const QByteArray& bytes);
// Saves an image as PNG, with Qt's own encoder (the review pictures).
bool WritePng(const QString& path, const QImage& image);

}  // namespace artwork
