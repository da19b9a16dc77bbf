#include "gfx/mask.h"

#include <algorithm>

#include "gfx/surface.h"

namespace gfx {

Mask::Mask(int width, int height, bool set)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      bits_(static_cast<size_t>(width_) * static_cast<size_t>(height_), set ? 1 : 0) {}

Mask Mask::fromColorKey(const Surface& src, const Rect& area, Color key) {
  Mask m(area.width(), area.height());
  Rect inside = area.intersect(src.bounds());
  for (int y = inside.top; y < inside.bottom; ++y) {
    const Color* s = src.row(y);
    uint8_t* out = m.mutableRow(y - area.top);
    for (int x = inside.left; x < inside.right; ++x) out[x - area.left] = s[x] == key;
  }
  return m;
}

void Mask::fill(bool on) { std::fill(bits_.begin(), bits_.end(), on ? 1 : 0); }

void Mask::invert() {
  for (auto& b : bits_) b ^= 1;
}

int Mask::count() const { return static_cast<int>(std::count(bits_.begin(), bits_.end(), 1)); }

}  // namespace gfx
