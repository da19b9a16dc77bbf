// The board, the event window and the four status panels of the main window on the headless
// toolkit, with the generated pictures in the store, silent sound, a virtual clock and the
// messages recorded.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/board.h"
#include "support/headless_game.h"
#include "data/game_data.h"
#include "gfx/surface.h"
#include "presentation/message.h"
#include "presentation/main_form.h"
#include "sys/clock.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "ui/toolkit.h"

class PanelsTest : public HeadlessGameTest {
 protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    ResetPictureStore();
    InitFolderNames(std::string(VORAK_GAME_DIR) + "/");
    InitCellKinds();
    LoadPictureStore(std::string(VORAK_GAME_DIR) + "/Vorak-Pic/");
    ASSERT_TRUE(frmPic().missing.empty()) << "the game folder's pictures were not generated";

    // The rectangles the main window gives the board and the panels.
    MainForm& f = frmMain();
    f.PicMap.move(16, 16, 768, 320);
    f.PicMapUra.move(16, 16, 768, 320);
    for (int i = 0; i < 4; ++i) {
      f.PicPlayer[i].move(16 + 192 * i, 384, 192, 176);
      f.PicPlayer[i].setVisible(true);
      f.PicMiniMap[i].setContainer(&f.PicPlayer[i]);
      f.PicMiniMap[i].move(5, 5, 25, 25);
    }
    // The event window in the middle of the board, hidden until it is opened.
    f.PicWinBase.setPicture(frmPic().PicStage.surface());
    f.PicWinBase.move(274, 40, 220, 240);
    f.PicWin.move(10, 30, 200, 200);
    f.PicWinBase.setVisible(false);
  }
  void TearDown() override {
    ResetPictureStore();
    HeadlessGameTest::TearDown();
  }

  // Seconds of the virtual clock since the mark.
  double secondsSince(int64_t mark) { return static_cast<double>(clk->now() - mark) / 1e9; }

};
