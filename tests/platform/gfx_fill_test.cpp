#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/blit.h"

namespace gfx {
namespace {

// Pictures written as text: '.' white, '#' black, 'r' red.
Surface picture(const std::vector<std::string>& rows) {
  Surface s(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      char c = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
      s.setPixel(x, y, c == '#' ? kBlack : c == 'r' ? kRed : kWhite);
    }
  return s;
}

std::vector<std::string> text(const Surface& s) {
  std::vector<std::string> rows;
  for (int y = 0; y < s.height(); ++y) {
    std::string r;
    for (int x = 0; x < s.width(); ++x) r += s.pixel(x, y) == kBlack ? '#' : s.pixel(x, y) == kRed ? 'r' : '.';
    rows.push_back(r);
  }
  return rows;
}

TEST(FillRect, ClipsToSurfaceAndClip) {
  Surface s(4, 4, kWhite);
  s.setClip(Region::fromRect({1, 0, 4, 4}));
  fillRect(s, {-5, -5, 2, 2}, kBlack | 0xFF000000u);
  EXPECT_EQ(text(s), (std::vector<std::string>{".#..", ".#..", "....", "...."}));
}

TEST(FloodFill, SurfaceModeIsFourConnected) {
  Surface s = picture({
      "..#..",
      "..#..",
      "##.##",
      "..#..",
  });
  EXPECT_TRUE(floodFill(s, 0, 0, kWhite, FloodMode::Surface, kRed));
  EXPECT_EQ(text(s), (std::vector<std::string>{"rr#..", "rr#..", "##.##", "..#.."}));
  EXPECT_FALSE(floodFill(s, 2, 0, kWhite, FloodMode::Surface, kRed));  // start is not white
  EXPECT_FALSE(floodFill(s, 9, 0, kWhite, FloodMode::Surface, kRed));
}

TEST(FloodFill, BorderModeStopsAtTheBorderColour) {
  Surface s = picture({
      "r.#.r",
      ".#.#.",
      "r.#.r",
  });
  // Everything that is not black, from (0, 0): the red and white of the left part.
  EXPECT_TRUE(floodFill(s, 0, 0, kBlack, FloodMode::Border, kBlack));
  EXPECT_EQ(text(s), (std::vector<std::string>{"###.r", "##.#.", "###.r"}));
  EXPECT_FALSE(floodFill(s, 0, 0, kBlack, FloodMode::Border, kRed));  // start on the border
}

TEST(FloodFill, FillColourEqualToTheAreaAndClip) {
  Surface s(6, 3, kWhite);
  EXPECT_TRUE(floodFill(s, 0, 0, kWhite, FloodMode::Surface, kWhite));  // terminates
  s.setClip(Region::fromRect({0, 0, 3, 3}));
  EXPECT_FALSE(floodFill(s, 4, 1, kWhite, FloodMode::Surface, kBlack));
  EXPECT_TRUE(floodFill(s, 1, 1, kWhite, FloodMode::Surface, kBlack));
  EXPECT_EQ(text(s), (std::vector<std::string>{"###...", "###...", "###..."}));
}

TEST(FloodFill, LargeMazeWithoutRecursion) {
  // A serpentine corridor through a 1001 x 1001 surface: one long path, deep for any recursion.
  const int n = 1001;
  Surface s(n, n, kWhite);
  for (int y = 1; y < n; y += 2) {
    fillRect(s, {0, y, n, y + 1}, kBlack);
    s.setPixel((y / 2) % 2 ? 0 : n - 1, y, kWhite);
  }
  EXPECT_TRUE(floodFill(s, 0, 0, kWhite, FloodMode::Surface, kRed));
  EXPECT_EQ(s.pixel(n - 1, n - 1), kRed);
  EXPECT_EQ(s.pixel(0, 1), kBlack);
  EXPECT_EQ(s.pixel(n - 1, 1), kRed);
}

TEST(GradientFill, ChannelsTruncateAndTheFarEdgeStays) {
  struct Case {
    GradientDir dir;
    Color from, to;
    int n;
    std::vector<Color> want;  // along the run, then the untouched far edge
  } cases[] = {
      {GradientDir::Vertical, rgb(0, 0, 0), rgb(255, 255, 255), 3, {0x000000, 0x555555, 0xAAAAAA}},
      {GradientDir::Horizontal,
       rgb(255, 0, 0),
       rgb(0, 0, 0),
       4,
       {rgb(255, 0, 0), rgb(191, 0, 0), rgb(127, 0, 0), rgb(63, 0, 0)}},
      {GradientDir::Vertical,
       rgb(10, 200, 30),
       rgb(250, 0, 131),
       7,
       {rgb(10, 200, 30), rgb(44, 171, 44), rgb(78, 142, 58), rgb(112, 114, 73), rgb(147, 85, 87), rgb(181, 57, 102),
        rgb(215, 28, 116)}},
  };
  const Color kOld = rgb(1, 2, 3);
  for (const auto& c : cases) {
    const bool v = c.dir == GradientDir::Vertical;
    Surface s(v ? 2 : c.n + 1, v ? c.n + 1 : 2, kOld);
    gradientFill(s, v ? Rect{0, 0, 2, c.n} : Rect{0, 0, c.n, 2}, c.from, c.to, c.dir);
    for (int i = 0; i < c.n; ++i) {
      EXPECT_EQ(s.pixel(v ? 1 : i, v ? i : 1), c.want[static_cast<size_t>(i)]) << i;
      EXPECT_EQ(s.pixel(v ? 0 : i, v ? i : 0), c.want[static_cast<size_t>(i)]) << i;
    }
    EXPECT_EQ(s.pixel(v ? 0 : c.n, v ? c.n : 0), kOld);
  }
}

TEST(GradientFill, TwoHundredRowsReversedCornersAndClip) {
  Surface s(3, 201, kRed);
  gradientFill(s, {0, 0, 3, 200}, kBlack, kWhite, GradientDir::Vertical);
  EXPECT_EQ(s.pixel(0, 0), kBlack);
  EXPECT_EQ(s.pixel(0, 100), rgb(127, 127, 127));
  EXPECT_EQ(s.pixel(2, 199), rgb(253, 253, 253));
  EXPECT_EQ(s.pixel(2, 200), kRed);
  // Corners given bottom-up carry their colours with them.
  Surface r(1, 4, kRed);
  gradientFill(r, {0, 4, 1, 0}, kBlack, kWhite, GradientDir::Vertical);
  EXPECT_EQ(r.pixel(0, 0), kWhite);
  EXPECT_EQ(r.pixel(0, 3), rgb(63, 63, 63));
  Surface c(4, 1, kRed);
  c.setClip(Region::fromRect({1, 0, 3, 1}));
  gradientFill(c, {0, 0, 4, 1}, kBlack, kWhite, GradientDir::Horizontal);
  EXPECT_EQ(c.pixel(0, 0), kRed);
  EXPECT_EQ(c.pixel(1, 0), rgb(63, 63, 63));
  EXPECT_EQ(c.pixel(3, 0), kRed);
}

}  // namespace
}  // namespace gfx
