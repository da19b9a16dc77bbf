// Regions for clipping and window shapes: rectangles, round rectangles and their combinations.
// Held as sorted horizontal spans per row, so clipping a blit row is a span walk.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/rect.h"

namespace gfx {

class Mask;

class Region {
 public:
  enum class Op { And, Or, Xor, Diff, Copy };

  struct Span {
    int left, right;  // right exclusive
    friend bool operator==(const Span&, const Span&) = default;
  };

  Region() = default;
  // Reversed corners are put in order first, as the platform does.
  static Region fromRect(const Rect& r);
  // As the platform's round-rectangle region: an ellipse of ellipseW x ellipseH pixels in each
  // corner, and, unlike a rectangle region, without the rectangle's last column and last row.
  // Corner ellipses below 2 pixels give the plain (shrunk) rectangle.
  static Region fromRoundRect(const Rect& r, int ellipseW, int ellipseH);
  // rows[i] holds the spans of row top + i, in any order; overlapping spans merge.
  static Region fromSpans(int top, std::vector<std::vector<Span>> rows);
  // The set bits of mask, its top-left corner placed at (x, y).
  static Region fromMask(const Mask& mask, int x = 0, int y = 0);

  // this = this OP other; Copy makes this a copy of other.
  void combine(const Region& other, Op op);
  void offset(int dx, int dy);

  bool contains(int x, int y) const;
  bool empty() const { return rows_.empty(); }
  Rect bounds() const;
  int64_t area() const;  // pixels inside

  // The spans of row y, left to right; empty when the row has none.
  const std::vector<Span>& spans(int y) const;

  friend bool operator==(const Region&, const Region&) = default;

 private:
  void trim();

  int top_ = 0;                          // row of rows_[0]
  std::vector<std::vector<Span>> rows_;  // trimmed: first and last rows have spans
};

}  // namespace gfx
