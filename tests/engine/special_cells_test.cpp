// The stop sign, the toll gate, the old man, the god and the goal: their scenes, what they take
// and give, and the question a human answers through the real menu buttons.
#include "engine/special_cells.h"

#include <gtest/gtest.h>

#include "engine/cell_events.h"
#include "engine/cells_fixture.h"
#include "presentation/game_windows.h"
#include "presentation/menu.h"
#include "support/headless_program.h"
#include "support/new_game.h"
#include "support/scripted_human.h"

using namespace testing_support;

namespace {

class SpecialCellsTest : public CellsTest {
 protected:
  void SetUp() override {
    CellsTest::SetUp();
    Place(1, 6, 2);
  }
  PlayerRecord& p() { return player(1); }
  // The title drawn in the event window's band, against a window opened with `title`.
  bool TitleIs(const std::string& title) {
    const gfx::Surface shown = frmMain().PicWinBase.surface();
    WriteWindow(1, true, title, true);
    return shown.pixels() == frmMain().PicWinBase.surface().pixels();
  }
};

TEST_F(SpecialCellsTest, TheStopSignHaltsTheWalkInAWindowThatCloses) {
  const int64_t mark = clk->now();
  EXPECT_FALSE(Init20Stop(1));
  EXPECT_NEAR(secondsSince(mark), 0.5, 1e-9);
  EXPECT_EQ(messages, std::vector<std::string>{"ここは、一旦停止だよ"});
  EXPECT_FALSE(frmMain().PicWinBase.visible());
  EXPECT_EQ(frmMain().WindowID, 1);
  EXPECT_TRUE(TitleIs("止まれ"));
}

TEST_F(SpecialCellsTest, TheTollIsPaidByWhoeverHasIt) {
  struct Case {
    int32_t toll, money, after;
    const char* answer;
  };
  const Case cases[] = {
      {7, 7, 0, "さぁ、通ってくれ。"},
      {7, 6, 6, "あら、お金ないのね。じゃあ、いいや。"},
      {5, 30, 25, "さぁ、通ってくれ。"},
      {10, 9, 9, "あら、お金ないのね。じゃあ、いいや。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.toll * 100 + c.money);
    p().sMoney = c.money;
    messages.clear();
    ScriptedRandom script{Range(5, 10, c.toll)};
    const int64_t mark = clk->now();
    EXPECT_TRUE(Init20Ryokinjyo(1));
    EXPECT_NEAR(secondsSince(mark), 2.0, 1e-9);
    EXPECT_EQ(messages, (std::vector<std::string>{"料金所" + std::to_string(c.toll) + "ＧＰもらうよ。", c.answer}));
    EXPECT_EQ(p().sMoney, c.after);
    EXPECT_TRUE(frmMain().PicWinBase.visible());
    EXPECT_EQ(script.draws(), 1u);
  }
  EXPECT_TRUE(TitleIs("料金所"));
}

TEST_F(SpecialCellsTest, AComputerIgnoresTheOldManAndTheGodAndMeetsAMonster) {
  p().sUser = 2;
  p().sMoney = 20;
  for (auto scene : {&Init20Roujin, &Init20God}) {
    p().sMonsterLv = 0;
    messages.clear();
    ScriptedRandom script{Range(1, 6, 4)};
    scene(1);
    EXPECT_EQ(messages.back(), "ピクピク・・・");
    EXPECT_EQ(p().sMonsterLv, 1);
    EXPECT_EQ(p().sMoney, 20);
    EXPECT_EQ(script.draws(), 1u);
    EXPECT_EQ(Menu().MenuChoice, "0");
    EXPECT_TRUE(TitleIs("謎の老人"));
  }
  EXPECT_EQ(messages.front(), "4ＧＰでサイコロ勝負しよう。1・3・5が出れば運と力を上げるよ。");
}

TEST_F(SpecialCellsTest, TheGoalTakesThePieceOffTheBoard) {
  SetBoard({"00", "01", "00", "01", "00", "01", "00", "01", "00", "01"});
  SetCell(6, 2, "E2");
  Place(1, 6, 2);
  const int64_t mark = clk->now();
  Init13StopMap(1);
  EXPECT_NEAR(secondsSince(mark), 1.0, 1e-9);
  EXPECT_EQ(messages, std::vector<std::string>{"おめでとう、これで、あなたは、クリアです!!"});
  EXPECT_TRUE(p().EndingFlug);
  EXPECT_EQ(p().yPosMap, -1);
  EXPECT_TRUE(TitleIs("ゴール"));
  // It is drawn no more.
  WriteCharaSet(1, 0);
  for (int y = 64; y < 96; ++y)
    for (int x = 192; x < 224; ++x)
      ASSERT_EQ(frmMain().PicMap.surface().pixel(x, y), frmMain().PicMapUra.surface().pixel(x, y)) << x << "," << y;

  // A sign pointing up from the second storey climbs off the top: the goal as well.
  SetCell(6, 2, "72");
  SetCell(6, 1, "00");
  Place(1, 6, 2);
  p().EndingFlug = false;
  messages.clear();
  Init13StopMap(1);
  EXPECT_EQ(messages, (std::vector<std::string>{"矢印の方向へ", "おめでとう、これで、あなたは、クリアです!!"}));
  EXPECT_TRUE(p().EndingFlug);
}

// The real program with a human in seat 1 at the old man's or the god's question.
class QuestionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program.start(3);
    StartGame();
    p().sUser = 1;
    p().sMoney = 10;
    p().sStr = 5;
    p().sLuck = 5;
    p().sMonsterLv = 0;
    messageWindow().onWrite = [this](std::string_view t, bool) { messages.emplace_back(t); };
  }
  PlayerRecord& p() { return Game().Players[1]; }
  // A game's screen, as the game loop lays it out: the start screen's seat panels go.
  void StartGame() {
    testing_support::LayOutNewGame();
    for (int i = 0; i < 4; ++i) frmMain().PicStMenu[i].setVisible(false);
  }
  // Presses the buttons with these keys, one a question.
  void Answer(std::vector<std::string> keys) {
    human.choose = [this, keys](const std::vector<int>& indexes, const std::vector<std::string>& shown) {
      const std::string& want = keys[static_cast<size_t>(human.presses()) % keys.size()];
      for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i] == want) return indexes[i];
      ADD_FAILURE() << want << " is not on show";
      return indexes[0];
    };
  }
  // The human presses "戻る" on the top bar instead of answering the k-th question (from 0).
  void LeaveAt(int k) {
    human.before = [this, k] {
      if (human.presses() < k || Menu().MenuCommand != "質問") return false;
      const gfx::Rect r = frmMain().UcBtnClose[GetTagToIndex("戻る")].frameRect();
      program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
      human.before = nullptr;
      return true;
    };
  }
  testing_support::HeadlessProgram program{false};
  testing_support::ScriptedHuman human{program.backend(), 11};
  std::vector<std::string> messages;
};

TEST_F(QuestionTest, TheOldManTakesEachAnswerAsItComes) {
  struct Case {
    const char* key;
    int32_t request;
    std::vector<double> draws;  // the request, then what the answer draws
    std::vector<std::string> said;
    int32_t money, str, monsterLv;
  };
  const Case cases[] = {
      {"はい", 6, {kYes}, {"ありがとう。・・・ふっふっ", "力と運が1づつあがった"}, 4, 6, 0},
      {"はい", 3, {kNo}, {"ありがとう。・・・ふっふっ"}, 7, 5, 0},
      {"いいえ", 3, {}, {"ふっ・・・金をよこせばいいものを・・・"}, 10, 5, 2},
      {"攻撃", 1, {}, {"ギギギギ・・・怒りのモンスターよ仇を！"}, 10, 5, 3},
      {"無視", 2, {}, {"ピクピク・・・"}, 10, 5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    p().sMoney = 10;
    p().sStr = 5;
    p().sMonsterLv = 0;
    messages.clear();
    Answer({c.key});
    // The monster "無視" sends is not fought here: an empty table has none to send.
    if (c.monsterLv == 1) Game().Monsters.clear();
    ScriptedRandom script{Range(1, 6, c.request)};
    for (double d : c.draws) script.push(d);
    Init20Roujin(1);
    EXPECT_EQ(script.draws(), c.draws.size() + 1);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), "おじょうさん、" + std::to_string(c.request) + "ＧＰのおめぐみを・・・");
    EXPECT_EQ(std::vector<std::string>(messages.begin() + 1, messages.end()), c.said);
    EXPECT_EQ(p().sMoney, c.money);
    EXPECT_EQ(p().sStr, c.str);
    EXPECT_EQ(p().sMonsterLv, c.monsterLv);
  }
  // Giving more than one has leaves nothing, never less.
  p().sMoney = 2;
  Answer({"はい"});
  ScriptedRandom script{Range(1, 6, 5), kNo};
  Init20Roujin(1);
  EXPECT_EQ(p().sMoney, 0);
}

TEST_F(QuestionTest, TheGodAsksAgainWhenTheStakeIsMissingAndBetsOtherwise) {
  p().sMoney = 2;
  Answer({"はい", "いいえ"});
  ScriptedRandom script{Range(1, 6, 4)};
  Init20God(1);
  const std::string offer = "4ＧＰでサイコロ勝負しよう。1・3・5が出れば運と力を上げるよ。";
  EXPECT_EQ(messages, (std::vector<std::string>{offer, "{1&F84}{1&F44}お金が足りませんよ～", offer,
                                                "ふっ・・・金をよこせばいいものを・・・"}));
  EXPECT_EQ(p().sMoney, 2);
  EXPECT_EQ(p().sMonsterLv, 2);

  // With the stake the die is rolled: odd faces up to 5 win.
  p().sMoney = 10;
  messages.clear();
  Answer({"はい"});
  script.push(Range(1, 6, 4));
  Init20God(1);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(p().sMoney, 10 - 4);
  const bool won = messages[1] == "力と運が3づつあがった";
  if (!won) EXPECT_EQ(messages[1], "ざんねんだねぇ・・・ぷぷっ");
  EXPECT_EQ(p().sStr, won ? 8 : 5);
  EXPECT_EQ(p().sLuck, won ? 8 : 5);
}

// The bet rolled on the real die: 1, 3 and 5 win; 2, 4, 6 and the blank face's second draw lose,
// even an odd 7 or 9, while a second draw of 1 wins. The roll counts to the score either way.
TEST_F(QuestionTest, TheGodsBetIsWonOnlyByOneThreeOrFive) {
  struct Case {
    int32_t roll;
    bool blank;  // the die stops on the blank face and draws the roll anew
    bool won;
  };
  const Case cases[] = {{1, false, true}, {2, false, false}, {3, false, true}, {4, false, false},
                        {5, false, true}, {6, false, false}, {1, true, true},  {3, true, true},
                        {7, true, false}, {9, true, false},  {10, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.roll) + (c.blank ? " from the blank face" : ""));
    p().sMoney = 10;
    p().sStr = p().sLuck = 5;
    p().sScore = 20;
    messages.clear();
    Answer({"はい"});
    // Three faces scroll (n = 2), so the die stops three faces above where it started on the strip
    // of 6 5 4 3 2 1 and the blank.
    const int32_t stop = c.blank ? 6 : 6 - c.roll;
    ScriptedRandom script{Range(1, 6, 3), Range(1, 6, 1), Range(0, 6, (stop + 3) % 7)};
    if (c.blank) script.push(Range(1, 10, c.roll));
    Init20God(1);
    EXPECT_EQ(script.remaining(), 0u);
    EXPECT_EQ(messages, (std::vector<std::string>{"3ＧＰでサイコロ勝負しよう。1・3・5が出れば運と力を上げるよ。",
                                                  c.won ? "力と運が3づつあがった" : "ざんねんだねぇ・・・ぷぷっ"}));
    EXPECT_EQ(p().sMoney, 7);
    EXPECT_EQ(p().sStr, c.won ? 8 : 5);
    EXPECT_EQ(p().sLuck, c.won ? 8 : 5);
    EXPECT_EQ(p().sScore, 20 + c.roll);
  }
}

TEST_F(QuestionTest, LeavingTheGameDuringAQuestionEndsTheSceneWithoutAnAnswer) {
  const std::string offer = "4ＧＰでサイコロ勝負しよう。1・3・5が出れば運と力を上げるよ。";
  struct Case {
    void (*scene)(int32_t);
    int leaveAt;  // the god asks twice without the stake: the leave falls on the second
    std::vector<std::string> said;
  };
  const Case cases[] = {
      {&Init20Roujin, 0, {"おじょうさん、4ＧＰのおめぐみを・・・"}},
      {&Init20God, 1, {offer, "{1&F84}{1&F44}お金が足りませんよ～", offer}},
  };
  for (const Case& c : cases) {
    StartGame();
    p().sUser = 1;
    p().sMoney = 0;
    p().sMonsterLv = 0;
    messages.clear();
    Answer({"はい"});
    LeaveAt(c.leaveAt);
    ScriptedRandom script{Range(1, 6, 4)};
    bool left = false;
    {
      GameLoopScope loop;
      try {
        c.scene(1);
      } catch (const GameLeft&) {
        left = true;
      }
    }
    EXPECT_TRUE(left);
    EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
    EXPECT_EQ(p().sMonsterLv, 0);
    // Nothing after the question but the title's own line.
    ASSERT_EQ(messages.size(), c.said.size() + 1);
    EXPECT_EQ(std::vector<std::string>(messages.begin(), messages.end() - 1), c.said);
  }
}

}  // namespace
