#pragma once

namespace vesperon {

// The clock face, and every skin's background, in pixels.
inline constexpr int kFaceWidthPx = 171;
inline constexpr int kFaceHeightPx = 128;

}  // namespace vesperon
