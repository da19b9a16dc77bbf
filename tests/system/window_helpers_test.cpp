#include "support/temp_dir.h"
#include "system/window_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "backend/headless/headless_backend.h"
#include "sys/clock.h"
#include "ui/label.h"
#include "ui/picture_box.h"
#include "ui/toolkit.h"

class WindowHelpers : public ::testing::Test {
 protected:
  void SetUp() override {
    auto b = std::make_unique<ui::HeadlessBackend>();
    hb = b.get();
    ui::init(std::move(b));
    main = std::make_unique<ui::Window>("frmMain", true);
    main->show();
  }
  void TearDown() override {
    main.reset();
    ui::shutdown();
  }
  sys::ScopedVirtualClock clk;
  ui::HeadlessBackend* hb = nullptr;
  std::unique_ptr<ui::Window> main;
};

TEST_F(WindowHelpers, FitFormWindowCentresTheMainWindowOnTheDesktopAndDialogsInIt) {
  int32_t w = 800, h = 600;
  FitFormWindow(*main, w, h, true);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_EQ(hb->windowRect(), gfx::Rect::xywh(112, 84, 800, 600));  // on a 1024 x 768 desktop
  FitFormWindow(*main, w, h, false, 0, -1);
  EXPECT_EQ(hb->windowRect(), gfx::Rect::xywh(0, 84, 800, 600));
  ui::Window load("frmLoad");
  int32_t lw = 400, lh = 364;
  FitFormWindow(load, lw, lh);
  EXPECT_EQ(load.rect(), gfx::Rect::xywh(200, 118, 400, 364));
}

TEST_F(WindowHelpers, MoveCtlSetsWhatIsGivenAndTheFontInPixels) {
  auto& lbl = main->add<ui::Label>("lbl");
  lbl.move(1, 2, 3, 4);
  MoveCtl(lbl, -1, 20, -1, 40);
  EXPECT_EQ(lbl.rect(), gfx::Rect::xywh(1, 20, 3, 40));
  MoveCtl(lbl, 10, 272, 380, 41, 20);
  EXPECT_EQ(lbl.rect(), gfx::Rect::xywh(10, 272, 380, 41));
  EXPECT_DOUBLE_EQ(lbl.fontSize(), 15.0);  // 20 pixels = 15 points
  EXPECT_EQ(lbl.font().em, 20);
  MoveCtl(lbl, -1, -1, -1, -1);  // nothing given, nothing changes
  EXPECT_EQ(lbl.rect(), gfx::Rect::xywh(10, 272, 380, 41));
}

TEST_F(WindowHelpers, SelectAllTextTakesTheGivenOrTheActiveBox) {
  auto& a = main->add<ui::TextBox>("txtName");
  auto& b = main->add<ui::TextBox>("txtOther");
  a.setText("(保存ファイル名)");
  b.setText("abc");
  SelectAllText(&a);
  EXPECT_TRUE(a.hasFocus());
  EXPECT_EQ(a.selText(), "(保存ファイル名)");
  b.setFocus();
  SelectAllText();
  EXPECT_EQ(b.selLength(), 3);
  auto& pic = main->add<ui::PictureBox>("Pic");
  pic.setFocus();
  SelectAllText();  // the active control is no text box: nothing happens
  EXPECT_EQ(b.selLength(), 3);
}

TEST_F(WindowHelpers, DragWindowMovesTheMainWindowWithThePointer) {
  auto& strip = main->add<ui::PictureBox>("PicStatusUp");
  strip.move(0, 0, 800, 24);
  strip.MouseDown = [&](int, int, int, int) { DragWindow(*main); };
  gfx::Rect before = hb->windowRect();
  hb->mouseDown(100, 10, ui::kRightButton);  // any button drags
  hb->mouseMove(130, 50);
  hb->mouseUp(130, 50, ui::kRightButton);
  ui::DoEvents();
  EXPECT_EQ(hb->windowRect(), before.offset(30, 40));
}

TEST_F(WindowHelpers, ShowFileDialogOpensAndSavesInTheGivenFolder) {
  testing_support::TempDir tmp;
  auto dir = tmp.path();
  std::ofstream(dir / "Stage1.map") << "00";
  std::string filter = "MAPﾌｧｲﾙ(*.map)/*.map/全てのﾌｧｲﾙ(*.*)/*.*";
  hb->onIdle = [&] {
    hb->text("stage1.map");
    hb->key(ui::kVkReturn);
  };
  EXPECT_EQ(ShowFileDialog(main.get(), filter, dir.string(), "", "", "LOAD"), (dir / "Stage1.map").string());
  hb->onIdle = [&] { hb->key(ui::kVkEscape); };
  EXPECT_EQ(ShowFileDialog(main.get(), filter, dir.string(), "new", "", "SAVE"), "");
  hb->onIdle = [&] { hb->key(ui::kVkReturn); };
  EXPECT_EQ(ShowFileDialog(main.get(), filter, dir.string(), "new", "", "SAVE"), (dir / "new.map").string());
  hb->onIdle = nullptr;
}
