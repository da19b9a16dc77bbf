// A headless toolkit with a virtual clock and a shown 800 x 600 main window.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backend/headless/headless_backend.h"
#include "sys/clock.h"
#include "ui/picture_box.h"
#include "ui/toolkit.h"
#include "ui/window.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto b = std::make_unique<ui::HeadlessBackend>();
    hb = b.get();
    ui::init(std::move(b));
    win = std::make_unique<ui::Window>("frmMain", true);
    win->setCaption("VorakTalmor");
    win->show();
  }
  void TearDown() override {
    win.reset();
    ui::shutdown();
  }
  // Pumps once, a little later than the last pump, so that presents and clicks are apart.
  void pump(double ms = 10) {
    clk->advanceMs(ms);
    ui::DoEvents();
  }
  const gfx::Surface& composed() {
    ui::Present(true);
    return hb->lastFrame();
  }
  // Records events as short strings, e.g. "down:Pic:1@3,4".
  void record(ui::Control& c) {
    std::string n = c.name();
    c.MouseDown = [this, n](int b, int, int x, int y) {
      log.push_back("down:" + n + ":" + std::to_string(b) + "@" + std::to_string(x) + "," + std::to_string(y));
    };
    c.MouseUp = [this, n](int b, int, int x, int y) {
      log.push_back("up:" + n + ":" + std::to_string(b) + "@" + std::to_string(x) + "," + std::to_string(y));
    };
    c.MouseMove = [this, n](int b, int, int x, int y) {
      log.push_back("move:" + n + ":" + std::to_string(b) + "@" + std::to_string(x) + "," + std::to_string(y));
    };
    c.Click = [this, n] { log.push_back("click:" + n); };
    c.DblClick = [this, n] { log.push_back("dbl:" + n); };
  }

  sys::ScopedVirtualClock clk;
  ui::HeadlessBackend* hb = nullptr;
  std::unique_ptr<ui::Window> win;
  std::vector<std::string> log;
};
