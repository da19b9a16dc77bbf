// A 32-bit surface in the role of a device context: pixels plus the drawing state that the
// platform kept with a context (font, text and back colour, clip region).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "gfx/color.h"
#include "gfx/rect.h"
#include "gfx/region.h"

namespace gfx {

class Font;  // the text renderer's face at a size (gfx/font.h)

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Color fill = kBlack);

  int width() const { return width_; }
  int height() const { return height_; }
  Rect bounds() const { return {0, 0, width_, height_}; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  // New size; the pixels that fit are kept, new ones get `fill`.
  void resize(int width, int height, Color fill = kBlack);

  // kInvalidColor outside the surface.
  Color pixel(int x, int y) const;
  // Ignored outside the surface or its clip.
  void setPixel(int x, int y, Color c);
  // Paints every pixel the clip allows.
  void fill(Color c);

  // Raw rows for the blitters. Writing through them counts as a change (see generation()).
  const Color* row(int y) const { return data_.data() + static_cast<size_t>(y) * width_; }
  Color* mutableRow(int y) {
    ++generation_;
    return data_.data() + static_cast<size_t>(y) * width_;
  }
  const std::vector<Color>& pixels() const { return data_; }
  std::vector<Color>& mutablePixels() {
    ++generation_;
    return data_;
  }

  // Bumped by every change of the pixels; the window uses it to know what to recompose.
  uint64_t generation() const { return generation_; }
  void touch() { ++generation_; }

  // Device-context state.
  Color textColor = kBlack;
  Color backColor = kWhite;
  bool transparentText = true;  // the text background mode
  std::shared_ptr<const Font> font;

  // The clip region in surface coordinates; none means the whole surface.
  const std::optional<Region>& clip() const { return clip_; }
  void setClip(std::optional<Region> r) { clip_ = std::move(r); }
  // Moves the clip region (OffsetClipRgn); nothing when there is none.
  void offsetClip(int dx, int dy) {
    if (clip_) clip_->offset(dx, dy);
  }
  // True when (x, y) lies on the surface and inside the clip.
  bool writable(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && (!clip_ || clip_->contains(x, y));
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Color> data_;
  uint64_t generation_ = 0;
  std::optional<Region> clip_;
};

// Calls fn(x0, x1) for each run [x0, x1) of row y within [l, r) that dst and its clip allow,
// left to right: the way every drawing operation honours the clip.
template <class Fn>
void forEachWritableRun(const Surface& dst, int y, int l, int r, Fn&& fn) {
  if (l < 0) l = 0;
  if (r > dst.width()) r = dst.width();
  if (y < 0 || y >= dst.height() || l >= r) return;
  if (!dst.clip()) {
    fn(l, r);
    return;
  }
  for (const auto& s : dst.clip()->spans(y)) {
    int a = l > s.left ? l : s.left, b = r < s.right ? r : s.right;
    if (a < b) fn(a, b);
  }
}

}  // namespace gfx
