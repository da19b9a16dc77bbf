#pragma once

#include <algorithm>

namespace gfx {

// Right and bottom are exclusive, as in the platform's RECT.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;

  static constexpr Rect xywh(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  constexpr bool empty() const { return right <= left || bottom <= top; }
  constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  constexpr Rect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr Rect intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    if (r.empty()) return {};
    return r;
  }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace gfx
