// Fights on the real program, headless, with a game on: four computer seats, every message kept
// as the screen shows it (an open line and its continuation make one line), a monster portrait
// of our own in place of the shipped art, and a way to leave the game when a message appears.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/game_data.h"
#include "gfx/blit.h"
#include "gfx/color.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "support/draws.h"
#include "support/headless_program.h"
#include "system/picture_store.h"
#include "system/random.h"

namespace fight_testing {

using namespace testing_support;

// The row of the character sheet that holds the fixture portrait.
inline constexpr int32_t kFixtureRow = 28;

class FightTest : public ::testing::Test {
 public:
  void SetUp() override {
    program.start(5);
    for (int i = 0; i < 4; ++i) {
      PlayerRecord& p = seat(i);
      p.sUser = 2;
      p.sExpNext = 1000;  // no level-up messages in between
    }
    fresh = Game().Players;
    messageWindow().onWrite = [this](std::string_view text, bool keepOpen) { record(text, keepOpen); };
    Reset();
  }
  // A fresh start for the next case of a table: the seats as set up, nothing written yet.
  virtual void Reset() {
    Game().Players = fresh;
    frmMain().PicStatusUp.Tag = "開始";
    Menu().MenuCommand = "";
    lines.clear();
    open = false;
    leaveAt.clear();
    FixturePortrait(0);
  }

  PlayerRecord& seat(int i) { return Game().Players[static_cast<size_t>(i)]; }
  PlayerRecord& opponent() { return Game().Players[4]; }

  // The opponent slot holds a plain monster drawn with the fixture portrait.
  PlayerRecord& SetOpponent(int32_t level, int32_t life) {
    PlayerRecord& m = opponent();
    m = PlayerRecord{};
    m.sName = "テスト";
    m.sColor = "{1&FFF}";
    m.sLevel = level;
    m.sLife = m.sLifeMax = life;
    m.sStr = m.sLuck = 1;
    m.yPos = kFixtureRow;
    return m;
  }

  // The fixture portrait: columns from `opaqueFrom` on are solid, the rest see-through; stretched
  // over the 200-pixel window, column c of the cell covers x from c * 6.25 on.
  static void FixturePortrait(int opaqueFrom) {
    gfx::Surface& sheet = frmPic().PicChara.surface();
    const int top = kFixtureRow * 32;
    gfx::fillRect(sheet, {0, top, 32, top + 32}, gfx::kMagenta);
    gfx::fillRect(sheet, {opaqueFrom, top, 32, top + 32}, gfx::rgb(40, 90, 160));
  }

  // Leaves the game (the top strip's mark) once a message containing `text` is written.
  void LeaveAt(std::string text) { leaveAt = std::move(text); }

  bool Saw(std::string_view text) const {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) != l.npos; });
  }
  size_t Count(std::string_view text) const {
    return static_cast<size_t>(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) != l.npos; }));
  }

  HeadlessProgram program{false};
  std::vector<std::string> lines;  // as on screen
  std::string leaveAt;
  std::array<PlayerRecord, 5> fresh;

 private:
  void record(std::string_view text, bool keepOpen) {
    if (open && !lines.empty())
      lines.back() += text;
    else if (!text.empty() || keepOpen)
      lines.emplace_back(text);
    open = keepOpen;
    if (!leaveAt.empty() && std::string_view(lines.empty() ? "" : lines.back()).find(leaveAt) != std::string::npos) {
      leaveAt.clear();
      frmMain().PicStatusUp.Tag = "ゲーム";
    }
  }
  bool open = false;
};

// Draws that make a computer's battle command the plain attack: none of its chances comes true.
// `special` is the number of extra chances the defender's special code brings (0, 1 or 3).
inline void ComputerAttacks(ScriptedRandom& s, int special = 0) {
  for (int i = 0; i < 5 + special; ++i) s.push(kNo);
}

// Draws of a computer's sight that stop it at once at (x, y), for a sight spread S.
inline void AimAt(ScriptedRandom& s, int32_t spread, int32_t x, int32_t y) {
  s.push(kNo);  // the spread's 40 % narrowing
  for (int32_t v : {x, y}) {
    s.push(v < 100 ? kOneInYes : kOneInNo);
    s.push(Range(0, spread, v < 100 ? 100 - v : v - 100));
  }
  s.push(kNo);   // the bull's-eye
  s.push(kYes);  // the sight stops
}

}  // namespace fight_testing
