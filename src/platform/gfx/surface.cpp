#include "gfx/surface.h"

#include <algorithm>

#include "gfx/blit.h"

namespace gfx {

Surface::Surface(int width, int height, Color fill)
    : width_(std::max(0, width)), height_(std::max(0, height)), data_(static_cast<size_t>(width_) * height_, fill) {}

void Surface::resize(int width, int height, Color fill) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == width_ && height == height_) return;
  std::vector<Color> next(static_cast<size_t>(width) * height, fill);
  int w = std::min(width, width_), h = std::min(height, height_);
  for (int y = 0; y < h; ++y)
    std::copy_n(data_.begin() + static_cast<long>(y) * width_, w, next.begin() + static_cast<long>(y) * width);
  data_ = std::move(next);
  width_ = width;
  height_ = height;
  ++generation_;
}

Color Surface::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColor;
  return data_[static_cast<size_t>(y) * width_ + x];
}

void Surface::setPixel(int x, int y, Color c) {
  if (!writable(x, y)) return;
  data_[static_cast<size_t>(y) * width_ + x] = c & 0xFFFFFF;
  ++generation_;
}

void Surface::fill(Color c) { fillRect(*this, bounds(), c); }

}  // namespace gfx
