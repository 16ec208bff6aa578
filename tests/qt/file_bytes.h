#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vesperon {

// The bytes of a file; none when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace vesperon
