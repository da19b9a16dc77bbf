// The load-bearing pixels of the character, marker and mini-game pictures as generated into the
// game folder: key colours, cell layout, fade-out masks and the aim coverage of every portrait.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gfx/color.h"
#include "gfx/image.h"

namespace {

gfx::Surface picture(const std::string& file) {
  gfx::Surface s;
  EXPECT_TRUE(gfx::loadImage(std::string(VORAK_GAME_DIR) + "/Vorak-Pic/" + file, s)) << file;
  return s;
}

constexpr int kCell = 32;
constexpr gfx::Color kKey = gfx::kMagenta;

// Key pixels of the cell at (cx, cy) that a flood from the cell's border over key pixels cannot
// reach: the fade-out's mask would draw them as visible magenta.
int enclosedKeyPixels(const gfx::Surface& s, int cx, int cy) {
  std::vector<char> seen(kCell * kCell, 0);
  std::vector<std::pair<int, int>> todo;
  auto key = [&](int x, int y) { return s.pixel(cx + x, cy + y) == kKey; };
  for (int i = 0; i < kCell; ++i)
    for (auto [x, y] : {std::pair{i, 0}, {i, kCell - 1}, {0, i}, {kCell - 1, i}}) todo.push_back({x, y});
  while (!todo.empty()) {
    auto [x, y] = todo.back();
    todo.pop_back();
    if (x < 0 || y < 0 || x >= kCell || y >= kCell || seen[y * kCell + x] || !key(x, y)) continue;
    seen[y * kCell + x] = 1;
    todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
  }
  int holes = 0;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) holes += key(x, y) && !seen[y * kCell + x];
  return holes;
}

int opaqueIn(const gfx::Surface& s, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) n += s.pixel(x, y) != kKey;
  return n;
}

TEST(CharacterSheet, HasTheGridOfFramesWithAKeyedCornerInEveryCell) {
  gfx::Surface s = picture("PicChara.png");
  ASSERT_EQ(s.width(), 21 * kCell);
  ASSERT_EQ(s.height(), 29 * kCell);
  for (int row = 0; row < 29; ++row)
    for (int col = 0; col < 21; ++col)
      EXPECT_EQ(s.pixel(col * kCell, row * kCell), kKey) << "cell " << col << "," << row;
}

TEST(CharacterSheet, MonsterRowsHoldOnlyTheirPortrait) {
  gfx::Surface s = picture("PicChara.png");
  for (int row = 4; row < 29; ++row) {
    EXPECT_EQ(opaqueIn(s, kCell, row * kCell, s.width() - 1, row * kCell + kCell - 1), 0) << "row " << row;
    EXPECT_GT(opaqueIn(s, 0, row * kCell, kCell - 1, row * kCell + kCell - 1), 200) << "row " << row;
  }
}

// Column 0 of every row is the battle portrait: it fades out through a mask flooded from the
// corners, and an attack scores by how much of it the aim square covers.
TEST(CharacterSheet, PortraitsFadeWholeAndAreSolidWhereTheAimFalls) {
  gfx::Surface s = picture("PicChara.png");
  for (int row = 0; row < 29; ++row) {
    int y = row * kCell;
    EXPECT_EQ(enclosedKeyPixels(s, 0, y), 0) << "row " << row;
    // The middle of the cell, where the best aims land, must be nearly all figure...
    EXPECT_GE(opaqueIn(s, 8, y + 8, 24, y + 24), 17 * 17 * 3 / 4) << "row " << row;
    // ...and its heart, the square the perfect aim counts, entirely.
    EXPECT_EQ(opaqueIn(s, 14, y + 14, 21, y + 21), 64) << "row " << row;
  }
}

TEST(CharacterSheet, PlayersStandOnTheFloorRowsInEveryPose) {
  gfx::Surface s = picture("PicChara.png");
  for (int seat = 0; seat < 4; ++seat)
    for (int pose = 0; pose < 21; ++pose) {
      int x = pose * kCell, y = seat * kCell, lowest = -1;
      for (int r = 0; r < kCell; ++r)
        if (opaqueIn(s, x, y + r, x + kCell - 1, y + r) > 0) lowest = r;
      EXPECT_TRUE(lowest == 29 || lowest == 30) << "seat " << seat << " pose " << pose << " lowest " << lowest;
      // The mini view shows columns 3-24 and rows 1-22: the figure must be there.
      EXPECT_GT(opaqueIn(s, x + 3, y + 1, x + 24, y + 22), 150) << "seat " << seat << " pose " << pose;
    }
}

TEST(CharacterSheet, SeatsWearDifferentColours) {
  gfx::Surface s = picture("PicChara.png");
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) {
      int differing = 0;
      for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) differing += s.pixel(x, a * kCell + y) != s.pixel(x, b * kCell + y);
      EXPECT_GT(differing, 100) << "seats " << a << " and " << b;
    }
}

// 火の玉 is a will-o'-wisp: a pale, cool flame, not a hot orange one.
TEST(CharacterSheet, TheWillOWispIsPale) {
  gfx::Surface s = picture("PicChara.png");
  double n = 0, r = 0, b = 0, light = 0;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      gfx::Color c = s.pixel(x, (4 + 7) * kCell + y);
      if (c == kKey) continue;
      n += 1;
      r += gfx::red(c);
      b += gfx::blue(c);
      light += (gfx::red(c) + gfx::green(c) + gfx::blue(c)) / 3 > 170;
    }
  ASSERT_GT(n, 0);
  EXPECT_GT(b, r * 1.1) << "bluer than red";
  EXPECT_GT(light / n, 0.5) << "mostly light";
}

// Each seat plays its own hero, told apart by shape and not only by colour.
TEST(CharacterSheet, EverySeatHasItsOwnSilhouette) {
  gfx::Surface s = picture("PicChara.png");
  for (int pose : {0, 3, 9})
    for (int a = 0; a < 4; ++a)
      for (int b = a + 1; b < 4; ++b) {
        int differing = 0;
        for (int y = 0; y < kCell; ++y)
          for (int x = 0; x < kCell; ++x)
            differing += (s.pixel(pose * kCell + x, a * kCell + y) == kKey) !=
                         (s.pixel(pose * kCell + x, b * kCell + y) == kKey);
        EXPECT_GT(differing, 40) << "pose " << pose << ", seats " << a << " and " << b;
      }
}

// How far a frame's figure leans, in degrees from upright: the direction from the soles of its
// boots to its face (the centres of the two colours every hero shares), negative when the head
// lies left of the feet.
double leanOf(const gfx::Surface& s, int col, int row) {
  const gfx::Color skin = gfx::rgb(0xFF, 0xD8, 0xAE), sole = gfx::rgb(0x5C, 0x34, 0x20);
  double fx = 0, fy = 0, fn = 0, sx = 0, sy = 0, sn = 0;
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) {
      gfx::Color c = s.pixel(col * kCell + x, row * kCell + y);
      if (c == skin) fx += x, fy += y, fn += 1;
      if (c == sole) sx += x, sy += y, sn += 1;
    }
  if (fn == 0 || sn == 0) return NAN;
  return std::atan2(fx / fn - sx / sn, sy / sn - fy / fn) * 180 / M_PI;
}

TEST(CharacterSheet, ToppledFramesFallToTheirSides) {
  gfx::Surface s = picture("PicChara.png");
  for (int seat = 0; seat < 4; ++seat) {
    EXPECT_NEAR(leanOf(s, 0, seat), 0, 5) << "seat " << seat << " standing";
    EXPECT_LT(leanOf(s, 12, seat), -30) << "seat " << seat << " toppling left";
    EXPECT_GT(leanOf(s, 19, seat), 30) << "seat " << seat << " toppling right";
  }
}

}  // namespace

namespace {

TEST(Pictures, HaveTheirExactSizes) {
  struct Size {
    const char* file;
    int w, h;
  };
  for (Size z : {Size{"PicWaku.png", 128, 64},
                 {"PicPunch.png", 160, 32},
                 {"PicTarget.png", 80, 80},
                 {"PicMato.png", 200, 100},
                 {"PicSlot.png", 60, 304},
                 {"PicCasino0.png", 200, 200},
                 {"PicCasino1.png", 200, 200},
                 {"PicCasino3.png", 200, 200},
                 {"PicTitle.png", 201, 122}}) {
    gfx::Surface s = picture(z.file);
    EXPECT_EQ(s.width(), z.w) << z.file;
    EXPECT_EQ(s.height(), z.h) << z.file;
  }
}

TEST(Pictures, KeyedSheetsHaveMagentaCorners) {
  for (const char* f : {"PicWaku.png", "PicTitle.png", "PicPunch.png", "PicMato.png"})
    EXPECT_EQ(picture(f).pixel(0, 0), kKey) << f;
}

// Keyed copies compare colours exactly: a pixel blended with the key (soft lettering or edges
// drawn over magenta) would show as a pink fringe.
TEST(Pictures, KeyedSheetsHaveNoFringeOfTheKey) {
  for (const char* f : {"PicChara.png", "PicWaku.png", "PicTitle.png", "PicPunch.png", "PicMato.png"}) {
    gfx::Surface s = picture(f);
    int fringe = 0;
    for (gfx::Color c : s.pixels())
      fringe += c != kKey && gfx::red(c) > 150 && gfx::blue(c) > 150 && gfx::green(c) < gfx::red(c) / 2 &&
                gfx::green(c) < gfx::blue(c) / 2;
    EXPECT_EQ(fringe, 0) << f;
  }
}

// Cell k is attacker k's sight and punch: the four seats and the opponent, each its own.
TEST(Pictures, EveryAttackerHasItsOwnPunch) {
  gfx::Surface s = picture("PicPunch.png");
  for (int a = 0; a < 5; ++a) {
    EXPECT_EQ(s.pixel(a * kCell, 0), kKey) << a;
    EXPECT_GT(opaqueIn(s, a * kCell + 10, 10, a * kCell + 21, 21), 40) << "no mark in the middle of cell " << a;
    for (int b = a + 1; b < 5; ++b) {
      int differing = 0;
      for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) differing += s.pixel(a * kCell + x, y) != s.pixel(b * kCell + x, y);
      EXPECT_GT(differing, 100) << "cells " << a << " and " << b;
    }
  }
}

// Markers lie under the 32 x 32 figure, so they must show beyond its silhouette (columns 6-25).
TEST(Pictures, MarkersReachPastTheFigure) {
  gfx::Surface s = picture("PicWaku.png");
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 4; ++col) {
      int x = col * kCell, y = row * kCell;
      EXPECT_GT(opaqueIn(s, x, y, x + 5, y + kCell - 1), 5) << col << "," << row;
      EXPECT_GT(opaqueIn(s, x + 26, y, x + kCell - 1, y + kCell - 1), 5) << col << "," << row;
    }
  // At rest dark, handled bright: the same seat's two markers differ.
  EXPECT_NE(s.pixel(16, 3), s.pixel(16, 35));
}

TEST(Pictures, TargetIsPureBlackOnPureWhiteCentredOnItsMiddle) {
  gfx::Surface s = picture("PicTarget.png");
  for (gfx::Color c : s.pixels()) ASSERT_TRUE(c == gfx::kBlack || c == gfx::kWhite) << std::hex << c;
  EXPECT_EQ(s.pixel(40, 40), gfx::kBlack);
  for (int d = 1; d < 40; ++d) {
    EXPECT_EQ(s.pixel(40 - d, 40 + 5), s.pixel(40 + d, 40 + 5)) << d;
    EXPECT_EQ(s.pixel(40 + 5, 40 - d), s.pixel(40 + 5, 40 + d)) << d;
  }
}

// The reel is drawn over its own last frame with magenta keyed, so it must hold no magenta, and
// its last cell must repeat its first for the wrap.
TEST(Pictures, ReelStripIsOpaqueAndWraps) {
  gfx::Surface s = picture("PicSlot.png");
  for (gfx::Color c : s.pixels()) ASSERT_NE(c, kKey);
  for (int y = 0; y < 38; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(s.pixel(x, 266 + y), s.pixel(x, y)) << x << "," << y;
  for (int k = 0; k + 1 < 7; ++k) {
    int differing = 0;
    for (int y = 0; y < 38; ++y)
      for (int x = 0; x < 60; ++x) differing += s.pixel(x, 38 * k + y) != s.pixel(x, 38 * (k + 1) + y);
    EXPECT_GT(differing, 50) << "symbols " << k << " and " << k + 1;
  }
}

// An arrow counts as a hit between x 8 and 40 of a slice when its tip is near slice y 61, so
// the board must be there to be seen being hit.
TEST(Pictures, GalleryBoardsCoverTheirHitZone) {
  gfx::Surface s = picture("PicMato.png");
  for (int k = 0; k < 4; ++k) EXPECT_EQ(opaqueIn(s, 50 * k + 8, 20, 50 * k + 40, 70), 33 * 51) << "target " << k;
}

int brightness(gfx::Color c) { return (gfx::red(c) + gfx::green(c) + gfx::blue(c)) / 3; }

// White lettering with a dark shadow is drawn onto these areas, so they must be dark.
TEST(Pictures, TextAreasOfTheMiniGamesAreDark) {
  struct Area {
    const char* file;
    int x, y, w, h;
  };
  for (Area a : {Area{"PicCasino0.png", 130, 160, 70, 40},
                 {"PicCasino3.png", 10, 10, 180, 40},
                 {"PicCasino3.png", 10, 60, 180, 40},
                 {"PicCasino3.png", 10, 120, 180, 40}}) {
    gfx::Surface s = picture(a.file);
    for (int y = a.y; y < a.y + a.h; ++y)
      for (int x = a.x; x < a.x + a.w; ++x) ASSERT_LT(brightness(s.pixel(x, y)), 90) << a.file << " " << x << "," << y;
  }
}

}  // namespace
