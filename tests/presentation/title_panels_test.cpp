// The real start-up draws map 1's board and every default panel, with each seat's icon in its
// mini view.
#include <gtest/gtest.h>

#include <string>

#include "gfx/blit.h"
#include "screens/screens_fixture.h"

namespace {

TEST_F(ScreensTest, StartUpDrawsTheFirstBoardAndTheDefaultPanels) {
  start();
  MainForm& f = frmMain();
  const GameData& g = Game();

  // The board of map 1, its clean copy, and its start cell found.
  int starts = 0;
  for (int c = 0; c < kPlayColumns; ++c)
    for (int r = 0; r < kPlayRows; ++r)
      if (g.Board[static_cast<size_t>(c)][static_cast<size_t>(r)].Code == "02") {
        ++starts;
        EXPECT_EQ(g.StartX, c);
        EXPECT_EQ(g.StartY, r);
      }
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(f.PicMapUra.surface().pixels(), f.PicMap.surface().pixels());
  const gfx::Surface& sky = frmPic().PicMapSky.surface();
  int walls = 0;
  for (int c = 0; c < kPlayColumns; ++c)
    if (g.Board[static_cast<size_t>(c)][9].Code == "01")
      walls += f.PicMap.surface().pixel(32 * c + 7, 9 * 32 + 7) == sky.pixel(32 + 7, 9 * 32 + 7);
  EXPECT_GT(walls, 10);

  const gfx::Surface& art = frmPic().PicPlayer.surface();
  const gfx::Surface& sheet = frmPic().PicChara.surface();
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const PlayerRecord& p = g.Players[static_cast<size_t>(i)];
    EXPECT_EQ(p.sLife, 10);
    EXPECT_EQ(p.sExpNext, 10);
    EXPECT_EQ(g.PlayersBackup[static_cast<size_t>(i)].sLuck, 4);
    int drawn = 0;
    for (int y = 0; y < 176; ++y)
      for (int x = 0; x < 192; ++x) drawn += f.PicPlayer[i].surface().pixel(x, y) != art.pixel(192 * i + x, y);
    EXPECT_GT(drawn, 1000);
    // The icon: the middle of the mini view is the middle of the seat's front-facing frame.
    ASSERT_TRUE(f.PicMiniMap[i].visible());
    const std::vector<int> s = gfx::stretchSamples(25, 32);
    EXPECT_EQ(f.PicMiniMap[i].surface().pixel(12, 12), sheet.pixel(s[12], 32 * i + s[12]));
  }
  for (const std::string& m : messages) EXPECT_EQ(m.find("レベルアップ"), std::string::npos) << m;
}

}  // namespace
