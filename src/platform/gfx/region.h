// Regions for clipping and window shapes: rectangles, round rectangles and their combinations.
// Held as sorted horizontal spans per row, so clipping a blit row is a span walk.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/rect.h"

namespace gfx {

class Region {
 public:
  enum class Op { And, Or, Xor, Diff, Copy };

  Region() = default;
  static Region fromRect(const Rect& r);
  // As the platform's round-rectangle region: an ellipse of ellipseW x ellipseH in each corner.
  static Region fromRoundRect(const Rect& r, int ellipseW, int ellipseH);

  // this = this OP other.
  void combine(const Region& other, Op op);
  void offset(int dx, int dy);

  bool contains(int x, int y) const;
  bool empty() const { return rows_.empty(); }
  Rect bounds() const;

  struct Span {
    int left, right;  // right exclusive
  };
  // The spans of row y, left to right; empty when the row has none.
  const std::vector<Span>& spans(int y) const;

 private:
  int top_ = 0;                         // row of rows_[0]
  std::vector<std::vector<Span>> rows_;  // trimmed: first and last rows have spans
};

}  // namespace gfx
