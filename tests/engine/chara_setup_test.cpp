// The default characters, their pieces on the start cell, the mini-view icons and the cleared
// board.
#include "engine/chara_setup.h"

#include <gtest/gtest.h>

#include "gfx/blit.h"
#include "presentation/panels_fixture.h"

namespace {

using CharaSetupTest = PanelsTest;

TEST_F(CharaSetupTest, EverySeatStartsWithTheLuckTypeStats) {
  Init05CharaSetup();
  const GameData& g = Game();
  const char* names[] = {"ブルー", "ピンク", "グリーン", "イエロー"};
  const int32_t colours[] = {gfx::rgb(50, 50, 255), gfx::rgb(255, 100, 100), gfx::rgb(100, 255, 100),
                             gfx::rgb(255, 255, 100)};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const PlayerRecord& p = g.Players[static_cast<size_t>(i)];
    EXPECT_EQ(p.sUser, 1);
    EXPECT_EQ(p.sName, names[i]);
    EXPECT_EQ(p.sRGB, colours[i]);
    EXPECT_EQ(p.sType, 1);
    EXPECT_EQ(p.sLifeMaxAd, Fixed(10.5));
    EXPECT_EQ(p.sStrAd, Fixed(5.5));
    EXPECT_EQ(p.sLuckAd, Fixed(3.6));
    EXPECT_EQ(p.sExpAd, Fixed(10));
    // 10.5 rounds to the even 10, 5.5 to 6.
    EXPECT_EQ(p.sLife, 10);
    EXPECT_EQ(p.sLifeMax, 10);
    EXPECT_EQ(p.sStr, 6);
    EXPECT_EQ(p.sLuck, 4);
    EXPECT_EQ(p.sExpNext, 10);
    EXPECT_EQ(p.sMoney, 8);
    EXPECT_EQ(p.sDrug, 2);
    EXPECT_EQ(p.sLevel, 1);
    EXPECT_EQ(p.sExp, 0);
    EXPECT_EQ(p.sPtn, 6);
    EXPECT_EQ(p.sChara, i);
    EXPECT_EQ(p.zPos, i);
    EXPECT_EQ(p.xPos, 0);
    EXPECT_EQ(p.yPos, 256);
    EXPECT_EQ(p.BackMapY, 8);
    EXPECT_EQ(g.DrawOrder[static_cast<size_t>(i)], i);
    EXPECT_EQ(g.PlayersBackup[static_cast<size_t>(i)], p);
  }
  EXPECT_EQ(g.Players[0].sColor, "{1&0AF}{2&AFF}");
  EXPECT_EQ(g.Players[3].sColor, "{1&FFA}{2&EE0}");
}

TEST_F(CharaSetupTest, GrowthTypesCycleWithEverySetUp) {
  struct Case {
    int32_t type;
    Fixed str, luck;
    int32_t sStr, sLuck;
  };
  // The counter moves on before the values are chosen: 1, 2, 0, 1 from a fresh record.
  const Case cases[] = {{1, Fixed(5.5), Fixed(3.6), 6, 4},
                        {2, Fixed(5.5), Fixed(3.5), 6, 4},
                        {0, Fixed(5.6), Fixed(3.4), 6, 3},
                        {1, Fixed(5.5), Fixed(3.6), 6, 4}};
  PlayerRecord& p = Game().Players[2];
  for (const Case& c : cases) {
    Init07CharaSetupData(2);
    SCOPED_TRACE(c.type);
    EXPECT_EQ(p.sType, c.type);
    EXPECT_EQ(p.sStrAd, c.str);
    EXPECT_EQ(p.sLuckAd, c.luck);
    EXPECT_EQ(p.sStr, c.sStr);
    EXPECT_EQ(p.sLuck, c.sLuck);
    EXPECT_EQ(p.sLife, 10);
  }
  // A damaged counter cannot index past the table.
  p.sType = -7;
  Init07CharaSetupData(2);
  EXPECT_EQ(p.sType, 0);
}

TEST_F(CharaSetupTest, PiecesGoToTheStartCellAtRestInSeatOrder) {
  Init05CharaSetup();
  GameData& g = Game();
  g.StartX = 5;
  g.StartY = 3;
  g.DrawOrder = {3, 1, 0, 2};
  for (auto& p : g.Players) {
    p.sLevel = 7;
    p.sExp = 40;
    p.sPtn = 12;
    p.xPosMap = 9;
  }
  Init06CharaSetup();
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const PlayerRecord& p = g.Players[static_cast<size_t>(i)];
    EXPECT_EQ(p.xPos, 160);
    EXPECT_EQ(p.yPos, 96);
    EXPECT_EQ(p.BackMapX, 5);
    EXPECT_EQ(p.BackMapY, 3);
    EXPECT_EQ(p.sLevel, 1);
    EXPECT_EQ(p.sExp, 0);
    EXPECT_EQ(p.sPtn, 6);
    EXPECT_EQ(p.zPos, i);
    EXPECT_EQ(g.DrawOrder[static_cast<size_t>(i)], i);
    EXPECT_EQ(p.xPosMap, 9);  // the cell follows the pixels at the next draw, not here
  }
}

TEST_F(CharaSetupTest, MiniViewsShowEachCharacterOverWhatWasThere) {
  MainForm& f = frmMain();
  constexpr gfx::Color kBack = gfx::rgb(1, 2, 3);
  for (int i = 0; i < 4; ++i) f.PicMiniMap[i].surface().fill(kBack);
  Init04();
  const gfx::Surface& sheet = frmPic().PicChara.surface();
  const gfx::Color key = sheet.pixel(0, 0);
  const std::vector<int> from = gfx::stretchSamples(25, 32);
  for (int i = 0; i < 4; ++i) {
    const gfx::Surface& mini = f.PicMiniMap[i].surface();
    int drawn = 0;
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 25; ++x) {
        const gfx::Color s = sheet.pixel(from[static_cast<size_t>(x)], 32 * i + from[static_cast<size_t>(y)]);
        ASSERT_EQ(mini.pixel(x, y), s == key ? kBack : s) << i << " at " << x << "," << y;
        drawn += s != key;
      }
    EXPECT_GT(drawn, 100) << "seat " << i << " has no figure in the sheet";
  }
}

TEST_F(CharaSetupTest, ClearedBoardIsFloorsOverWallsAndDrawn) {
  GameData& g = Game();
  for (int c = 0; c < kBoardColumns; ++c)
    for (int r = 0; r < kBoardRows; ++r) SetMapCell(g.Board[static_cast<size_t>(c)][static_cast<size_t>(r)], "80");
  MapClear();
  EXPECT_EQ(g.Board[0][8].Code, "00");
  EXPECT_EQ(g.Board[5][9].Code, "01");
  EXPECT_EQ(g.Board[31][0].Code, "80");  // outside the blank pattern
  // Drawn at once: a floor cell shows the sky, a wall cell the wall texture of its row.
  const gfx::Surface& board = frmMain().PicMap.surface();
  const gfx::Surface& sky = frmPic().PicMapSky.surface();
  EXPECT_EQ(board.pixel(100, 8 * 32 + 10), sky.pixel(100 % 32, 8 * 32 + 10));
  EXPECT_EQ(board.pixel(100, 9 * 32 + 10), sky.pixel(32 + 100 % 32, 9 * 32 + 10));
}

}  // namespace
