#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/controls.h"

namespace vesperon {

class FrmMain;

// What every view of the clock face paints alike.

// The message line's colour with the built-in pictures, the same cyan as
// the digits, as 0xRRGGBB.
inline constexpr std::uint32_t kMessageColour = 0x8FF0FF;

// The message line takes the colour of the skin's digits, so it reads on
// whatever glass the skin has: the colon face's ink, the colour farthest
// from its corner pixel (the glass). `pixels`: the colon face as 0xRRGGBB,
// row by row from the top; kMessageColour when there are none.
std::uint32_t MessageColourOf(const std::vector<std::uint32_t>& pixels);

// Where a picture is drawn: at its own size from its slot's corner.
Rect PictureRect(const Image& image);

// Which parts of the face to repaint after an event: a view asks after
// each one and repaints only what changed since it last asked.
class FaceRepaint {
 public:
  explicit FaceRepaint(const FrmMain& model) : model_(model) {}

  // In pixels of the face. The whole face the first time, and after a new
  // skin; else each face whose picture or visibility changed (its slot and
  // its picture), and the message line when its text did.
  std::vector<Rect> Changed(const std::vector<const Image*>& faces);

 private:
  struct Shown {
    const void* picture = nullptr;
    bool visible = false;
  };

  const FrmMain& model_;
  std::vector<Shown> shown_;
  const void* shownBackground_ = nullptr;
  std::string shownCaption_;
};

}  // namespace vesperon
