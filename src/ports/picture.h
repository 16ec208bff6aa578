#pragma once

#include <memory>

namespace vesperon {

// An immutable loaded image. Copies share one object, so "which face is
// showing" is answered by comparing handles, never pixels. The payload
// belongs to whichever adapter loaded the picture; the core never looks in.
class Picture {
 public:
  Picture() = default;

  static Picture Make(int widthPx, int heightPx, std::shared_ptr<const void> payload) {
    Picture p;
    p.data_ = std::make_shared<const Data>(Data{widthPx, heightPx, std::move(payload)});
    return p;
  }

  bool IsEmpty() const { return data_ == nullptr; }
  int Width() const { return data_ ? data_->width : 0; }
  int Height() const { return data_ ? data_->height : 0; }
  const void* Payload() const { return data_ ? data_->payload.get() : nullptr; }

  // Identity: two handles are equal when they refer to the very same picture.
  friend bool operator==(const Picture& a, const Picture& b) { return a.data_ == b.data_; }

 private:
  struct Data {
    int width;
    int height;
    std::shared_ptr<const void> payload;
  };
  std::shared_ptr<const Data> data_;
};

}  // namespace vesperon
