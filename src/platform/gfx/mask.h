// One-bit masks, as the platform's monochrome bitmaps are used by the transparent blits:
// a bit per pixel, set or clear. Held a byte per pixel, which keeps the blit loops simple.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/color.h"
#include "gfx/rect.h"

namespace gfx {

class Surface;

class Mask {
 public:
  Mask() = default;
  Mask(int width, int height, bool set = false);

  // The mask of `area` of src: set where the pixel equals `key`. Points of the area outside
  // src are clear.
  static Mask fromColorKey(const Surface& src, const Rect& area, Color key);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  // Clear outside the mask.
  bool test(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && bits_[static_cast<size_t>(y) * width_ + x];
  }
  void set(int x, int y, bool on = true) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) bits_[static_cast<size_t>(y) * width_ + x] = on;
  }
  void fill(bool on);
  void invert();
  int count() const;  // set bits

  const uint8_t* row(int y) const { return bits_.data() + static_cast<size_t>(y) * width_; }
  uint8_t* mutableRow(int y) { return bits_.data() + static_cast<size_t>(y) * width_; }

  friend bool operator==(const Mask&, const Mask&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> bits_;  // 0 or 1
};

}  // namespace gfx
