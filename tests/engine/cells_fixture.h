// A game's board in the main window, headless: a small map written as text, the four default
// characters on it, silent sounds, a virtual clock and every message recorded. The engine's
// cell tests script the random numbers (support/draws.h) and read the messages back.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "data/board.h"
#include "engine/chara_setup.h"
#include "presentation/board_draw.h"
#include "presentation/panels_fixture.h"
#include "presentation/sprites.h"
#include "support/draws.h"
#include "system/media.h"
#include "system/random.h"

class CellsTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    Media().SilentOutput = true;
    DirectMediaInit();
    SetBoard({});
    Init05CharaSetup();
  }

  PlayerRecord& player(int i) { return Game().Players[static_cast<size_t>(i)]; }

  // Rows of space-separated codes from row 0 down; rows not given are empty, and a row shorter
  // than the board is filled with its last code.
  void SetBoard(const std::vector<std::string>& rows) {
    for (int r = 0; r < kBoardRows; ++r) {
      std::vector<std::string> codes{"00"};
      if (r < static_cast<int>(rows.size())) {
        codes.clear();
        const std::string& row = rows[static_cast<size_t>(r)];
        for (size_t at = 0; at < row.size(); at += 3) codes.push_back(row.substr(at, 2));
      }
      for (int c = 0; c < kBoardColumns; ++c) SetCell(c, r, codes[std::min(static_cast<size_t>(c), codes.size() - 1)]);
    }
    DrawMap();
  }
  void SetCell(int col, int row, const std::string& code) {
    SetMapCell(Game().Board[static_cast<size_t>(col)][static_cast<size_t>(row)], code);
  }
  const std::string& Code(int col, int row) {
    return Game().Board[static_cast<size_t>(col)][static_cast<size_t>(row)].Code;
  }

  // Puts player i's piece on a cell, with its stop point there too.
  void Place(int i, int col, int row) {
    PlayerRecord& p = player(i);
    p.xPos = 32 * col;
    p.yPos = 32 * row;
    p.BackMapX = col;
    p.BackMapY = row;
    WriteCharaSet(i, 0);
  }
  std::pair<int, int> Cell(int i) { return {player(i).xPosMap, player(i).yPosMap}; }
  std::pair<int, int> StopPoint(int i) { return {player(i).BackMapX, player(i).BackMapY}; }
};
