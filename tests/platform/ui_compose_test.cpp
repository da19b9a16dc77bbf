#include <gtest/gtest.h>

#include "gfx/blit.h"
#include "ui/label.h"
#include "ui_fixture.h"

TEST_F(UiTest, ChildrenAreComposedOverTheirContainerClippedToItAndNeverIntoItsImage) {
  win->setBackColor(gfx::kBlack);
  auto& bgv = win->add<ui::PictureBox>("PicBgv");
  bgv.move(0, 24, 800, 576);
  bgv.setBackColor(gfx::rgb(0, 0, 80));
  auto& panel = win->add<ui::PictureBox>("PicPlayer", &bgv);
  panel.move(700, 500, 192, 176);  // runs past the container's right and bottom
  panel.setBackColor(gfx::rgb(0, 90, 0));
  auto& menu = win->add<ui::PictureBox>("PicMenu", &panel);
  menu.move(88, 71, 100, 100);
  gfx::fillRect(menu.surface(), {0, 0, 100, 100}, gfx::kRed);

  const gfx::Surface& f = composed();
  EXPECT_EQ(f.width(), 800);
  EXPECT_EQ(f.height(), 600);
  EXPECT_EQ(f.pixel(5, 5), gfx::kBlack);             // the window's own back colour
  EXPECT_EQ(f.pixel(5, 30), gfx::rgb(0, 0, 80));     // the container
  EXPECT_EQ(f.pixel(700, 524), gfx::rgb(0, 90, 0));  // the panel at (700, 500) in PicBgv
  EXPECT_EQ(f.pixel(788, 595), gfx::kRed);           // the menu at 700+88, 24+500+71
  EXPECT_EQ(f.pixel(787, 595), gfx::rgb(0, 90, 0));
  // The container's image holds none of its children.
  EXPECT_EQ(bgv.surface().pixel(710, 510), gfx::rgb(0, 0, 80));
  EXPECT_EQ(panel.surface().pixel(90, 75), gfx::rgb(0, 90, 0));

  // Moving a child shows what its container holds underneath.
  panel.move(0, 0);
  const gfx::Surface& g = composed();
  EXPECT_EQ(g.pixel(788, 595), gfx::rgb(0, 0, 80));
  EXPECT_EQ(g.pixel(90, 100), gfx::kRed);
}

TEST_F(UiTest, ZOrderHiddenContainersAndShapesDecidePixels) {
  auto& a = win->add<ui::PictureBox>("A");
  a.move(0, 0, 40, 40);
  a.setBackColor(gfx::kRed);
  auto& b = win->add<ui::PictureBox>("B");
  b.move(20, 0, 40, 40);
  b.setBackColor(gfx::kWhite);
  auto& inB = win->add<ui::PictureBox>("InB", &b);
  inB.move(0, 30, 10, 10);
  inB.setBackColor(gfx::rgb(0, 0, 255));
  EXPECT_EQ(composed().pixel(30, 5), gfx::kWhite);
  a.zorder(0);
  EXPECT_EQ(composed().pixel(30, 5), gfx::kRed);
  b.zorder(0);
  b.setShape(gfx::Region::fromRect({10, 0, 40, 40}));  // its left strip is cut away, children too
  const gfx::Surface& f = composed();
  EXPECT_EQ(f.pixel(25, 5), gfx::kRed);
  EXPECT_EQ(f.pixel(25, 35), gfx::kRed);
  EXPECT_EQ(f.pixel(30, 5), gfx::kWhite);
  b.setVisible(false);
  EXPECT_FALSE(inB.effectivelyVisible());
  EXPECT_TRUE(inB.visible());
  EXPECT_EQ(composed().pixel(50, 5), win->backColor());
}

TEST_F(UiTest, ClsRestoresBackColourAndPictureAndANewBackColourClears) {
  auto& pic = win->add<ui::PictureBox>("PicWinBase");
  pic.move(0, 0, 20, 10);
  gfx::Surface stage(4, 4, gfx::rgb(9, 9, 9));
  pic.setPicture(stage);
  pic.surface().setPixel(10, 5, gfx::kRed);
  pic.surface().setPixel(1, 1, gfx::kRed);
  pic.Cls();
  EXPECT_EQ(pic.surface().pixel(10, 5), pic.backColor());
  EXPECT_EQ(pic.surface().pixel(1, 1), gfx::rgb(9, 9, 9));
  pic.clearPicture();
  pic.surface().setPixel(10, 5, gfx::kRed);
  pic.setBackColor(gfx::rgb(1, 1, 1));
  EXPECT_EQ(pic.surface().pixel(10, 5), gfx::rgb(1, 1, 1));
  EXPECT_EQ(pic.surface().pixel(1, 1), gfx::rgb(1, 1, 1));
  // Growing keeps the drawing and fills the new part with the back colour.
  pic.surface().setPixel(0, 0, gfx::kRed);
  pic.move(0, 0, 30, 30);
  EXPECT_EQ(pic.surface().pixel(0, 0), gfx::kRed);
  EXPECT_EQ(pic.surface().pixel(25, 25), gfx::rgb(1, 1, 1));
}

TEST_F(UiTest, DrawingShowsAtTheNextPumpAndPresentsArePaced) {
  auto& pic = win->add<ui::PictureBox>("Pic");
  pic.move(0, 0, 10, 10);
  pump();
  int n = hb->presentCount();
  pump();
  EXPECT_EQ(hb->presentCount(), n) << "nothing changed, nothing presented";
  pic.surface().setPixel(1, 1, gfx::kRed);  // drawing alone marks the frame
  pump();
  EXPECT_EQ(hb->presentCount(), n + 1);
  EXPECT_EQ(hb->lastFrame().pixel(1, 1), gfx::kRed);
  // Hundreds of refreshes within a few milliseconds present only once.
  for (int i = 0; i < 100; ++i) {
    pic.surface().setPixel(2, 2, gfx::rgb(i, 0, 0));
    pic.refresh();
    pump(0.01);
  }
  EXPECT_LE(hb->presentCount(), n + 2);
  pump(ui::kPresentIntervalMs);
  EXPECT_EQ(hb->lastFrame().pixel(2, 2), gfx::rgb(99, 0, 0)) << "the last drawing is shown in the end";
}

TEST_F(UiTest, DialogsComposeOverTheMainWindowAndModalOnesTakeAllInput) {
  auto& pic = win->add<ui::PictureBox>("Pic");
  pic.move(0, 0, 800, 600);
  int mainClicks = 0;
  pic.Click = [&] { ++mainClicks; };
  ui::Window dlg("frmLoad");
  dlg.move(200, 100, 400, 364);
  dlg.setBackColor(gfx::kWhite);
  auto& ok = dlg.add<ui::PictureBox>("cmdStart");
  ok.move(10, 320, 130, 33);
  ok.setBackColor(gfx::kRed);
  int okClicks = 0;
  ok.Click = [&] {
    ++okClicks;
    dlg.hide();
  };
  hb->click(5, 5);      // outside the dialog: ignored while it is modal
  hb->click(215, 425);  // its button at (200 + 10, 100 + 320)
  hb->onIdle = [&] { EXPECT_EQ(composed().pixel(215, 425), gfx::kRed); };
  dlg.showModal();
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(mainClicks, 0);
  EXPECT_FALSE(dlg.visible());
  hb->onIdle = nullptr;
  EXPECT_EQ(composed().pixel(215, 425), pic.backColor());
}

TEST_F(UiTest, LabelDrawsItsCaption) {
  auto& lbl = win->add<ui::Label>("lbCRTNow");
  lbl.move(0, 0, 120, 20);
  lbl.setBackColor(gfx::kWhite);
  lbl.setForeColor(gfx::kBlack);
  auto count = [&] {
    const gfx::Surface& f = composed();
    int dark = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 120; ++x) dark += f.pixel(x, y) == gfx::kBlack;
    return dark;
  };
  EXPECT_EQ(count(), 0);
  lbl.setCaption("800×600 16ビット");
  EXPECT_GT(count(), 20);
  // A transparent label leaves its container's pixels around the text.
  lbl.setTransparent(true);
  EXPECT_EQ(composed().pixel(119, 19), win->backColor());
}

TEST_F(UiTest, DrawingOutsideTheVisibleFrameDoesNotKeepPresenting) {
  // A panel placed outside its container (as the options panel waits off to the side).
  auto& bgv = win->add<ui::PictureBox>("PicBgv");
  bgv.move(0, 0, 800, 600);
  auto& opt = win->add<ui::PictureBox>("PicOpt", &bgv);
  opt.move(900, 0, 100, 100);
  auto& inner = win->add<ui::PictureBox>("Inner", &opt);
  opt.surface().setPixel(1, 1, gfx::kRed);
  inner.surface().setPixel(1, 1, gfx::kRed);
  pump();
  int n = hb->presentCount();
  for (int i = 0; i < 5; ++i) pump();
  EXPECT_EQ(hb->presentCount(), n);
  opt.move(700, 0);  // back in view: its drawing shows
  pump();
  EXPECT_EQ(hb->lastFrame().pixel(701, 1), gfx::kRed);
}

TEST_F(UiTest, AWaitShowsWhatWasDrawnBeforeItEvenRightAfterAPresent) {
  auto& pic = win->add<ui::PictureBox>("Pic");
  pic.move(0, 0, 10, 10);
  ui::Present(true);
  pic.surface().setPixel(1, 1, gfx::kRed);
  // A wait shorter than the pacing leaves the frame for later ...
  ui::PresentForWait(clk->now() + clk->frequency() / 1000);
  EXPECT_NE(hb->lastFrame().pixel(1, 1), gfx::kRed);
  // ... a longer one shows it once the pacing allows, within the wait.
  int64_t start = clk->now(), deadline = start + clk->frequency() / 20;
  ui::PresentForWait(deadline);
  EXPECT_EQ(hb->lastFrame().pixel(1, 1), gfx::kRed);
  EXPECT_EQ(clk->now() - start, clk->frequency() / 1000 * ui::kPresentIntervalMs) << "it waited for the pacing only";
}
