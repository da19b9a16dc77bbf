#include <gtest/gtest.h>

#include <functional>

#include "ui/control_array.h"
#include "ui/wait.h"
#include "ui_fixture.h"

using Log = std::vector<std::string>;

TEST_F(UiTest, MouseEventsArriveInControlCoordinatesThroughContainers) {
  auto& outer = win->add<ui::PictureBox>("Outer");
  outer.move(100, 50, 300, 200);
  auto& inner = win->add<ui::PictureBox>("Inner", &outer);
  inner.move(10, 20, 50, 50);
  record(outer);
  record(inner);
  hb->mouseDown(115, 75, ui::kRightButton);
  hb->mouseUp(115, 75, ui::kRightButton);
  hb->mouseMove(105, 55);
  pump();
  EXPECT_EQ(log, (Log{"down:Inner:2@5,5", "up:Inner:2@5,5", "move:Outer:0@5,5"}));
}

TEST_F(UiTest, DoubleClickArrivesAsDownUpClickDblClickUp) {
  auto& pic = win->add<ui::PictureBox>("Pic");
  record(pic);
  hb->click(10, 10);
  hb->mouseDown(11, 10);
  hb->mouseUp(11, 10);
  pump();
  EXPECT_EQ(log,
            (Log{"move:Pic:0@10,10", "down:Pic:1@10,10", "up:Pic:1@10,10", "click:Pic", "dbl:Pic", "up:Pic:1@11,10"}));
}

TEST_F(UiTest, SlowOrDistantSecondPressIsAnotherClick) {
  auto& pic = win->add<ui::PictureBox>("Pic");
  int clicks = 0, doubles = 0;
  pic.Click = [&] { ++clicks; };
  pic.DblClick = [&] { ++doubles; };
  hb->click(10, 10);
  pump();
  clk->advanceMs(ui::kDoubleClickMs + 1);
  hb->click(10, 10);  // too late
  pump(1);
  hb->click(30, 10);  // too far
  hb->click(30, 10, ui::kRightButton);
  pump(1);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(doubles, 0);
}

TEST_F(UiTest, PressCapturesImplicitlyUntilRelease) {
  auto& a = win->add<ui::PictureBox>("A");
  a.move(0, 0, 50, 50);
  auto& b = win->add<ui::PictureBox>("B");
  b.move(100, 0, 50, 50);
  record(a);
  record(b);
  hb->mouseDown(10, 10);
  hb->mouseMove(120, 10);  // still A's: it holds the capture
  hb->mouseUp(120, 10);    // up outside: no click
  hb->mouseMove(121, 10);  // capture ended with the release
  pump();
  EXPECT_EQ(log, (Log{"down:A:1@10,10", "move:A:1@120,10", "up:A:1@120,10", "move:B:0@21,10"}));
  EXPECT_EQ(ui::captureControl(), nullptr);
}

TEST_F(UiTest, ReleasedCaptureSendsMovesAndReleaseToTheControlUnderThePointer) {
  // The owner-drawn button's rule: leaving it releases the capture, so a release elsewhere
  // is no click of the button.
  auto& btn = win->add<ui::PictureBox>("Btn");
  btn.move(0, 0, 50, 50);
  auto& other = win->add<ui::PictureBox>("Other");
  other.move(100, 0, 50, 50);
  record(other);
  int btnClicks = 0, btnUps = 0;
  btn.Click = [&] { ++btnClicks; };
  btn.MouseUp = [&](int, int, int, int) { ++btnUps; };
  btn.MouseMove = [&](int, int, int x, int y) {
    if (!btn.hitLocal(x, y))
      btn.releaseCapture();
    else if (!btn.hasCapture())
      btn.setCapture();
  };
  hb->mouseMove(10, 10);
  pump();
  EXPECT_TRUE(btn.hasCapture());
  hb->mouseMove(60, 10);  // outside both, captured by the button: it lets go
  hb->mouseMove(110, 10);
  hb->mouseUp(110, 10);
  pump();
  EXPECT_EQ(btnUps, 0);
  EXPECT_EQ(btnClicks, 0);
  EXPECT_EQ(log, (Log{"move:Other:0@10,10", "up:Other:1@10,10"}));
}

TEST_F(UiTest, ExplicitCaptureOutlivesTheRelease) {
  auto& a = win->add<ui::PictureBox>("A");
  a.move(0, 0, 50, 50);
  record(a);
  a.setCapture();
  hb->click(200, 200);
  hb->mouseMove(300, 300);
  pump();
  EXPECT_EQ(log.size(), 4u);
  EXPECT_EQ(log.back(), "move:A:0@300,300");
  EXPECT_TRUE(a.hasCapture());
  EXPECT_TRUE(hb->captured());
  a.setVisible(false);  // hiding ends it
  EXPECT_EQ(ui::captureControl(), nullptr);
  EXPECT_FALSE(hb->captured());
}

TEST_F(UiTest, HiddenAndDisabledControlsGetNoInput) {
  auto& back = win->add<ui::PictureBox>("Back");
  back.move(0, 0, 200, 200);
  auto& hidden = win->add<ui::PictureBox>("Hidden", &back);
  hidden.move(0, 0, 50, 50);
  auto& panel = win->add<ui::PictureBox>("Panel", &back);
  panel.move(100, 0, 100, 100);
  auto& child = win->add<ui::PictureBox>("Child", &panel);
  child.move(0, 0, 50, 50);
  for (ui::Control* c : {&back, &hidden, &panel, &child}) record(*c);
  hidden.setVisible(false);
  panel.setEnabled(false);  // disables its children too
  hb->mouseDown(10, 10);
  hb->mouseUp(10, 10);
  hb->mouseDown(110, 10);
  hb->mouseUp(110, 10);
  pump();
  EXPECT_EQ(log, (Log{"down:Back:1@10,10", "up:Back:1@10,10", "click:Back", "down:Back:1@110,10", "up:Back:1@110,10",
                      "click:Back"}));
  EXPECT_FALSE(child.effectivelyEnabled());
  EXPECT_TRUE(child.enabled());
}

TEST_F(UiTest, TopmostChildAndShapeDecideTheHit) {
  auto& low = win->add<ui::PictureBox>("Low");
  low.move(0, 0, 100, 100);
  auto& high = win->add<ui::PictureBox>("High");
  high.move(0, 0, 100, 100);
  record(low);
  record(high);
  hb->mouseMove(50, 50);
  pump();
  low.zorder(0);
  hb->mouseMove(51, 50);
  pump();
  // A round shape leaves the corners to what lies below.
  low.setShape(gfx::Region::fromRoundRect({0, 0, 100, 100}, 100, 100));
  hb->mouseMove(2, 2);
  hb->mouseMove(50, 2);
  pump();
  EXPECT_EQ(log, (Log{"move:High:0@50,50", "move:Low:0@51,50", "move:High:0@2,2", "move:Low:0@50,2"}));
}

TEST_F(UiTest, NestedPumpsKeepDeliveringInOrder) {
  // A click handler runs a long phase that pumps until a menu click changes the command, as
  // the top bar's start command runs the whole game inside its handler.
  auto& start = win->add<ui::PictureBox>("Start");
  start.move(0, 0, 50, 50);
  auto& menu = win->add<ui::PictureBox>("Menu");
  menu.move(100, 0, 50, 50);
  std::string command;
  int depth = 0, menuClicks = 0;
  start.Click = [&] {
    int d = ++depth;
    log.push_back("begin" + std::to_string(d));
    for (int round = 0; round < 2; ++round) {
      command = "サイコロ";
      while (command == "サイコロ") ui::DoEventsWait();
      log.push_back("got " + command);
    }
    log.push_back("end" + std::to_string(d));
  };
  menu.Click = [&] { command = "m" + std::to_string(++menuClicks); };
  hb->onIdle = [&] {
    if (menuClicks < 5) hb->click(110, 10);
  };
  hb->click(10, 10);
  clk->advanceMs(ui::kDoubleClickMs + 1);
  hb->click(10, 10);  // pressed again while its phase runs: a phase inside the phase
  pump();
  EXPECT_EQ(log, (Log{"begin1", "begin2", "got m1", "got m2", "end2", "got m2", "got m3", "end1"}));
  EXPECT_EQ(hb->queued(), 0u);
  EXPECT_EQ(ui::captureControl(), nullptr);
}

// A handler that asks the pump to stop (the game left) leaves what came after it for the pump
// below, also when a waiting pump was woken by that very event.
TEST_F(UiTest, AnInterruptedPumpHandlesNothingAfterTheInterruptingEvent) {
  std::vector<int> keys;
  win->KeyDown = [&](int& key, int) {
    keys.push_back(key);
    if (key == 'Q') ui::interruptPump();
  };
  for (bool woken : {false, true}) {
    SCOPED_TRACE(woken ? "woken by the event" : "queued before the pump");
    keys.clear();
    auto queue = [&] {
      hb->keyDown('Q');
      hb->keyDown('B');
      hb->onIdle = nullptr;
    };
    if (woken)
      hb->onIdle = queue;
    else
      queue();
    ui::DoEventsWait();
    EXPECT_EQ(keys, std::vector<int>{'Q'});
    pump();
    EXPECT_EQ(keys, (std::vector<int>{'Q', 'B'}));
  }
}

TEST_F(UiTest, InputSwitchedOffDropsWhatWasQueued) {
  auto& pic = win->add<ui::PictureBox>("Pic");
  record(pic);
  int keys = 0;
  win->KeyDown = [&](int&, int) { ++keys; };
  int ups = 0, picUps = 0;
  win->KeyUp = [&](int&, int) { ++ups; };
  pic.KeyUp = [&](int&, int) { ++picUps; };
  pic.setFocus();
  hb->click(10, 10);
  hb->key('Z');
  win->setInputEnabled(false);
  ui::DoEvents();
  win->setInputEnabled(true);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(keys, 0);
  EXPECT_EQ(ups, 1) << "the window still hears releases: the game's repeat guard waits for them";
  EXPECT_EQ(picUps, 0);
  EXPECT_EQ(ui::captureControl(), nullptr);  // a dropped press leaves no capture behind
  hb->click(10, 10);
  pump();
  EXPECT_EQ(log.size(), 4u);
}

TEST_F(UiTest, InputSwitchedOffStillHearsTheKeptControlAndKey) {
  auto& pic = win->add<ui::PictureBox>("Pic");
  pic.move(0, 0, 50, 50);
  auto& out = win->add<ui::PictureBox>("Out");
  out.move(100, 0, 50, 50);
  int picClicks = 0, outClicks = 0;
  pic.Click = [&] { ++picClicks; };
  out.Click = [&] { ++outClicks; };
  std::vector<int> keys;
  win->KeyPreview = true;
  win->KeyDown = [&](int& k, int) { keys.push_back(k); };
  win->keepInput(&out, ui::kVkEscape);
  hb->click(10, 10);
  hb->click(110, 10);
  hb->key('Z');
  hb->key(ui::kVkEscape);
  win->setInputEnabled(false);
  ui::DoEvents();
  win->setInputEnabled(true);
  EXPECT_EQ(picClicks, 0);
  EXPECT_EQ(outClicks, 1);
  EXPECT_EQ(keys, std::vector<int>{ui::kVkEscape});
  // A capture that another control took while input was on (a button following the hovering
  // pointer) does not swallow the kept control's press.
  pic.setCapture();
  clk->advanceMs(1000);  // no double click
  hb->click(110, 10);
  win->setInputEnabled(false);
  ui::DoEvents();
  win->setInputEnabled(true);
  EXPECT_EQ(picClicks, 0);
  EXPECT_EQ(outClicks, 2);
  // Nothing is kept once the window lets go of it.
  win->keepInput(nullptr, 0);
  hb->click(110, 10);
  hb->key(ui::kVkEscape);
  win->setInputEnabled(false);
  ui::DoEvents();
  win->setInputEnabled(true);
  EXPECT_EQ(outClicks, 2);
  EXPECT_EQ(keys.size(), 1u);
}

// Timed waits with a watch that, like a running game's, answers a way out (a click on "Out" or
// Escape) with a pump in which nothing else is heard, and then ends the wait.
class WaitWatchTest : public UiTest {
 protected:
  struct Left {};
  void SetUp() override {
    UiTest::SetUp();
    pic = &win->add<ui::PictureBox>("Pic");
    out = &win->add<ui::PictureBox>("Out");
    pic->move(0, 0, 50, 50);
    out->move(100, 0, 50, 50);
    record(*pic);
    out->Click = [this] { left = true; };
    win->KeyPreview = true;
    win->KeyDown = [this](int& k, int) {
      if (k == ui::kVkEscape) left = true;
      log.push_back("key:" + std::to_string(k));
    };
    ui::setWaitWatch([this] {
      ++watched;
      if (!ui::pressQueued(out, ui::kVkEscape)) return;
      win->keepInput(out, ui::kVkEscape);
      win->setInputEnabled(false);
      ui::DoEvents();
      win->setInputEnabled(true);
      win->keepInput(nullptr, 0);
      if (left) throw Left{};
    });
  }
  void TearDown() override {
    ui::setWaitWatch(nullptr);
    sys::setClock(&*clk);
    UiTest::TearDown();
  }
  ui::PictureBox* pic = nullptr;
  ui::PictureBox* out = nullptr;
  bool left = false;
  int watched = 0;
};

TEST_F(WaitWatchTest, AWaitHandlesNoInputButAWayOutEndsItAtOnce) {
  const int64_t second = clk->frequency();
  hb->click(10, 10);
  hb->key('Z');
  int64_t start = clk->now();
  ui::WaitUntil(start + 10 * second);
  EXPECT_EQ(clk->now(), start + 10 * second);
  EXPECT_EQ(watched, 1);
  EXPECT_TRUE(log.empty());
  // What the wait took is handled by the next pump, before what came after it.
  hb->mouseMove(20, 20);
  pump();
  EXPECT_EQ(log,
            (Log{"move:Pic:0@10,10", "down:Pic:1@10,10", "up:Pic:1@10,10", "click:Pic", "key:90", "move:Pic:0@20,20"}));

  const std::function<void()> wayOut[] = {[&] { hb->click(110, 10); }, [&] { hb->key(ui::kVkEscape); }};
  for (const auto& leave : wayOut) {
    log.clear();
    left = false;
    pump();
    hb->click(10, 10);
    leave();
    start = clk->now();
    EXPECT_THROW(ui::WaitUntil(start + 10 * second), Left);
    EXPECT_EQ(clk->now(), start);
    EXPECT_EQ(hb->queued(), 0u);
    // The click before the way out was dropped, as at the end of any busy stretch.
    for (const std::string& l : log) EXPECT_EQ(l.find("Pic"), std::string::npos) << l;
  }
}

TEST_F(WaitWatchTest, OnTheRealClockAWaitWakesForInputThatComesWhileItSleeps) {
  sys::setClock(nullptr);
  int idle = 0;
  hb->onIdle = [&] {
    if (++idle == 1) hb->key(ui::kVkEscape);
  };
  sys::Clock& c = sys::clock();
  EXPECT_THROW(ui::WaitUntil(c.now() + 2 * c.frequency()), Left);
  EXPECT_EQ(idle, 1);
  EXPECT_EQ(log, Log{"key:27"});
}

TEST_F(UiTest, ControlArrayMakesMembersOnDemandLikeTheFirst) {
  auto& panel = win->add<ui::PictureBox>("Panel");
  ui::ControlArray<ui::PictureBox> arr(*win, "PicStMenu", &panel);
  std::vector<int> clicked;
  arr.onCreate = [&](ui::PictureBox& p) { p.Click = [&clicked, &p] { clicked.push_back(p.index()); }; };
  EXPECT_EQ(arr.ubound(), -1);
  arr[0].move(5, 6, 20, 20);
  arr[0].setBackColor(gfx::kRed);
  arr[0].setMousePointer(ui::kPointerCustom);
  arr[0].Tag = "開始";
  auto& third = arr[2];
  EXPECT_EQ(arr.ubound(), 2);
  EXPECT_EQ(arr.count(), 2);
  EXPECT_FALSE(arr.exists(1));
  EXPECT_EQ(&arr[2], &third);  // asking again makes nothing new
  EXPECT_EQ(third.container(), &panel);
  EXPECT_EQ(third.rect(), gfx::Rect::xywh(5, 6, 20, 20));
  EXPECT_EQ(third.backColor(), gfx::kRed);
  EXPECT_EQ(third.mousePointer(), ui::kPointerCustom);
  EXPECT_EQ(third.Tag, "開始");
  EXPECT_FALSE(third.visible());
  third.setVisible(true);
  third.zorder(0);
  hb->click(110, 10);  // outside both
  hb->click(10, 10);
  pump();
  EXPECT_EQ(clicked, (std::vector<int>{2}));
}

TEST_F(UiTest, ToolTipShowsAfterAHoverFollowsMoveHandlersAndHidesWhenEmpty) {
  auto& panel = win->add<ui::PictureBox>("PicPlayer");
  panel.move(16, 384, 192, 176);
  panel.setBackColor(gfx::kBlack);
  // As the status panels do: the text depends on the zone under the pointer.
  panel.MouseMove = [&](int, int, int x, int y) {
    if (x >= 35 && x <= 188 && y >= 33 && y <= 48)
      panel.ToolTipText = "体力:10/最大(20)";
    else if (x >= 35 && x <= 188 && y >= 51 && y <= 66)
      panel.ToolTipText = "経験値:5/次(10)\r\n二行目";
    else
      panel.ToolTipText = "";
  };
  hb->mouseMove(16 + 40, 384 + 40);
  pump(1);
  EXPECT_EQ(ui::toolTipShown(), "") << "not before the hover time";
  pump(ui::kToolTipDelayMs);
  EXPECT_EQ(ui::toolTipShown(), "体力:10/最大(20)");
  // The frame shows a pale box under the pointer.
  EXPECT_EQ(composed().pixel(16 + 40 + 2, 384 + 40 + 21), gfx::rgb(255, 255, 225));
  hb->mouseMove(16 + 40, 384 + 55);
  pump(1);
  EXPECT_EQ(ui::toolTipShown(), "経験値:5/次(10)\r\n二行目");
  hb->mouseMove(16 + 5, 384 + 5);
  pump(ui::kToolTipDelayMs * 2);
  EXPECT_EQ(ui::toolTipShown(), "");
  // A press hides it until the pointer goes to another control.
  hb->mouseMove(16 + 40, 384 + 40);
  pump(ui::kToolTipDelayMs);
  ASSERT_NE(ui::toolTipShown(), "");
  hb->click(16 + 40, 384 + 40);
  pump(ui::kToolTipDelayMs * 2);
  EXPECT_EQ(ui::toolTipShown(), "");
  // Leaving the window hides it too.
  hb->mouseMove(5, 5);  // off the panel and back
  hb->mouseMove(16 + 40, 384 + 55);
  pump(ui::kToolTipDelayMs);
  ASSERT_NE(ui::toolTipShown(), "");
  hb->leave();
  pump(ui::kToolTipDelayMs * 2);
  EXPECT_EQ(ui::toolTipShown(), "");
}

TEST_F(UiTest, AWaitingPumpSleepsUntilAnEventComesOrSomethingFallsDue) {
  auto& panel = win->add<ui::PictureBox>("PicPlayer");
  panel.move(16, 384, 192, 176);
  panel.ToolTipText = "体力";
  pump(100);
  struct Case {
    const char* what;
    std::function<void()> before;
    int maxWaitMs, minMs, maxMs;
    bool showsSomething;
  } cases[] = {
      {"nothing to do: no end", [] {}, -1, -1, -1, false},
      {"a limit of the caller's own", [] {}, 7, 7, 7, false},
      {"a frame the pacing holds back",
       [&] {
         panel.setBackColor(gfx::kRed);
         ui::Present(true);
         panel.setBackColor(gfx::kWhite);
       },
       -1, ui::kPresentIntervalMs, ui::kPresentIntervalMs, true},
      {"a tooltip's delay",
       [&] {
         hb->mouseMove(16 + 40, 384 + 40);
         ui::DoEvents();
       },
       -1, ui::kToolTipDelayMs, ui::kToolTipDelayMs, true},
  };
  for (const Case& c : cases) {
    c.before();
    const int presents = hb->presentCount();
    ui::DoEventsWait(c.maxWaitMs);
    EXPECT_GE(hb->lastWaitMs(), c.minMs) << c.what;
    EXPECT_LE(hb->lastWaitMs(), c.maxMs) << c.what;
    if (c.showsSomething) EXPECT_GT(hb->presentCount(), presents) << c.what << ": nothing shown once due";
  }
  EXPECT_EQ(ui::toolTipShown(), "体力");
  // An event ends the wait at once and is handled.
  int clicks = 0;
  panel.Click = [&] { ++clicks; };
  hb->onIdle = [&] { hb->click(16 + 40, 384 + 40); };
  ui::DoEventsWait();
  EXPECT_EQ(clicks, 1);
  hb->onIdle = nullptr;
}

TEST_F(UiTest, AReleaseTheWindowNeverSawEndsThePressAtTheNextMove) {
  auto& a = win->add<ui::PictureBox>("A");
  a.move(0, 0, 50, 50);
  auto& b = win->add<ui::PictureBox>("B");
  b.move(100, 0, 50, 50);
  record(b);
  hb->mouseDown(10, 10);
  hb->releaseUnseen();
  hb->mouseMove(110, 10);
  pump();
  EXPECT_EQ(ui::captureControl(), nullptr);
  EXPECT_EQ(ui::mouseButtons(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"move:B:0@10,10"}));
}

TEST_F(UiTest, PointerShapeIsThatOfTheControlUnderThePointerOrHoldingTheCapture) {
  auto& map = win->add<ui::PictureBox>("PicMap");
  map.move(0, 0, 100, 100);
  auto hand = std::make_shared<ui::CursorImage>(ui::CursorImage{gfx::Surface(32, 32, gfx::kWhite), 14, 0});
  map.setMousePointer(ui::kPointerCustom);
  map.setMouseIcon(hand);
  auto& other = win->add<ui::PictureBox>("Other");
  other.move(200, 0, 100, 100);
  other.setMousePointer(ui::kPointerHourglass);
  hb->mouseMove(10, 10);
  pump();
  EXPECT_EQ(hb->cursor(), ui::kPointerCustom);
  EXPECT_EQ(hb->customCursor(), hand.get());
  hb->mouseMove(150, 10);  // the window's own
  pump();
  EXPECT_EQ(hb->cursor(), ui::kPointerDefault);
  hb->mouseMove(210, 10);
  pump();
  EXPECT_EQ(hb->cursor(), ui::kPointerHourglass);
  hb->mouseDown(210, 10);
  hb->mouseMove(10, 10);  // pressed on Other: its pointer stays while it holds the press
  pump();
  EXPECT_EQ(hb->cursor(), ui::kPointerHourglass);
  hb->mouseUp(10, 10);
  hb->mouseMove(11, 10);
  pump();
  EXPECT_EQ(hb->cursor(), ui::kPointerCustom);
}
