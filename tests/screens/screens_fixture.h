// The main window built on the headless toolkit over a game folder of our own: the generated
// pictures, a few maps, silent sound, a virtual clock, and an end of the program that only
// records that it came.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/board.h"
#include "data/game_data.h"
#include "data/monsters.h"
#include "media/audio.h"
#include "presentation/message.h"
#include "program/program.h"
#include "screens/frmMain.h"
#include "support/headless_game.h"
#include "support/headless_program.h"
#include "sys/clock.h"
#include "sys/path.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/startup.h"
#include "ui/toolkit.h"

namespace fs = std::filesystem;

class ScreensTest : public HeadlessGameTest {
 protected:
  void SetUp() override {
    HeadlessGameTest::SetUp();
    // SetUp runs again over the same folder when a test restarts the program.
    dir.use();
    Startup().EndProgram = [this] { ++ends; };
    Media().SilentOutput = true;
  }
  void TearDown() override {
    HeadlessGameTest::TearDown();
    Startup().EndProgram = nullptr;
    sys::setAppFolderForTests("");
  }
  // The program as it stands once start-up is done.
  void start() {
    Main();
    ui::DoEvents();
  }
  void pump(double ms = 20) {
    clk->advanceMs(ms);
    ui::DoEvents();
  }
  // Presses a control by clicking its middle through the toolkit.
  void clickOn(const ui::Control& c) {
    const gfx::Rect r = c.frameRect();
    pump();
    hb->click(r.left + r.width() / 2, r.top + r.height() / 2);
    pump();
  }
  void press(int vk) {
    hb->key(vk);
    pump();
  }
  // Runs `look` the first time the program waits for input with none queued (a human seat's
  // dice menu in a game, say); `look` may queue the input that ends the wait.
  void atFirstWait(std::function<void()> look) {
    hb->onIdle = [look, done = false]() mutable {
      if (done) return;
      done = true;
      look();
    };
  }
  void clickLater(const ui::Control& c) {
    const gfx::Rect r = c.frameRect();
    hb->click(r.left + r.width() / 2, r.top + r.height() / 2);
  }

  testing_support::GameFolder dir;
  int ends = 0;
};
