#include "screens/staff_roll.h"

#include <algorithm>

#include "presentation/controls/UCFont.h"
#include "screens/top_menu.h"
#include "screens_fixture.h"

namespace {

// The columns of the visible roll that hold anything but black, as [first, last].
std::pair<int, int> inkedColumns(const gfx::Surface& s) {
  int first = s.width(), last = -1;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if ((s.pixel(x, y) & 0xFFFFFF) != 0) first = std::min(first, x), last = std::max(last, x);
  return {first, last};
}

}  // namespace

class StaffRollTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    start();
    frmMain().UcSc2.onRefresh = [this] {
      ++steps;
      if (onStep) onStep(steps);
    };
  }
  // Presses "S" on the title and returns once the roll has ended.
  void roll() {
    steps = 0;
    press('S');
  }

  int steps = 0;
  std::function<void(int)> onStep;
};

TEST_F(StaffRollTest, PreparingPlacesTheLogoOnBlackWithoutMusicOrScrolling) {
  StopMusic();
  Init31Staff(true);
  UcScroll& r = frmMain().UcSc2;
  EXPECT_TRUE(r.visible());
  EXPECT_EQ(r.container(), &frmMain().PicBgv);
  EXPECT_EQ(r.rect(), gfx::Rect::xywh(16, 16, 384, 320));
  EXPECT_EQ(frmMain().PicBgv.children().back(), &r);
  EXPECT_LE(steps, 1);
  EXPECT_FALSE(Media().Sound && Media().Sound->musicPlaying());

  // The logo's own pixels at (92, 99), its key colour showing the black behind it.
  const gfx::Surface& logo = frmPic().PicTitle.surface();
  gfx::Surface& view = r.GetMainHdc();
  const gfx::Color key = logo.pixel(0, 0);
  int drawn = 0, keyed = 0;
  for (int y = 0; y < logo.height(); ++y)
    for (int x = 0; x < logo.width(); ++x) {
      const gfx::Color got = view.pixel(92 + x, 99 + y) & 0xFFFFFF;
      if (logo.pixel(x, y) == key)
        keyed += got == 0;
      else
        drawn += got == (logo.pixel(x, y) & 0xFFFFFF);
    }
  EXPECT_GT(drawn, 5000);
  EXPECT_GT(keyed, 5000);
  EXPECT_EQ(drawn + keyed, logo.width() * logo.height());
  // Nothing else is on the roll.
  const auto [first, last] = inkedColumns(view);
  EXPECT_GE(first, 92);
  EXPECT_LE(last, 92 + logo.width() - 1);
}

TEST_F(StaffRollTest, TheTitlesKeyRollsEveryLineCentredToItsMusicAndPace) {
  ASSERT_EQ(StaffLines().size(), 53u);
  const int64_t before = clk->now();
  roll();
  // The logo, then 28 one-pixel steps a line: the first at 0.05 s a pixel, the other 52 at 0.01 s.
  EXPECT_EQ(steps, 1 + 53 * 28);
  EXPECT_NEAR(static_cast<double>(clk->now() - before) / 1e9, 28 * 0.05 + 52 * 28 * 0.01, 0.1);
  EXPECT_EQ(Media().LastMusic, Game().WavFolder + "Md-Staff.mid");
  EXPECT_TRUE(Media().Sound && Media().Sound->musicPlaying());

  // The last lines stay on screen, each centred in the roll, and none is cut at its sides.
  UcScroll& r = frmMain().UcSc2;
  for (std::string_view line : StaffLines()) EXPECT_LE(frmMain().UCFt.GetTextWidth(line), r.width() - 4) << line;
  EXPECT_TRUE(r.visible());
  const auto [first, last] = inkedColumns(r.GetMainHdc());
  ASSERT_LT(first, last);
  EXPECT_NEAR((first + last) / 2.0, r.width() / 2.0, 2.0);

  // Only the title screen takes the key; a map change puts the roll away.
  clickOn(frmMain().UcBtnClose[GetTagToIndex("次の面")]);
  EXPECT_FALSE(r.visible());
  MakeTopMenu("マップ");
  roll();
  EXPECT_EQ(steps, 0);
  EXPECT_FALSE(r.visible());
}

TEST_F(StaffRollTest, EscapeHeldBetweenTwoLinesEndsTheRollAndQuitsNothing) {
  struct Case {
    const char* what;
    int downAt, upAt;  // steps at which Escape goes down and up (0: never); step 1 is the logo
    int lines;         // lines rolled
  };
  const Case cases[] = {
      {"held through the first line's end", 10, 0, 1},
      {"pressed in the fifth line", 1 + 4 * 28 + 3, 0, 5},
      {"let go before the line ended", 10, 20, 53},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    onStep = [&](int step) {
      if (step == c.downAt) hb->keyDown(ui::kVkEscape);
      if (step == c.upAt) hb->keyUp(ui::kVkEscape);
    };
    roll();
    EXPECT_EQ(steps, 1 + 28 * c.lines);
    // The held key repeats for a while before it is let go.
    if (c.upAt == 0) hb->keyDown(ui::kVkEscape, true);
    hb->keyUp(ui::kVkEscape);
    pump();
    // The press that ended the roll was dropped: the program still runs on the title.
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
    EXPECT_TRUE(Media().Sound && Media().Sound->musicPlaying());
  }
}
