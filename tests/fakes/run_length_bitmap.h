#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vesperon {

// The colour of palette entry `index` in the bitmaps below, as 0xRRGGBB.
std::uint32_t RunLengthPaletteColour(int index);

// A run-length bitmap of `bits` (4 or 8) bits a pixel, width × height, whose
// rows (top row first) hold the palette indexes in `rows`. Rows may be longer
// than the width, as some writers make them, and there may be more of them
// than the height: all is stored. Each row mixes runs and pixels stored as
// they are, so that both are cut when a row is.
std::string RunLengthBitmap(int bits, int width, int height,
                            const std::vector<std::vector<int>>& rows);

}  // namespace vesperon
