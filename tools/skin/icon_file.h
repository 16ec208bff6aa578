#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

namespace vesperon::skintool {

// A Windows icon file holding each picture (at most 256 × 256) as a 32-bit
// bitmap with its alpha, and an AND mask for readers that ignore the alpha.
QByteArray IconFile(const std::vector<QImage>& pictures);

}  // namespace vesperon::skintool
