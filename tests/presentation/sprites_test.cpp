// The pieces over the board: wrapping, cells following the pixels, the stacking order and the
// mini views.
#include "presentation/sprites.h"

#include <gtest/gtest.h>

#include "engine/chara_setup.h"
#include "gfx/blit.h"
#include "presentation/board_draw.h"
#include "presentation/game_windows.h"
#include "presentation/panels_fixture.h"
#include "system/media.h"

namespace {

class SpritesTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    for (auto& column : Game().Board)
      for (auto& cell : column) SetMapCell(cell, "00");
    DrawMap();
    Init05CharaSetup();
  }
  PlayerRecord& player(int i) { return Game().Players[static_cast<size_t>(i)]; }
  const gfx::Surface& board() { return frmMain().PicMap.surface(); }
  const gfx::Surface& clean() { return frmMain().PicMapUra.surface(); }
  // Pixel (x, y) of player i's frame in pattern ptn; kInvalidColor where it is see-through.
  gfx::Color frame(int i, int ptn, int x, int y) {
    const gfx::Surface& sheet = frmPic().PicChara.surface();
    const gfx::Color c = sheet.pixel(32 * ptn + x, 32 * i + y);
    return c == sheet.pixel(0, 0) ? gfx::kInvalidColor : c;
  }
  // The same for the marker of player i in row `active`.
  gfx::Color marker(int i, int active, int x, int y) {
    const gfx::Surface& sheet = frmPic().PicWaku.surface();
    const gfx::Color c = sheet.pixel(32 * i + x, 32 * active + y);
    return c == sheet.pixel(0, 0) ? gfx::kInvalidColor : c;
  }
};

TEST_F(SpritesTest, PiecesWrapAroundTheBoardSideways) {
  struct Case {
    int32_t from, add, to, column;
  };
  const Case cases[] = {{760, 8, 768, 24}, {768, 8, 8, 0}, {0, -8, 760, 23}, {736, 0, 736, 23}};
  for (const Case& c : cases) {
    player(1).xPos = c.from;
    WriteChara(1, 3, c.add, 0);
    EXPECT_EQ(player(1).xPos, c.to) << c.from << " + " << c.add;
    EXPECT_EQ(player(1).xPosMap, c.column) << c.from << " + " << c.add;
    EXPECT_EQ(player(1).sPtn, 3);
  }
}

TEST_F(SpritesTest, APieceAboveTheBoardIsMovedButNotDrawn) {
  PlayerRecord& p = player(0);
  p.xPos = 64;
  p.yPos = -1;
  WriteChara(0, 9);
  EXPECT_EQ(p.yPosMap, 0);  // -1 \ 32 truncates toward zero
  EXPECT_EQ(board().pixels(), clean().pixels());
  // Its mini view shows the title logo instead of the board.
  WriteWindowMini(0);
  const gfx::Surface& logo = frmPic().PicTitle.surface();
  const gfx::Surface& mini = frmMain().PicMiniMap[0].surface();
  const std::vector<int> xs = gfx::stretchSamples(25, logo.width()), ys = gfx::stretchSamples(25, logo.height());
  EXPECT_EQ(mini.pixel(12, 12), logo.pixel(xs[12], ys[12]));
}

TEST_F(SpritesTest, EmptySeatsAreNeverDrawnOrMoved) {
  player(2).sUser = 0;
  player(2).xPos = 100;
  WriteChara(2, 0, 8, 0);
  WriteCharaSet(2, 0, 8, 0);
  EXPECT_EQ(player(2).xPos, 100);
  for (int i : {0, 1, 3}) player(i).sUser = 0;
  WriteCharaSet(2, 0);
  EXPECT_EQ(board().pixels(), clean().pixels());
}

TEST_F(SpritesTest, TheHandledPieceIsDrawnOnTopOfTheOthersInTheirOrder) {
  // All four on one cell: where frames overlap, the one drawn last shows; each piece's marker
  // lies under its own frame.
  for (int i = 0; i < 4; ++i) {
    player(i).xPos = 5 * 32;
    player(i).yPos = 8 * 32;
    player(i).sPtn = 0;
  }
  WriteCharaSet(2, 6);
  int onTop = 0, frontOfRest = 0, bright = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const gfx::Color shown = board().pixel(160 + x, 256 + 2 + y);
      if (frame(2, 6, x, y) != gfx::kInvalidColor) {
        ASSERT_EQ(shown, frame(2, 6, x, y)) << x << "," << y;
        ++onTop;
      } else if (marker(2, 1, x, y) != gfx::kInvalidColor) {
        ASSERT_EQ(shown, marker(2, 1, x, y)) << x << "," << y;
        ++bright;
      } else if (frame(0, 0, x, y) != gfx::kInvalidColor) {
        ASSERT_EQ(shown, frame(0, 0, x, y)) << x << "," << y;  // player 0 is in front of 1 and 3
        ++frontOfRest;
      }
    }
  EXPECT_GT(onTop, 100);
  EXPECT_GT(frontOfRest, 0);
  EXPECT_GT(bright, 0);
  // Moved by the offsets, and the mini view shows the board around the piece.
  EXPECT_EQ(player(2).sPtn, 6);
  const gfx::Surface& mini = frmMain().PicMiniMap[2].surface();
  const std::vector<int> s = gfx::stretchSamples(25, 22);
  EXPECT_EQ(mini.pixel(12, 12), board().pixel(160 + 3 + s[12], 256 + 3 + s[12]));
}

TEST_F(SpritesTest, BringingAPieceForwardKeepsTheOthersOrder) {
  struct Case {
    std::array<int32_t, 4> zPos;
    int32_t id;
    std::array<int32_t, 4> order;
  };
  const Case cases[] = {
      {{0, 1, 2, 3}, 2, {2, 0, 1, 3}},
      {{3, 2, 1, 0}, 0, {0, 3, 2, 1}},
      {{1, 1, 1, 1}, 3, {3, 0, 1, 2}},  // equal places fall back to the lower seat first
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 4; ++i) player(i).zPos = c.zPos[static_cast<size_t>(i)];
    CharaZorder(c.id);
    EXPECT_EQ(Game().DrawOrder, c.order);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(player(c.order[static_cast<size_t>(k)]).zPos, k);
  }
}

// The named animations, on player 1 in the middle of the board.
class AnimationTest : public SpritesTest {
 protected:
  void SetUp() override {
    SpritesTest::SetUp();
    Media().SilentOutput = true;
    DirectMediaInit();
    place(10, 4);
    p().BackMapX = 3;
    p().BackMapY = 8;
  }
  PlayerRecord& p() { return player(1); }
  void place(int col, int row) {
    p().xPos = 32 * col;
    p().yPos = 32 * row;
    WriteCharaSet(1, 0);
  }
  // Runs the animation; its length in seconds.
  double play(const std::string& name) {
    const int64_t mark = clk->now();
    WriteAnimation(1, name);
    return secondsSince(mark);
  }
  std::string slot3() { return Media().SlotFile.size() > 3 ? Media().SlotFile[3] : ""; }
};

TEST_F(AnimationTest, ClimbsMoveOneRowAndTakeTheStopPointAlong) {
  EXPECT_NEAR(play("のぼる"), 0.2, 1e-9);
  EXPECT_EQ(p().yPos, 96);
  EXPECT_EQ(p().sPtn, 9);
  EXPECT_EQ(std::make_pair(p().BackMapX, p().BackMapY), std::make_pair(10, 3));
  play("おりる");
  play("おりる");
  EXPECT_EQ(p().yPos, 160);
  EXPECT_EQ(std::make_pair(p().BackMapX, p().BackMapY), std::make_pair(10, 5));
  EXPECT_FALSE(p().EndingFlug);
}

TEST_F(AnimationTest, ClimbingOffTheTopRowFinishesThePlayer) {
  place(7, 0);
  play("のぼる");
  EXPECT_TRUE(p().EndingFlug);
  EXPECT_EQ(p().yPos, -1);
  EXPECT_EQ(p().yPosMap, -1);
  EXPECT_EQ(std::make_pair(p().BackMapX, p().BackMapY), std::make_pair(7, 0));  // -1 \ 32 is 0
  // Off the board it is no longer drawn; the next redraw puts its row back to 0.
  WriteCharaSet(0, 0);
  EXPECT_EQ(p().yPosMap, 0);
  EXPECT_EQ(board().pixel(7 * 32 + 16, 2 + 16), clean().pixel(7 * 32 + 16, 2 + 16));
}

TEST_F(AnimationTest, FallsLandWhereTheirNameSaysWithTheirSound) {
  struct Case {
    const char* name;
    int col, row;
    bool stopPointMoves;
    double seconds;  // steps of 0.05 s, then the spin of four frames at 0.1 s
  };
  const Case cases[] = {
      {"落ちる左", 9, 6, true, 0.8},   {"落ちる右", 11, 6, true, 0.8}, {"落ちる左1", 9, 5, true, 0.6},
      {"落ちる右1", 11, 5, true, 0.6}, {"落ちる1", 10, 5, false, 0.6}, {"落ちる2", 10, 6, true, 0.8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    place(10, 4);
    p().BackMapX = 3;
    p().BackMapY = 8;
    Media().SlotFile[3].clear();
    EXPECT_NEAR(play(c.name), c.seconds, 1e-9);
    EXPECT_EQ(std::make_pair(p().xPos, p().yPos), std::make_pair(32 * c.col, 32 * c.row));
    const std::pair<int, int> stop{p().BackMapX, p().BackMapY};
    EXPECT_EQ(stop, c.stopPointMoves ? std::make_pair(c.col, c.row) : std::make_pair(3, 8));
    EXPECT_EQ(slot3(), Game().WavFolder + "QV-Paun.wav");
    EXPECT_EQ(p().sPtn, 6);  // the spin ends facing right
  }
  // Falling left off column 0 comes down on the far side of the board.
  place(0, 2);
  play("落ちる左1");
  EXPECT_EQ(std::make_pair(p().xPos, p().yPos), std::make_pair(736, 96));
  EXPECT_EQ(p().BackMapX, 23);
}

TEST_F(AnimationTest, TheLoserFliesBackToItsStopPointsColumnOnItsOwnRow) {
  frmMain().PicWinBase.setVisible(true);
  // Spin 10 x 0.01, four steps a cell (0.02 + 0.015 + 0.01 + 0.005) and 0.05 after each cell,
  // then the landing spin at 0.001 and at 0.05 a frame.
  EXPECT_NEAR(play("とばされる"), 0.1 + 7 * 0.1 + 0.01 + 0.5, 1e-9);
  EXPECT_EQ(std::make_pair(p().xPos, p().yPos), std::make_pair(96, 128));
  EXPECT_EQ(std::make_pair(p().xPosMap, p().yPosMap), std::make_pair(3, 4));
  EXPECT_EQ(p().sPtn, 14);
  EXPECT_FALSE(frmMain().PicWinBase.visible());

  // Flying right, and a piece already on its column only spins.
  p().BackMapX = 20;
  play("とばされる");
  EXPECT_EQ(p().xPos, 640);
  EXPECT_NEAR(play("とばされる"), 0.1 + 0.01 + 0.5, 1e-9);
  EXPECT_EQ(p().xPos, 640);
  // A stop point outside the board (a damaged record) ends the flight at the board's edge, and
  // a piece far outside it starts from the edge.
  p().BackMapX = 1000000;
  play("とばされる");
  EXPECT_EQ(p().xPos, 736);
  p().xPos = -1000000;
  p().BackMapX = 3;
  play("とばされる");
  EXPECT_EQ(p().xPos, 96);
}

TEST_F(AnimationTest, PosesShowTheirFramesAtATenthOfASecondEach) {
  struct Case {
    const char* name;
    double seconds;
    int32_t last;
  };
  const Case cases[] = {
      {"ハッピー", 0.5, 15}, {"転ぶ", 0.5, 14}, {"発見", 0.4, 0},        {"泣く", 0.3, 0},       {"勝利", 0.3, 15},
      {"敗北", 0.1, 14},     {"回転", 1.0, 6},  {"回転えーん", 1.3, 15}, {"回転ピース", 0.9, 0}, {"あ", 1.4, 9},
      {"落ちる", 2.0, 17},   {"水", 1.0, 0},    {"A", 0.3, 16},          {"a", 0.3, 16},         {"ない", 0.0, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    p().sPtn = 5;
    EXPECT_NEAR(play(c.name), c.seconds, 1e-9);
    EXPECT_EQ(p().sPtn, c.last);
    EXPECT_EQ(std::make_pair(p().xPos, p().yPos), std::make_pair(320, 128));
  }
}

TEST_F(AnimationTest, EachFrameLastsItsTimeIncludingItsDrawing) {
  const int64_t mark = clk->now();
  PlayAnime(1, {16, 17}, 0.25);
  EXPECT_NEAR(secondsSince(mark), 0.5, 1e-9);
  EXPECT_EQ(p().sPtn, 17);
  int drawn = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (frame(1, 17, x, y) != gfx::kInvalidColor) {
        ASSERT_EQ(board().pixel(320 + x, 128 + 2 + y), frame(1, 17, x, y)) << x << "," << y;
        ++drawn;
      }
  EXPECT_GT(drawn, 100);
}

}  // namespace
