#include "app/face_painting.h"

#include <algorithm>
#include <cstdlib>

#include "app/frm_main.h"
#include "common/face_size.h"

namespace vesperon {

namespace {

int Channel(std::uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

Rect Union(const Rect& a, const Rect& b) {
  const int left = std::min(a.left, b.left);
  const int top = std::min(a.top, b.top);
  const int right = std::max(a.left + a.width, b.left + b.width);
  const int bottom = std::max(a.top + a.height, b.top + b.height);
  return {left, top, right - left, bottom - top};
}

}  // namespace

std::uint32_t MessageColourOf(const std::vector<std::uint32_t>& pixels) {
  if (pixels.empty()) return kMessageColour;
  const std::uint32_t glass = pixels.front();
  std::uint32_t ink = glass;
  int farthest = -1;
  for (const std::uint32_t p : pixels) {
    int d = 0;
    for (const int shift : {16, 8, 0}) d += std::abs(Channel(p, shift) - Channel(glass, shift));
    if (d > farthest) farthest = d, ink = p;
  }
  return ink;
}

Rect PictureRect(const Image& image) {
  return {image.rect.left, image.rect.top, image.picture.Width(), image.picture.Height()};
}

std::vector<Rect> FaceRepaint::Changed(const std::vector<const Image*>& faces) {
  std::vector<Rect> changed;
  // A new skin: everything may look different.
  if (model_.Background.Payload() != shownBackground_) {
    shownBackground_ = model_.Background.Payload();
    shown_.clear();
  }
  if (shown_.size() != faces.size()) {
    shown_.assign(faces.size(), Shown{});
    changed.push_back({0, 0, kFaceWidthPx, kFaceHeightPx});
  }
  for (std::size_t i = 0; i < faces.size(); ++i) {
    const Shown now{faces[i]->picture.Payload(), faces[i]->visible};
    if (now.picture == shown_[i].picture && now.visible == shown_[i].visible) continue;
    changed.push_back(Union(faces[i]->rect, PictureRect(*faces[i])));
    shown_[i] = now;
  }
  if (model_.LblInfo.caption != shownCaption_) {
    changed.push_back(model_.LblInfo.rect);
    shownCaption_ = model_.LblInfo.caption;
  }
  return changed;
}

}  // namespace vesperon
