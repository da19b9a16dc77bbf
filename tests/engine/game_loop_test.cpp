// One pass over the seats: the draws it makes for every seat, the computer's command, the goal
// pass and a human's turn through the real dice menu.
#include "engine/game_loop.h"

#include <string>
#include <vector>

#include "engine_fixture.h"
#include "presentation/menu.h"
#include "support/scripted_human.h"

namespace {

using GameLoopTest = EngineTest;

const UcButton& saveButton() { return frmMain().UcBtnClose[GetTagToIndex("保存")]; }

// With every piece off the board nobody plays, so a pass draws only the encounter chances: one
// per seat from the pass's first seat, playing or not.
TEST_F(GameLoopTest, APassDrawsTheEncounterChanceForEverySeatFromItsFirst) {
  struct Case {
    int resume;
    std::vector<int> levels;  // sMonsterLv after the pass; 7: the seat was not visited
  };
  const Case cases[] = {
      {-1, {1, 0, 1, 0}},
      {2, {7, 7, 1, 0}},
      {-5, {1, 0, 1, 0}},  // a damaged saved game: taken as -1
      {4, {1, 0, 1, 0}},   // no such seat: the pass starts at seat 0
  };
  running();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.resume);
    GameData& g = Game();
    for (int i = 0; i < 4; ++i) {
      PlayerRecord& p = seat(i, i == 1 ? 0 : 2, 3, 2);
      p.yPosMap = -1;
      p.sMonsterLv = 7;
      p.sMeet = true;
    }
    g.ResumePlayer = c.resume;
    g.CurrentPlayer = -1;
    ScriptedRandom draws{kYes, kNo, kYes, kNo};
    EXPECT_FALSE(Init11GameTurn());
    EXPECT_EQ(draws.draws(), c.levels[0] == 7 ? 2u : 4u);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(g.Players[static_cast<size_t>(i)].sMonsterLv, c.levels[static_cast<size_t>(i)]) << i;
      EXPECT_EQ(g.Players[static_cast<size_t>(i)].sMeet, c.levels[static_cast<size_t>(i)] == 7) << i;
    }
    EXPECT_EQ(g.ResumePlayer, -1);
    EXPECT_EQ(g.CurrentPlayer, -1);
    EXPECT_TRUE(messages.empty());
  }
}

// A computer's command: the direction, then a herb at low life (80 %), then a treasure hunt
// without herbs at lower life (30 %); both chances drawn every time, in that order.
TEST_F(GameLoopTest, AComputerChoosesItsCommandByItsRules) {
  struct Case {
    int herbs, life, lifeMax;
    double herbDraw, huntDraw;
    const char* said;
  };
  const Case cases[] = {
      {2, 10, 20, kYes, kNo, "「モグモグ・・・」"},  // 10 < 20 * 3 / 4
      {2, 10, 20, kNo, kYes, "１コマ左へ"},
      {2, 15, 20, kYes, kYes, "１コマ左へ"},            // 15 is not below 15
      {0, 8, 19, kNo, kYes, "「なにかないかなぁー」"},  // 8 < 19 \ 2
      {0, 9, 19, kYes, kYes, "１コマ左へ"},             // 9 is not below 9
      {0, 8, 19, kYes, kNo, "１コマ左へ"},              // the herb's draw is not the hunt's
      {1, 1, 20, kNo, kYes, "１コマ左へ"},              // a herb in hand: no hunt
  };
  running();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.herbs) + " herbs, life " + std::to_string(c.life) + "/" + std::to_string(c.lifeMax));
    messages.clear();
    PlayerRecord& p = seat(0, 2, 10, 2);
    p.sDrug = c.herbs;
    p.sLife = c.life;
    p.sLifeMax = c.lifeMax;
    // Encounter, direction (an empty row: left at 50 %), herb, hunt; then the die (a 1).
    ScriptedRandom draws{kNo, kYes, c.herbDraw, c.huntDraw, 0.0, 0.2};
    Init11GameTurn();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0], p.sName + "の番:");
    EXPECT_EQ(messages[1], c.said);
  }
}

// Seat 1 finishes in its turn: seats 2 and 3 still play, with the save button off, and the
// pass reports the goal.
TEST_F(GameLoopTest, APassWithAGoalRunsToItsEndWithoutSaving) {
  running();
  for (int i = 0; i < 4; ++i) seat(i, 2, 4 * i + 2, 2);
  Game().Players[1].EndingFlug = true;
  std::vector<std::string> seen;
  messageWindow().onWrite = [&](std::string_view t, bool) {
    if (t.ends_with("の番{0&}:"))
      seen.push_back(std::to_string(Game().CurrentPlayer) + (saveButton().Enabled() ? " save" : " no save"));
  };
  EXPECT_TRUE(Init11GameTurn());
  EXPECT_EQ(seen, (std::vector<std::string>{"0 save", "1 save", "2 no save", "3 no save"}));
  EXPECT_FALSE(saveButton().Enabled());
}

TEST_F(GameLoopTest, AHumanAnswersTheDiceMenuByMouseOrKeys) {
  running();
  PlayerRecord& p = seat(0, 1, 10, 2);
  p.sDrug = 0;
  p.sLife = 5;
  p.sLifeMax = 20;
  testing_support::ScriptedHuman human(program.backend(), 3);
  // First a click on 薬草 without a herb: the same player is asked again; then the key "Z",
  // the first button (←).
  std::vector<std::vector<std::string>> menus;
  human.choose = [&](const std::vector<int>& indexes, const std::vector<std::string>& keys) {
    menus.push_back(keys);
    return indexes[2];
  };
  int keys = 0;
  human.before = [&] {
    if (human.presses() == 0) return false;
    if (keys++ == 0) program.backend().key('Z');
    return true;
  };
  ScriptedRandom draws{kNo, 0.0, 0.2};  // no encounter; a 1 on the die
  Init11GameTurn();
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0], (std::vector<std::string>{"←", "→", "薬草", "宝探し"}));
  EXPECT_EQ(count(p.sName + "の番:"), 2u);
  EXPECT_TRUE(said("薬草を持っていない！"));
  EXPECT_TRUE(said("１コマ左へ"));
  EXPECT_EQ(p.xPosMap, 9);
  EXPECT_FALSE(frmMain().PicMenu.visible());
}

TEST_F(GameLoopTest, AGameNobodyCanPlayEndsAtOnce) {
  Game().TurnCount = 1;
  Init10GameLoop01();
  EXPECT_EQ(messages, (std::vector<std::string>{"ゲームスタート!!", " ", "おつかれさまでした"}));
  EXPECT_EQ(Game().TurnCount, 1);
  EXPECT_FALSE(GameLoopRunning());
}

}  // namespace
