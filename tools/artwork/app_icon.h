#pragma once

#include <QImage>
#include <array>

namespace artwork {

// The sizes the desktop's icon theme asks for, in pixels.
inline constexpr std::array<int, 8> kAppIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The application icon at one of kAppIconSizes: the clock with the power
// badge of the tray icon. Each size has its own geometry, laid on that size's
// pixel grid, and as much detail as it can show; none is a scaled copy.
QImage AppIcon(int size);

}  // namespace artwork
