#include "presentation/controls/UcScroll.h"

#include <gtest/gtest.h>

#include "gfx/blit.h"
#include "platform/ui_fixture.h"
#include "sys/clock.h"

namespace {

using sys::Fixed;

constexpr int64_t kMs = 1'000'000;  // virtual clock ticks

gfx::Color rowColor(int k) { return gfx::rgb(k, 100, 200); }

struct ScrollTest : UiTest {
  // A scroller on the main window at (10, 20).
  UcScroll& make(int w, int h, const char* name = "UcSc") {
    UcScroll& sc = win->add<UcScroll>(name);
    sc.move(10, 20, w, h);
    return sc;
  }
};

// A 40 x 32 scroller without frame whose vertical strip has row k in rowColor(k).
struct Scroller : ScrollTest {
  UcScroll* psc = nullptr;
  void SetUp() override {
    ScrollTest::SetUp();
    psc = &make(40, 32);
    psc->SetWaku(0, 0);
    psc->SetBackColor(0, static_cast<int32_t>(gfx::rgb(9, 9, 9)));
    psc->SetBackClear();
    psc->SetBlock(32);
    fillStrip();
  }
  void fillStrip() {
    for (int k = 0; k < 32; ++k) gfx::fillRect(psc->GetBackHdc(0), {0, k, 40, k + 1}, rowColor(k));
  }
};

TEST_F(Scroller, AddBlockStepsOnePixelPerPauseAndBringsTheStripIn) {
  auto& clock = clk;
  Scroller& s = *this;
  s.psc->SetScrollSpeed(Fixed::fromRaw(10));  // 0.001 s
  int refreshes = 0;
  s.psc->onRefresh = [&] { ++refreshes; };
  int64_t t0 = clock->now();
  s.psc->AddBlock(0, 32);
  EXPECT_EQ(clock->now() - t0, 33 * kMs);  // 33 steps of one millisecond
  EXPECT_EQ(refreshes, 33);
  // The strip's 32 rows then one row of its background, so row k of the strip ends at k - 1.
  for (int k = 1; k < 32; ++k) EXPECT_EQ(s.psc->PicDummy.pixel(5, k - 1), rowColor(k)) << k;
  EXPECT_EQ(s.psc->PicDummy.pixel(5, 31), gfx::rgb(9, 9, 9));
  EXPECT_EQ(s.psc->PicWaku.pixels(), s.psc->PicDummy.pixels());
  EXPECT_EQ(composed().pixel(10 + 5, 20 + 0), rowColor(1));  // and the window shows it
  // The strip is emptied afterwards.
  EXPECT_EQ(s.psc->PicOne[0].pixel(3, 3), gfx::rgb(9, 9, 9));

  // A count of -1 means the block; speed 0 takes no time.
  s.psc->SetScrollSpeed(Fixed(0));
  s.fillStrip();
  t0 = clock->now();
  s.psc->AddBlock(0, -1);
  EXPECT_EQ(clock->now(), t0);
  EXPECT_EQ(s.psc->PicDummy.pixel(5, 0), rowColor(1));
}

TEST_F(Scroller, StepsIncludeTheirDrawingTime) {
  auto& clock = clk;
  Scroller& s = *this;
  s.psc->SetScrollSpeed(Fixed::fromRaw(10));
  s.psc->onRefresh = [&] { clock->advance(kMs * 3 / 10); };  // each repaint costs 0.3 ms
  int64_t t0 = clock->now();
  s.psc->AddBlock(0, 9);
  EXPECT_EQ(clock->now() - t0, 10 * kMs);

  // Without a mark the wait runs its full time from its own call; with one, from the mark.
  s.psc->onRefresh = nullptr;
  t0 = clock->now();
  s.psc->SleepSuper(Fixed::fromRaw(50));
  EXPECT_EQ(clock->now() - t0, 5 * kMs);
  s.psc->SleepSuper(Fixed(0));
  clock->advance(2 * kMs);
  t0 = clock->now();
  s.psc->SleepSuper(Fixed::fromRaw(50));
  EXPECT_EQ(clock->now() - t0, 3 * kMs);
  // The mark is used once.
  t0 = clock->now();
  s.psc->SleepSuper(Fixed::fromRaw(50));
  EXPECT_EQ(clock->now() - t0, 5 * kMs);
}

TEST_F(ScrollTest, OtherDirections) {
  struct Case {
    int index;
    bool reverse;
    int x, y;  // where the strip's lines arrive (a reversed scroll starts past the strip's end)
  } cases[] = {{0, false, 5, 31}, {0, true, 5, 0}, {1, false, 39, 5}, {1, true, 0, 5}};
  int n = 0;
  for (const auto& c : cases) {
    UcScroll& sc = make(40, 32, ("Sc" + std::to_string(n++)).c_str());
    sc.SetWaku(0, 0);
    sc.SetScrollSpeed(Fixed(0));
    sc.SetReverse(c.reverse);
    sc.SetBlock(8);
    gfx::Surface& strip = sc.GetBackHdc(c.index);
    strip.backColor = gfx::kBlack;
    gfx::fillRect(strip, strip.bounds(), gfx::kRed);
    sc.AddBlock(c.index, 1);
    EXPECT_EQ(sc.PicDummy.pixel(c.x, c.y), gfx::kRed) << c.index << c.reverse;
    EXPECT_EQ(sc.blockIndex(), c.index);
  }
}

TEST_F(ScrollTest, BackCopyClearsAndFrame) {
  UcScroll& sc = make(50, 40);  // the default frame of 2 pixels
  sc.SetWakuColor(static_cast<int32_t>(gfx::kRed));
  sc.SetBackColor(0, static_cast<int32_t>(gfx::kBlack));
  sc.SetBackClear();
  sc.SetBlock(10);
  // What a caller drew on the visible picture's bottom line goes into the buffer's bottom block.
  gfx::fillRect(sc.GetMainHdc(), {2, 28, 48, 38}, gfx::kWhite);
  sc.BackCopy();
  EXPECT_EQ(sc.PicDummy.pixel(0, 30), gfx::kWhite);
  EXPECT_EQ(sc.PicDummy.pixel(45, 39), gfx::kWhite);
  EXPECT_EQ(sc.PicDummy.pixel(0, 29), gfx::kBlack);
  // Showing the view keeps the frame in its colour.
  sc.WriteWaku(0, 0);
  EXPECT_EQ(sc.PicWaku.pixel(0, 0), gfx::kRed);
  EXPECT_EQ(sc.PicWaku.pixel(49, 39), gfx::kRed);
  EXPECT_EQ(sc.PicWaku.pixel(2, 2), gfx::kBlack);
  EXPECT_EQ(sc.PicWaku.pixel(2, 37), gfx::kWhite);  // buffer row 35

  // BackCls(2) clears the current strip and the visible picture and keeps the block index.
  sc.GetBackHdc(1);
  gfx::fillRect(sc.PicOne[1], sc.PicOne[1].bounds(), gfx::kWhite);
  sc.BackCls(2);
  EXPECT_EQ(sc.blockIndex(), 1);
  EXPECT_EQ(sc.PicOne[1].pixel(0, 0), sc.PicOne[1].backColor);
  EXPECT_EQ(sc.PicWaku.pixel(10, 10), gfx::kRed);
}

TEST_F(ScrollTest, ScrollBlockStaysInsideTheBuffer) {
  auto& clock = clk;
  UcScroll& sc = make(40, 32);
  sc.SetWaku(0, 0);
  sc.SetBackSize(60, 100, 16);
  sc.SetScrollSpeed(Fixed::fromRaw(10));
  for (int y = 0; y < 100; ++y) gfx::fillRect(sc.PicDummy, {0, y, 60, y + 1}, rowColor(y));
  int64_t t0 = clock->now();
  sc.ScrollBlock(1, 200);
  EXPECT_EQ(clock->now() - t0, 201 * kMs);
  EXPECT_EQ(sc.viewY(), 68);
  EXPECT_EQ(sc.PicWaku.pixel(0, 31), rowColor(99));
  sc.ScrollBlock(0, -1);  // the block: 17 steps up
  EXPECT_EQ(sc.viewY(), 51);
  sc.ScrollBlock(0, 100);
  EXPECT_EQ(sc.viewY(), 0);
  sc.ScrollBlock(3, 100);
  EXPECT_EQ(sc.viewX(), 20);
  sc.ScrollBlock(2, 5);
  EXPECT_EQ(sc.viewX(), 14);
}

}  // namespace

namespace {
// The strip on its way: every pause of the scroll shows the step drawn before it.
TEST_F(Scroller, EachStepOfAScrollIsShownDuringItsPause) {
  psc->SetScrollSpeed(Fixed::fromRaw(100));  // 0.01 s, longer than the pacing of presents
  std::vector<gfx::Color> bottom;              // the window's last row at each present
  hb->onPresent = [&](const gfx::Surface& f) { bottom.push_back(f.pixel(10 + 5, 20 + 31)); };
  psc->AddBlock(0, 32);
  hb->onPresent = nullptr;
  // A frame for every step, each with the next row of the strip at the bottom.
  ASSERT_GE(bottom.size(), 32u);
  for (int k = 0; k < 32; ++k) EXPECT_EQ(bottom[static_cast<size_t>(k)], rowColor(k)) << k;
}

// Whole games run without a screen: the scroller still draws and waits, nothing is shown.
TEST_F(Scroller, NothingIsShownWhilePresentingIsOff) {
  psc->SetScrollSpeed(Fixed::fromRaw(100));
  const int before = hb->presentCount();
  ui::setPresenting(false);
  int64_t t0 = clk->now();
  psc->AddBlock(0, 32);
  ui::setPresenting(true);
  EXPECT_EQ(hb->presentCount(), before);
  EXPECT_EQ(clk->now() - t0, 33 * 10 * kMs);
  EXPECT_EQ(psc->PicWaku.pixel(5, 30), rowColor(31));
}
}  // namespace
