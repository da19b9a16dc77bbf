// The picture store, loaded from the generated game folder: every picture at its exact size, the
// pixels other code reads as keys or markers, the built die strip, and stand-ins for bad files.
#include "system/picture_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "gfx/blit.h"
#include "gfx/image.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
const std::string kPicDir = std::string(VORAK_GAME_DIR) + "/Vorak-Pic/";

class PictureStoreTest : public ::testing::Test {
 protected:
  // Loads quietly; what went missing is checked through `missing`.
  static void load(const std::string& dir) {
    testing::internal::CaptureStderr();
    LoadPictureStore(dir);
    testing::internal::GetCapturedStderr();
  }
  void SetUp() override { ResetPictureStore(); }
  void TearDown() override { ResetPictureStore(); }
};

bool rowsEqual(const gfx::Surface& a, int ay, const gfx::Surface& b, int by, int rows) {
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, ay + y) != b.pixel(x, by + y)) return false;
  return true;
}

TEST_F(PictureStoreTest, EveryPictureHasItsExactSize) {
  load(kPicDir);
  PictureStore& s = frmPic();
  for (const auto& f : PictureFiles()) {
    SCOPED_TRACE(f.file);
    const gfx::Surface* p = s.target(f.file);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->width(), f.width);
    EXPECT_EQ(p->height(), f.height);
    if (ui::PictureBox* b = s.box(f.file)) EXPECT_EQ(b->width(), f.width);
  }
  // The generator makes every picture the store reads.
  std::string missing;
  for (auto& m : s.missing) missing += " " + m;
  EXPECT_TRUE(s.missing.empty()) << "not generated:" << missing;
  EXPECT_EQ(s.PicFade.surface().width(), 500);
  EXPECT_EQ(s.PicFade.surface().height(), 200);
  EXPECT_EQ(s.PicFade.surface().pixel(250, 100), gfx::kBlack);
}

TEST_F(PictureStoreTest, TheBoardSheetCarriesItsKeys) {
  load(kPicDir);
  const gfx::Surface& map = frmPic().PicMap.surface();
  ASSERT_EQ(std::count(frmPic().missing.begin(), frmPic().missing.end(), "PicMap.png"), 0);
  EXPECT_EQ(map.pixel(0, 0), gfx::kMagenta);
  EXPECT_EQ(map.pixel(48, 79), gfx::kRed);
  for (int y = 0; y < 96; ++y) EXPECT_EQ(map.pixel(480, y), gfx::kMagenta) << "column 480, row " << y;
  // Tile "00" is all key; pure red only ever appears in the nine see-through tiles (columns 1-3).
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 480; ++x) {
      if (x < 32 && y < 32) ASSERT_EQ(map.pixel(x, y), gfx::kMagenta) << x << "," << y;
      if (x < 32 || x >= 128) ASSERT_NE(map.pixel(x, y), gfx::kRed) << x << "," << y;
    }
  // Every see-through tile lets some sky through, and every other tile but "00" draws something.
  for (int X = 0; X < 15; ++X)
    for (int Y = 0; Y < 3; ++Y) {
      if (X == 0 && Y == 0) continue;
      int red = 0, drawn = 0;
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          gfx::Color c = map.pixel(X * 32 + x, Y * 32 + y);
          red += c == gfx::kRed;
          drawn += c != gfx::kRed && c != gfx::kMagenta;
        }
      // Cracks and split holes open onto the sky; basins are solid.
      if (X == 1 || X == 3) EXPECT_GT(red, 0) << "tile " << X << Y;
      EXPECT_GT(drawn, 40) << "tile " << X << Y;
    }
  const gfx::Surface& sky = frmPic().PicMapSky.surface();
  for (int y = 0; y < sky.height(); ++y)
    for (int x = 0; x < sky.width(); ++x) ASSERT_NE(sky.pixel(x, y), gfx::kMagenta) << "sky " << x << "," << y;
}

// Cells a player must spot at full size: the smallest crack opens at least two pixels on every
// row, and both grass tiles are thick clumps, not a few stray blades.
TEST_F(PictureStoreTest, SmallCracksAndGrassReadAtFullSize) {
  load(kPicDir);
  const gfx::Surface& map = frmPic().PicMap.surface();
  for (int y = 0; y < 32; ++y) {
    int hole = 0;
    for (int x = 32; x < 64; ++x) hole += map.pixel(x, y) == gfx::kRed;
    EXPECT_GE(hole, 2) << "crack 1, row " << y;
  }
  for (int Y : {0, 1}) {
    int drawn = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 128; x < 160; ++x) drawn += map.pixel(x, Y * 32 + y) != gfx::kMagenta;
    EXPECT_GT(drawn, 250) << "grass " << Y + 1;
  }
}

TEST_F(PictureStoreTest, TheDieStripRepeatsItsFirstFace) {
  load(kPicDir);
  const gfx::Surface& m = frmPic().PicDiceM.surface();
  const gfx::Surface& d = frmPic().PicDice.surface();
  ASSERT_EQ(d.width(), 100);
  ASSERT_EQ(d.height(), 800);
  EXPECT_TRUE(rowsEqual(d, 0, m, 0, 700));
  EXPECT_TRUE(rowsEqual(d, 700, m, 0, 100));
  // The faces differ (a strip of one repeated face would pass the copy checks above).
  EXPECT_FALSE(rowsEqual(m, 0, m, 500, 100));
}

TEST_F(PictureStoreTest, PicturesOutsideTheStoreKeepTheirPromises) {
  load(kPicDir);
  PictureStore& s = frmPic();
  // The cursor's hot spot (14, 0) is the fingertip, on a see-through background.
  EXPECT_NE(s.Hand.pixel(14, 0), gfx::kMagenta);
  EXPECT_EQ(s.Hand.pixel(0, 0), gfx::kMagenta);
  EXPECT_EQ(s.Hand.pixel(31, 0), gfx::kMagenta);
  ui::CursorImage cursor = s.HandCursor();
  EXPECT_EQ(cursor.hotX, 14);
  EXPECT_EQ(cursor.hotY, 0);
  EXPECT_EQ(cursor.image.pixel(14, 0), s.Hand.pixel(14, 0));
  // The gallery's arrow points up from the middle of its top edge.
  EXPECT_NE(s.ImgArrow.pixel(16, 1), gfx::kMagenta);
  EXPECT_EQ(s.ImgArrow.pixel(2, 1), gfx::kMagenta);
  // The play area's (50, 50) is the message window's colour: dark, so light text reads on it.
  gfx::Color back = s.Background.pixel(50, 50);
  EXPECT_LT(gfx::red(back) + gfx::green(back) + gfx::blue(back), 3 * 90);
}

TEST_F(PictureStoreTest, MissingDamagedAndMisSizedFilesGetStandIns) {
  testing_support::TempDir tmp;
  fs::path dir = tmp.path();
  // A damaged file, a picture of the wrong size, a good one; everything else is missing.
  std::ofstream(dir / "PicMap.png") << "not a picture";
  ASSERT_TRUE(gfx::savePng((dir / "PicBar.png").string(), gfx::Surface(10, 10, gfx::kWhite)));
  ASSERT_TRUE(gfx::savePng((dir / "PicStage.png").string(), gfx::Surface(220, 240, gfx::rgb(1, 2, 3))));

  testing::internal::CaptureStderr();
  LoadPictureStore(dir.string());
  std::string err = testing::internal::GetCapturedStderr();
  PictureStore& s = frmPic();

  EXPECT_EQ(s.missing.size(), PictureFiles().size() - 1);
  EXPECT_NE(err.find("PicMap.png cannot be read"), std::string::npos) << err;
  EXPECT_NE(err.find("PicBar.png has the wrong size"), std::string::npos) << err;
  EXPECT_NE(err.find("PicChara.png is missing"), std::string::npos) << err;
  EXPECT_EQ(err.find("PicStage.png"), std::string::npos) << err;
  // One line per bad file.
  EXPECT_EQ(static_cast<size_t>(std::count(err.begin(), err.end(), '\n')), s.missing.size());
  EXPECT_EQ(s.PicStage.surface().pixel(5, 5), gfx::rgb(1, 2, 3));
  // Stand-ins have the right size; the keyed ones are all key, so they draw nothing.
  EXPECT_EQ(s.PicMap.surface().width(), 481);
  EXPECT_EQ(s.PicMap.surface().pixel(48, 79), gfx::kMagenta);
  EXPECT_EQ(s.PicBar.surface().width(), 153);
  EXPECT_EQ(s.PicChara.surface().height(), 928);
  EXPECT_EQ(s.PicChara.surface().pixel(100, 100), gfx::kMagenta);
  EXPECT_EQ(s.PicTarget.surface().pixel(40, 40), gfx::kWhite);
  // The die strip is still built at its size from the stand-in.
  EXPECT_EQ(s.PicDice.surface().height(), 800);
}

}  // namespace
