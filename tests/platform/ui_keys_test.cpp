#include <gtest/gtest.h>

#include <tuple>

#include "ui_fixture.h"

using Log = std::vector<std::string>;

TEST_F(UiTest, MainWindowSeesKeysBeforeTheFocusedControlAndMaySwallowThem) {
  win->KeyPreview = true;
  auto& pic = win->add<ui::PictureBox>("Pic");
  pic.KeyDown = [&](int& k, int s) { log.push_back("pic:" + std::to_string(k) + "/" + std::to_string(s)); };
  win->KeyDown = [&](int& k, int) {
    log.push_back("form:" + std::to_string(k));
    if (k == ui::kVkEscape) k = 0;
  };
  win->KeyUp = [&](int& k, int) { log.push_back("formup:" + std::to_string(k)); };
  ASSERT_TRUE(pic.setFocus());
  hb->setShift(ui::kShiftMask);
  hb->keyDown('Z');
  hb->setShift(0);
  hb->keyDown(ui::kVkEscape);
  hb->keyUp(ui::kVkEscape);
  pump();
  EXPECT_EQ(log, (Log{"form:90", "pic:90/1", "form:27", "formup:27"}));
  EXPECT_TRUE(ui::keyHeld('Z'));
  EXPECT_FALSE(ui::keyHeld(ui::kVkEscape));
}

TEST_F(UiTest, AutoRepeatIsRepeatedKeyDowns) {
  std::vector<int> downs;
  win->KeyDown = [&](int& k, int) { downs.push_back(k); };
  hb->keyDown(ui::kVkF4);
  hb->keyDown(ui::kVkF4, true);
  hb->keyDown(ui::kVkF4, true);
  hb->keyUp(ui::kVkF4);
  pump();
  EXPECT_EQ(downs, (std::vector<int>{115, 115, 115}));
}

TEST_F(UiTest, FocusFollowsClicksAndTabAndSkipsWhatCannotTakeIt) {
  auto& a = win->add<ui::PictureBox>("A");
  a.move(0, 0, 50, 50);
  auto& b = win->add<ui::PictureBox>("B");
  b.move(100, 0, 50, 50);
  auto& c = win->add<ui::PictureBox>("C");
  c.move(200, 0, 50, 50);
  for (ui::Control* x : {&a, &b, &c}) {
    std::string n = x->name();
    x->GotFocus = [this, n] { log.push_back("got:" + n); };
    x->LostFocus = [this, n] { log.push_back("lost:" + n); };
  }
  hb->click(110, 10);
  pump();
  b.setEnabled(false);  // loses the focus without an event, as a disabled window does
  EXPECT_EQ(win->activeControl(), nullptr);
  a.setFocus();
  hb->key(ui::kVkTab);  // skips disabled B
  pump();
  c.setVisible(false);
  EXPECT_FALSE(c.setFocus());
  EXPECT_EQ(log, (Log{"got:B", "got:A", "lost:A", "got:C"}));
}

TEST_F(UiTest, QuitFromTheWindowManagerIsReportedNotObeyed) {
  int asked = 0;
  win->QueryUnload = [&] { ++asked; };
  hb->quit();
  pump();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(ui::quitRequested());
  EXPECT_TRUE(win->visible());
}

TEST_F(UiTest, DragControlMovesWithThePointerUntilRelease) {
  auto& bgv = win->add<ui::PictureBox>("PicBgv");
  bgv.move(0, 24, 800, 576);
  auto& box = win->add<ui::PictureBox>("PicBox", &bgv);
  box.move(100, 100, 32, 32);
  int clicks = 0;
  box.MouseDown = [&](int, int, int, int) { ui::DragControl(box); };
  box.Click = [&] { ++clicks; };
  win->MouseMove = [&](int, int, int, int) { log.push_back("form move"); };
  hb->mouseDown(110, 130);
  hb->mouseMove(150, 140);
  hb->mouseMove(170, 160);
  hb->mouseUp(170, 160);
  pump();
  EXPECT_EQ(box.rect(), gfx::Rect::xywh(160, 130, 32, 32));
  EXPECT_TRUE(log.empty()) << "the drag loop eats the pointer events";
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(ui::mouseButtons(), 0);

  // A busy window reads its queued events late, when the desktop's pointer is already where the
  // drag ended (and full screen scales it): the window's own pixels still say how far it went.
  const gfx::Rect w = hb->windowRect();
  for (auto [type, x, y] : {std::tuple{ui::Event::Type::MouseDown, 170, 160},
                            {ui::Event::Type::MouseMove, 180, 165},
                            {ui::Event::Type::MouseUp, 200, 180}}) {
    ui::Event e;
    e.type = type;
    e.x = x, e.y = y;
    e.screenX = w.left + 2 * 200, e.screenY = w.top + 2 * 180;
    e.button = type == ui::Event::Type::MouseMove ? 0 : ui::kLeftButton;
    e.held = type == ui::Event::Type::MouseUp ? 0 : ui::kLeftButton;
    hb->push(e);
  }
  pump();
  EXPECT_EQ(box.rect(), gfx::Rect::xywh(190, 150, 32, 32));

  // Escape puts it back; dragging the main window moves it on the desktop.
  hb->mouseDown(195, 180);
  hb->mouseMove(300, 300);
  hb->keyDown(ui::kVkEscape);
  pump();
  EXPECT_EQ(box.rect(), gfx::Rect::xywh(190, 150, 32, 32));
  bgv.MouseDown = [&](int, int, int, int) { ui::DragControl(*win); };
  gfx::Rect before = hb->windowRect();
  hb->mouseUp(300, 300);
  hb->mouseDown(5, 30);
  hb->mouseMove(25, 40);
  hb->mouseUp(25, 40);
  pump();
  EXPECT_EQ(hb->windowRect(), before.offset(20, 10));
}
