// The real program, headless, in a running game with one seat at a shop: every message written
// is kept, and the test drives the window frame by frame through the backend's onIdle, which
// runs at every human wait and every frame of the games.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "data/game_data.h"
#include "presentation/main_form.h"
#include "presentation/message.h"
#include "support/headless_program.h"
#include "sys/clock.h"

class FacilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start(5);
    frmMain().PicStatusUp.Tag = "開始";
    messageWindow().onWrite = [this](std::string_view t, bool) {
      messages.emplace_back(t);
      if (onMessage) onMessage(messages.back());
    };
    GameData& g = Game();
    g.SoubaPrice = {Fixed(15), Fixed(4), Fixed(2), Fixed(3), Fixed(3)};
    for (int i = 0; i < 4; ++i) g.Players[static_cast<size_t>(i)].sUser = 0;
    PlayerRecord& p = seat();
    p.sUser = 2;
    p.sMoney = 0;
    p.sDrug = 0;
    p.sLifeMax = 40;
    p.sLife = 40;
  }
  void TearDown() override { program.backend().onIdle = nullptr; }

  PlayerRecord& seat(int i = 0) { return Game().Players[static_cast<size_t>(i)]; }
  bool said(const std::string& text) const {
    return std::find(messages.begin(), messages.end(), text) != messages.end();
  }
  // The messages from the first that equals `text` on ("" when it was never written).
  std::vector<std::string> from(const std::string& text) const {
    auto it = std::find(messages.begin(), messages.end(), text);
    return {it, messages.end()};
  }
  double seconds() { return static_cast<double>(program.clock().now()) / 1e9; }

  // Presses a control through the window's input.
  void clickAt(const ui::Control& c, int dx = -1, int dy = -1) {
    const gfx::Rect r = c.frameRect();
    program.backend().click(r.left + (dx < 0 ? r.width() / 2 : dx), r.top + (dy < 0 ? r.height() / 2 : dy));
  }

  testing_support::HeadlessProgram program{false};
  std::vector<std::string> messages;
  std::function<void(const std::string&)> onMessage;
};
