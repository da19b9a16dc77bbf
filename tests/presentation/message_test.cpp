#include "presentation/message.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/blit.h"
#include "platform/ui_fixture.h"
#include "presentation/controls/UCFont.h"
#include "presentation/controls/UcScroll.h"
#include "sys/clock.h"

namespace {

constexpr gfx::Color kBg = gfx::rgb(40, 56, 88);
constexpr int64_t kMs = 1'000'000;

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
  bool empty() const { return right < 0; }
};
Box pixelsOf(const gfx::Surface& s, gfx::Color c) {
  Box b;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) == c) {
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

// The message window as the main window sets it up: 768 x 32 at (16, 344), no frame, the play
// area's colour.
struct MessageFixture : UiTest {
  UcScroll* psc = nullptr;
  UCFont ft;
  std::vector<gfx::Surface> frames;  // what each repaint showed
  void SetUp() override {
    UiTest::SetUp();
    psc = &win->add<UcScroll>("UcSc");
    UcScroll& sc = *psc;
    sc.move(16, 344, 768, 32);
    sc.SetScrollSpeed(sys::Fixed::fromRaw(10));
    sc.SetWaku(0, 0);
    sc.SetBackColor(0, static_cast<int32_t>(kBg));
    sc.SetWakuColor(static_cast<int32_t>(kBg));
    sc.SetBackClear();
    sc.onRefresh = [this] { frames.push_back(psc->PicWaku); };
    messageWindow() = {};
    messageWindow().UcSc = psc;
    messageWindow().UCFt = &ft;
  }
  void TearDown() override {
    messageWindow() = {};
    UiTest::TearDown();
  }
  // The strip of the presented window frame where the message window sits.
  gfx::Surface frame() {
    const gfx::Surface& f = composed();
    gfx::Surface s(768, 32);
    gfx::bitBlt(s, 0, 0, 768, 32, f, 16, 344);
    return s;
  }
};

TEST_F(MessageFixture, LinesScrollInAndAnOpenLineIsCompleted) {
  const gfx::Color red = gfx::rgb(225, 0, 0), green = gfx::rgb(0, 225, 0), blue = gfx::rgb(0, 0, 225);
  int64_t t0 = clk->now();
  WriteMessage("{3&F00}■", false);
  EXPECT_EQ(clk->now() - t0, 33 * kMs);
  Box r = pixelsOf(frame(), red);
  ASSERT_FALSE(r.empty());
  EXPECT_GE(r.left, 4);
  EXPECT_GE(r.top, 3);
  EXPECT_LT(r.bottom, 31);
  EXPECT_EQ(frame().pixel(r.right + 1, r.bottom + 1), gfx::kBlack);  // the shadow of "{K&1}"
  EXPECT_EQ(ft.shadow(), 1);                                         // ... which stays set

  // The next line pushes it up one pixel per step: halfway, it has moved 17 rows.
  frames.clear();
  WriteMessage("{3&0F0}■", true);
  ASSERT_GE(frames.size(), 33u);
  Box mid = pixelsOf(frames[16], red);
  EXPECT_EQ(mid.top, std::max(0, r.top - 17));
  EXPECT_EQ(mid.bottom, r.bottom - 17);
  EXPECT_EQ(mid.left, r.left);
  EXPECT_EQ(frames[16].pixel(r.left, 31), kBg);
  EXPECT_TRUE(pixelsOf(frame(), red).empty());  // scrolled out
  Box g = pixelsOf(frame(), green);
  EXPECT_EQ(g.left, r.left);
  EXPECT_EQ(g.top, r.top);
  EXPECT_TRUE(messageWindow().MessageLineOpen);
  int adv = ft.font()->advance(U'■');
  EXPECT_EQ(messageWindow().MessageLineEndX, 4 + adv);

  // Completing the open line draws beside it without scrolling.
  t0 = clk->now();
  WriteMessage("{3&00F}■", false);
  EXPECT_EQ(clk->now(), t0);
  Box b = pixelsOf(frame(), blue);
  EXPECT_EQ(b.left, g.left + adv);
  EXPECT_EQ(b.top, g.top);
  EXPECT_FALSE(pixelsOf(frame(), green).empty());
  EXPECT_FALSE(messageWindow().MessageLineOpen);

  // Nothing open and nothing to say: no scroll, no drawing.
  gfx::Surface before = frame();
  WriteMessage("", false);
  EXPECT_EQ(clk->now(), t0);
  EXPECT_EQ(frame().pixels(), before.pixels());

  // A line without tags is white fading to grey, starting again at x = 4, where the red was.
  WriteMessage("■", false);
  gfx::Color high = frame().pixel(r.left + 2, r.top), low = frame().pixel(r.left + 2, r.bottom);
  for (gfx::Color c : {high, low}) {
    EXPECT_EQ(gfx::red(c), gfx::green(c));
    EXPECT_EQ(gfx::red(c), gfx::blue(c));
    EXPECT_GT(gfx::red(c), 180);
  }
  EXPECT_GT(gfx::red(high), gfx::red(low) + 30);
  EXPECT_EQ(frame().pixel(r.left - 1, r.top), kBg);
  EXPECT_TRUE(pixelsOf(frame(), blue).empty());
}

TEST_F(MessageFixture, OpenLinesChainAndEmptyTextsClose) {
  // ("A", True), ("B", True), ("C", False): one line, one scroll.
  int64_t t0 = clk->now();
  WriteMessage("A", true);
  WriteMessage("B", true);
  WriteMessage("C", false);
  EXPECT_EQ(clk->now() - t0, 33 * kMs);
  const gfx::Font& f = *ft.font();
  EXPECT_EQ(ft.GetLastX(), 4 + f.advance(U'A') + f.advance(U'B') + f.advance(U'C'));

  // An empty text closes an open line without scrolling; the next text starts a new line.
  WriteMessage("AB", true);
  t0 = clk->now();
  WriteMessage("", false);
  EXPECT_EQ(clk->now(), t0);
  EXPECT_FALSE(messageWindow().MessageLineOpen);
  WriteMessage("D", false);
  EXPECT_EQ(clk->now() - t0, 33 * kMs);
  EXPECT_EQ(ft.GetLastX(), 4 + f.advance(U'D'));

  // An empty open line keeps the renderer's last x from whoever drew last.
  gfx::Surface elsewhere(200, 40);
  ft.FontWrite(elsewhere, "XYZ", 100, 0);
  int last = ft.GetLastX();
  WriteMessage("", true);
  EXPECT_TRUE(messageWindow().MessageLineOpen);
  EXPECT_EQ(messageWindow().MessageLineEndX, last);

  // A very long line is cut at the strip's edge; the next starts at 4 again.
  WriteMessage(std::string(400, 'W'), false);
  WriteMessage("E", false);
  EXPECT_EQ(ft.GetLastX(), 4 + f.advance(U'E'));
}

TEST_F(MessageFixture, ANameInColoursThenTheDefaultColours) {
  WriteMessage("{3&F00}■{0&}■", false);
  gfx::Surface f = frame();
  Box red = pixelsOf(f, gfx::rgb(225, 0, 0));
  ASSERT_FALSE(red.empty());
  int adv = ft.font()->advance(U'■');
  gfx::Color top = f.pixel(red.left + adv + 2, red.top), low = f.pixel(red.left + adv + 2, red.bottom);
  EXPECT_GT(gfx::red(top), gfx::red(low));  // white fading to grey
  EXPECT_EQ(gfx::red(low), gfx::blue(low));
  EXPECT_GT(gfx::blue(low), 180);
}

TEST_F(MessageFixture, ClearingTheWindowKeepsTheOpenLine) {
  WriteMessage("AB", true);
  int end = messageWindow().MessageLineEndX;
  psc->SetBackClear();
  WriteMessage("C", false);
  EXPECT_EQ(ft.GetLastX(), end + ft.font()->advance(U'C'));
}

TEST(Message, CallersSeeEveryCallWithoutAWindow) {
  messageWindow() = {};
  std::vector<std::string> seen;
  messageWindow().onWrite = [&](std::string_view t, bool open) { seen.push_back(std::string(t) + (open ? "+" : "")); };
  WriteMessage("A", true);
  WriteMessage("B", false);
  EXPECT_EQ(seen, (std::vector<std::string>{"A+", "B"}));
  EXPECT_FALSE(messageWindow().MessageLineOpen);
  messageWindow() = {};
}

}  // namespace
