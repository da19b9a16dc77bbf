// The real program, headless and on its game clock, with a board made for the test: every
// floor empty over a row of walls, seats placed by hand, the messages kept as plain text.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/board.h"
#include "data/game_data.h"
#include "presentation/controls/UCFont.h"
#include "presentation/main_form.h"
#include "presentation/message.h"
#include "support/draws.h"
#include "support/headless_program.h"
#include "system/random.h"

using testing_support::kNo;
using testing_support::kYes;

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start(1);
    NewBlankMap();
    for (size_t i = 0; i < 4; ++i) Game().Players[i].sUser = 0;
    messageWindow().onWrite = [this](std::string_view t, bool) { messages.push_back(UCFont::GetTextNatural(t)); };
  }

  // Seat id of the given kind standing at column c, row r; its stop point is the start cell.
  PlayerRecord& seat(int id, int kind, int c, int r) {
    PlayerRecord& p = Game().Players[static_cast<size_t>(id)];
    p.sUser = kind;
    p.xPos = c * 32;
    p.yPos = r * 32;
    p.xPosMap = c;
    p.yPosMap = r;
    p.BackMapX = 0;
    p.BackMapY = 8;
    return p;
  }
  static void cell(int c, int r, const char* code) {
    SetMapCell(Game().Board[static_cast<size_t>(c)][static_cast<size_t>(r)], code);
  }
  bool said(std::string_view text) const { return std::find(messages.begin(), messages.end(), text) != messages.end(); }
  size_t count(std::string_view text) const {
    return static_cast<size_t>(std::count(messages.begin(), messages.end(), text));
  }
  static void running() { frmMain().PicStatusUp.Tag = "開始"; }

  testing_support::HeadlessProgram program{false};
  std::vector<std::string> messages;
};
