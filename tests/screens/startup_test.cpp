#include "screens_fixture.h"

namespace {

// Nothing of start-up is on screen before the window shows: it presents no frame and spends no
// time on paced drawing (the message window's scroll) before that, and the first frame shown
// is the whole title.
TEST_F(ScreensTest, StartUpShowsNothingBeforeTheTitleAndPacesNothingUnseen) {
  const int64_t t0 = clk->now();
  const int presents = hb->presentCount();
  Main();
  EXPECT_EQ(clk->now(), t0);
  EXPECT_EQ(hb->presentCount(), presents + 1);
  EXPECT_TRUE(hb->shown());
  const gfx::Surface& first = hb->lastFrame();
  const gfx::Surface& strip = frmMain().PicStatusUp.surface();
  EXPECT_EQ(first.pixel(5, 5), strip.pixel(5, 5));
  EXPECT_FALSE(messages.empty());
  EXPECT_TRUE(ui::presenting());
  EXPECT_TRUE(ui::pacing());
  // Afterwards the message window scrolls at its own pace again.
  const int64_t t1 = clk->now();
  WriteMessage("テスト", false);
  EXPECT_GT(clk->now(), t1);
}

}  // namespace
