#include <gtest/gtest.h>

#include "gfx/mask.h"
#include "gfx/region.h"

namespace gfx {
namespace {

using Rows = std::vector<std::pair<int, int>>;  // the one span of each row, top to bottom

Rows singleSpans(const Region& r) {
  Rows out;
  Rect b = r.bounds();
  for (int y = b.top; y < b.bottom; ++y) {
    const auto& s = r.spans(y);
    EXPECT_EQ(s.size(), 1u) << y;
    if (!s.empty()) out.push_back({s[0].left, s[0].right});
  }
  return out;
}

TEST(RegionTest, RectanglesAndReversedCorners) {
  Region r = Region::fromRect({10, 5, 2, 1});
  EXPECT_EQ(r.bounds(), (Rect{2, 1, 10, 5}));
  EXPECT_EQ(r.area(), 32);
  EXPECT_TRUE(r.contains(2, 1));
  EXPECT_FALSE(r.contains(10, 1));
  EXPECT_FALSE(r.contains(2, 5));
  EXPECT_TRUE(Region::fromRect({3, 3, 3, 9}).empty());
}

TEST(RegionTest, Combine) {
  const Region a = Region::fromRect({0, 0, 10, 10}), b = Region::fromRect({5, 5, 15, 15});
  struct Case {
    Region::Op op;
    int64_t area;
    bool at0, at7, at12;  // (0,0), (7,7), (12,12)
  } cases[] = {{Region::Op::And, 25, false, true, false},
               {Region::Op::Or, 175, true, true, true},
               {Region::Op::Xor, 150, true, false, true},
               {Region::Op::Diff, 75, true, false, false},
               {Region::Op::Copy, 100, false, true, true}};
  for (const auto& c : cases) {
    Region r = a;
    r.combine(b, c.op);
    EXPECT_EQ(r.area(), c.area) << static_cast<int>(c.op);
    EXPECT_EQ(r.contains(0, 0), c.at0);
    EXPECT_EQ(r.contains(7, 7), c.at7);
    EXPECT_EQ(r.contains(12, 12), c.at12);
  }
  Region r = a;
  r.combine(Region::fromRect({20, 20, 30, 30}), Region::Op::And);
  EXPECT_TRUE(r.empty());
  EXPECT_EQ(r, Region());
  r.combine(a, Region::Op::Or);  // from empty
  EXPECT_EQ(r, a);
  // Xor leaves a ring with two spans in its middle rows.
  Region ring = Region::fromRect({0, 0, 6, 6});
  ring.combine(Region::fromRect({2, 2, 4, 4}), Region::Op::Xor);
  ASSERT_EQ(ring.spans(3).size(), 2u);
  EXPECT_EQ(ring.spans(3)[1], (Region::Span{4, 6}));
}

TEST(RegionTest, OffsetThenCombine) {
  Region a = Region::fromRect({0, 0, 4, 4});
  Region b = a;
  b.offset(2, -2);
  EXPECT_EQ(b.bounds(), (Rect{2, -2, 6, 2}));
  a.combine(b, Region::Op::Or);
  EXPECT_EQ(a.area(), 16 + 16 - 4);
  EXPECT_EQ(a.bounds(), (Rect{0, -2, 6, 4}));
  EXPECT_EQ(a.spans(0).size(), 1u);  // touching spans merge
  EXPECT_EQ(a.spans(0)[0], (Region::Span{0, 6}));
}

TEST(RegionTest, RoundRectLeavesLastRowAndColumnAndCutsCorners) {
  struct Case {
    Rect r;
    int ew, eh;
    Rows rows;
  } cases[] = {
      {{0, 0, 5, 3}, 0, 0, {{0, 4}, {0, 4}}},
      {{0, 0, 5, 3}, 1, 9, {{0, 4}, {0, 4}}},  // below 2: a rectangle
      {{0, 0, 6, 5}, 2, 2, {{0, 5}, {0, 5}, {0, 5}, {0, 5}}},
      {{0, 0, 10, 10}, 4, 4, {{1, 8}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {1, 8}}},
      {{0, 0, 10, 10}, 6, 6, {{2, 7}, {1, 8}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {0, 9}, {1, 8}, {2, 7}}},
      {{3, 1, 10, 8}, 6, -6, {{5, 7}, {4, 8}, {3, 9}, {3, 9}, {4, 8}, {5, 7}}},  // a 6 x 6 circle
  };
  for (const auto& c : cases) {
    Region g = Region::fromRoundRect(c.r, c.ew, c.eh);
    EXPECT_EQ(g.bounds().top, c.r.top);
    EXPECT_EQ(singleSpans(g), c.rows) << c.ew << "x" << c.eh;
  }
  EXPECT_TRUE(Region::fromRoundRect({0, 0, 1, 5}, 4, 4).empty());
}

TEST(RegionTest, RoundRectCornersAreSymmetricAndConvex) {
  for (int e : {3, 5, 8, 13, 20, 40}) {
    Region g = Region::fromRoundRect({0, 0, 41, 31}, e, e);
    Rows rows = singleSpans(g);
    ASSERT_EQ(rows.size(), 30u);
    for (size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].first, 40 - rows[i].second) << e;  // left-right
      EXPECT_EQ(rows[i], rows[rows.size() - 1 - i]) << e;  // top-bottom
      if (i > 0 && i < rows.size() / 2) EXPECT_LE(rows[i].first, rows[i - 1].first) << e;
    }
    EXPECT_EQ(rows[15], (std::pair{0, 40}));
  }
}

TEST(RegionTest, FromSpansAndMask) {
  Region g = Region::fromSpans(4, {{{5, 7}, {0, 2}, {1, 3}}, {}, {{2, 2}}});
  EXPECT_EQ(g.bounds(), (Rect{0, 4, 7, 5}));
  ASSERT_EQ(g.spans(4).size(), 2u);
  EXPECT_EQ(g.spans(4)[0], (Region::Span{0, 3}));
  Mask m(4, 2);
  m.set(1, 0);
  m.set(2, 0);
  m.set(3, 1);
  Region fromMask = Region::fromMask(m, 10, 20);
  EXPECT_EQ(fromMask.area(), 3);
  EXPECT_TRUE(fromMask.contains(11, 20));
  EXPECT_TRUE(fromMask.contains(13, 21));
  EXPECT_FALSE(fromMask.contains(10, 20));
}

}  // namespace
}  // namespace gfx
