// What the floor under a piece and the cell it stands on do once it has stopped, with the order
// of every draw scripted.
#include "engine/cell_events.h"

#include <gtest/gtest.h>

#include <regex>

#include "data/monsters.h"
#include "engine/cells_fixture.h"

using namespace testing_support;

namespace {

// An empty cell to stand on draws four chances of a happening; these bring none.
const std::vector<double> kQuiet = {kOneInNo, kOneInNo, kOneInNo, kOneInNo};

std::vector<double> operator+(std::vector<double> a, const std::vector<double>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class CellEventsTest : public CellsTest {
 protected:
  // Player 1 stops with exactly these draws.
  void Stop(const std::vector<double>& draws) {
    ScriptedRandom script{};
    for (double d : draws) script.push(d);
    messages.clear();
    Init13StopMap(1);
    EXPECT_EQ(script.remaining(), 0u) << "fewer draws than scripted";
    EXPECT_EQ(script.draws(), draws.size()) << "more draws than scripted";
  }
  // A floor of walls under every standing row.
  void Floors() { SetBoard({"00", "01", "00", "01", "00", "01", "00", "01", "00", "01"}); }
  PlayerRecord& p() { return player(1); }
};

TEST_F(CellEventsTest, APieceFallsRowByRowWithACryEachUntilAFloorHoldsIt) {
  Floors();
  SetCell(6, 3, "00");
  SetCell(6, 5, "00");
  Place(1, 6, 2);
  p().BackMapX = 1;
  p().BackMapY = 8;
  // The cries are a chain: 50 %, else 30 %, else 30 %, else 30 %, else the last one.
  Stop(std::vector<double>{kYes, kNo, kYes, kNo, kNo, kYes, kNo, kNo, kNo, kNo} + kQuiet);
  EXPECT_EQ(messages, (std::vector<std::string>{"あ～～～", "あ～れ～", "うわぁ～", "アレー"}));
  EXPECT_EQ(Cell(1), std::make_pair(6, 6));
  EXPECT_EQ(StopPoint(1), std::make_pair(6, 6));
}

TEST_F(CellEventsTest, FallingBelowTheLowestFloorComesBackInAtTheTop) {
  Floors();
  SetCell(6, 9, "00");
  Place(1, 6, 8);
  Stop(std::vector<double>{kYes} + kQuiet);
  EXPECT_EQ(Cell(1), std::make_pair(6, 0));
  EXPECT_EQ(StopPoint(1), std::make_pair(6, 0));
}

TEST_F(CellEventsTest, APieceOverAColumnWithNoFloorGoesRoundOnceAndRests) {
  Place(1, 6, 4);
  RandomSeed(13);
  messages.clear();
  Init13StopMap(1);
  // From rows 4 to 8, then in at the top and down from rows 0 to 3: nine falls, nine cries.
  const std::vector<std::string> cries = {"あ～～～", "あ～れ～", "うわぁ～", "きゃ～", "アレー"};
  const auto cried = std::count_if(messages.begin(), messages.end(), [&](const std::string& m) {
    return std::find(cries.begin(), cries.end(), m) != cries.end();
  });
  EXPECT_EQ(cried, 9);
  EXPECT_EQ(Cell(1), std::make_pair(6, 4));
  EXPECT_EQ(StopPoint(1), std::make_pair(6, 4));
}

TEST_F(CellEventsTest, BoardsOfHolesAndBrokenRecordsEndWithThePieceOnTheBoard) {
  // Split holes everywhere: every landing drops again until the piece lands where it fell from.
  SetBoard(std::vector<std::string>(kPlayRows, "30"));
  Place(1, 6, 2);
  RandomSeed(5);
  Init13StopMap(1);
  EXPECT_GE(p().yPosMap, 0);
  EXPECT_LT(p().yPosMap, kPlayRows);
  // A record whose cell disagrees with its pixels reads the board inside its bounds (outside
  // it there is no floor), and one beyond the right edge comes back in on the left.
  Floors();
  Place(1, 6, 2);
  p().xPosMap = 99;
  p().yPosMap = -40;
  Init13StopMap(1);
  EXPECT_EQ(Cell(1), std::make_pair(6, 4));
  p().xPos = 5000;
  Init13StopMap(1);
  EXPECT_EQ(Cell(1), std::make_pair(0, 4));
}

TEST_F(CellEventsTest, CracksShakeAndGiveWayByTheirVariant) {
  struct Case {
    const char* code;
    double draw;
    const char* after;
  };
  const Case cases[] = {
      {"10", kYes, "00"}, {"10", kNo, "11"},  // 20 %: the first crack mostly survives, weaker
      {"11", kYes, "00"}, {"11", kNo, "12"},  // 30 %
      {"12", kYes, "00"}, {"12", kNo, "12"},  // 80 %, and it stays as it is
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + (c.draw == kYes ? " yes" : " no"));
    Floors();
    SetCell(6, 3, c.code);
    Place(1, 6, 2);
    const int64_t mark = clk->now();
    const bool broke = std::string(c.after) == "00";
    // Through the broken floor and on down to the next one.
    Stop(std::vector<double>{c.draw} + (broke ? std::vector<double>{kYes, kYes} : std::vector<double>{}) + kQuiet);
    EXPECT_EQ(Code(6, 3), c.after);
    const std::vector<std::string> said =
        broke ? std::vector<std::string>{"むむぅ。揺れるなぁ・・・", "あ～～～", "あ～～～"}
              : std::vector<std::string>{"むむぅ。揺れるなぁ・・・", "ふぅ～"};
    EXPECT_EQ(messages, said);
    EXPECT_EQ(Cell(1), std::make_pair(6, broke ? 4 : 2));
    if (!broke) EXPECT_NEAR(secondsSince(mark), 3.0, 1e-9);
  }
}

TEST_F(CellEventsTest, SplitHolesDropThePieceToASideOnce) {
  struct Case {
    const char* code;
    bool floor;  // the hole is in the floor (two rows down) or is the cell stood on (one row)
    double draw;
    int col, row;
  };
  const Case cases[] = {
      {"30", true, kYes, 9, 4},  {"30", true, kNo, 11, 4},   // left with 50 %
      {"31", true, kYes, 9, 4},  {"32", true, kYes, 11, 4},  // left with 70 %; right with 70 %
      {"32", true, kNo, 9, 4},   {"30", false, kYes, 9, 3},  // stood on: left with 70 %
      {"31", false, kNo, 11, 3}, {"32", false, kYes, 9, 3},  // 50 %; 30 %
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + (c.floor ? " under" : " on") + (c.draw == kYes ? " yes" : " no"));
    SetBoard({"00", "01", "00", "01", "00", "01"});
    if (c.floor) {
      SetCell(10, 3, c.code);
    } else {
      // It comes down into the floor row, on to the wall below it.
      SetCell(10, 2, c.code);
      SetCell(c.col, 3, "00");
      SetCell(c.col, 4, "01");
    }
    Place(1, 10, 2);
    // The cell it lands on acts once.
    Stop(std::vector<double>{c.draw} + kQuiet);
    EXPECT_EQ(messages, std::vector<std::string>{"あれ～～～"});
    EXPECT_EQ(Cell(1), std::make_pair(c.col, c.row));
    EXPECT_EQ(StopPoint(1), std::make_pair(c.col, c.row));
  }
}

TEST_F(CellEventsTest, PondsTrapsAndHotSpringsDuckThePieceInAndOut) {
  struct Case {
    const char* code;
    int32_t life, herbs;
    std::vector<double> draws;  // the trap's escape is drawn for every kind
    std::vector<std::string> said;
    int32_t lifeAfter, lifeMaxAfter, herbsAfter;
  };
  const Case cases[] = {
      {"20", 15, 6, {kNo, kYes, Range(1, 3, 2)}, {"あれ～", "薬草を2コ落とした!!"}, 15, 20, 4},
      {"20", 15, 5, {kNo, kYes}, {"あれ～"}, 15, 20, 5},
      {"21", 9, 4, {kNo, kYes, Range(1, 2, 1)}, {"むむ!?", "あれ～", "ギャフフン!!", "薬草を1コ落とした!!"}, 5, 20, 3},
      {"21", 9, 3, {kNo, kYes}, {"むむ!?", "あれ～", "ギャフフン!!"}, 5, 20, 3},
      {"21", 1, 0, {kNo, kNo}, {"むむ!?", "あれ～", "ギャフフン!!"}, 1, 20, 0},
      {"21", 9, 4, {kYes}, {"むむ!?", "落ちなかった!!"}, 9, 20, 4},
      {"22", 5, 0, {kYes, kNo}, {"あれ～", "い～い湯だなぁ～～フ・フフン♪"}, 20, 20, 0},
      {"22",
       5,
       0,
       {kNo, kYes},
       {"あれ～", "い～い湯だなぁ～～フ・フフン♪", "「気分がいい！全て1あがった!」"},
       21,
       21,
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + std::to_string(c.life) + " " + std::to_string(c.herbs));
    Floors();
    SetCell(6, 3, c.code);
    Place(1, 6, 2);
    p().BackMapX = 2;
    p().BackMapY = 8;
    p().sLife = c.life;
    p().sLifeMax = 20;
    p().sDrug = c.herbs;
    p().sExp = 0;
    Media().SlotFile[2].clear();
    Stop(c.draws + kQuiet);
    EXPECT_EQ(messages, c.said);
    EXPECT_EQ(p().sLife, c.lifeAfter);
    EXPECT_EQ(p().sLifeMax, c.lifeMaxAfter);
    EXPECT_EQ(p().sDrug, c.herbsAfter);
    EXPECT_EQ(Cell(1), std::make_pair(6, 2));
    EXPECT_EQ(StopPoint(1), std::make_pair(2, 8));
    if (c.said.back() != "落ちなかった!!") EXPECT_EQ(Media().SlotFile[2], Game().WavFolder + "QV-Pocha.wav");
  }
}

TEST_F(CellEventsTest, ThicketsSetTheMonsterMetAfterTheTurn) {
  struct Case {
    const char* code;
    int32_t pending;
    double first, second;  // 70 %, then 90 % that only the "2" variants heed
    int32_t level;
  };
  const Case cases[] = {
      {"40", 0, kYes, kNo, 1}, {"40", 0, kNo, kYes, 0}, {"41", 0, kNo, kYes, 1},
      {"41", 0, kNo, kNo, 0},  {"40", 1, kNo, kNo, 1},  {"50", 1, kNo, kNo, 2},
      {"51", 0, kNo, kYes, 2}, {"60", 0, kYes, kNo, 3}, {"61", 4, kNo, kNo, 3},
  };
  Floors();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    SetCell(6, 2, c.code);
    Place(1, 6, 2);
    p().sMonsterLv = c.pending;
    Stop({c.first, c.second});
    EXPECT_EQ(p().sMonsterLv, c.level);
  }
}

TEST_F(CellEventsTest, EmptyAndStartCellsClearTheMonsterAndMayBringAHappening) {
  Floors();
  for (const char* code : {"00", "02"}) {
    SCOPED_TRACE(code);
    SetCell(6, 2, code);
    Place(1, 6, 2);
    p().sMonsterLv = 1;
    p().sLife = 7;
    Stop({kOneInNo, kOneInNo, kOneInYes});
    EXPECT_EQ(p().sMonsterLv, 0);
    EXPECT_EQ(messages, std::vector<std::string>{"足をくじいた"});
    EXPECT_EQ(p().sLife, 4);
  }
  p().sDrug = 0;
  Stop({kOneInYes, Range(1, 2, 1)});
  EXPECT_EQ(p().sDrug, 1);
  Stop({kOneInNo, kOneInNo, kOneInNo, kOneInYes});
  EXPECT_EQ(messages, std::vector<std::string>{"「気分がいい！全て1あがった!」"});
}

TEST_F(CellEventsTest, TheBalanceLiftsEveryPlayerToTheHighestLevel) {
  Floors();
  SetCell(6, 2, "62");
  Place(1, 6, 2);
  const int32_t levels[4] = {3, 1, 5, 9};
  for (int i = 0; i < 4; ++i) player(i).sLevel = levels[i];
  player(3).sUser = 0;  // an empty seat neither counts nor grows
  Stop({});
  EXPECT_EQ(messages.front(), "プレイヤー全員を同じレベルにしよう。");
  for (int i : {0, 1, 2}) EXPECT_EQ(player(i).sLevel, 5) << i;
  EXPECT_EQ(player(3).sLevel, 9);
  // A level beyond the panel's limit (a damaged record) is not chased for ever.
  player(2).sLevel = 500;
  Stop({});
  EXPECT_EQ(player(0).sLevel, 99);
}

TEST_F(CellEventsTest, TheMonstersAreResetOrStrengthened) {
  Floors();
  InitMonsterTable();
  const std::vector<PlayerRecord> builtIn = Game().Monsters;
  SetCell(6, 2, "B1");
  Place(1, 6, 2);
  std::vector<double> draws = {kYes, Range(5, 12, 9), Range(2, 4, 3), Range(2, 5, 5), Range(5, 10, 6)};
  for (size_t i = 1; i < builtIn.size(); ++i) draws.push_back(kNo);
  Stop(draws);
  const PlayerRecord& slime = Game().Monsters[0];
  EXPECT_EQ(messages,
            (std::vector<std::string>{"モンスターよ、強くなれ～!!", slime.sColor + "スライム{0&}がレベルアップ"}));
  EXPECT_EQ(slime.sLifeMax, builtIn[0].sLifeMax + 9);
  EXPECT_EQ(slime.sLife, slime.sLifeMax);
  EXPECT_EQ(slime.sStr, builtIn[0].sStr + 3);
  EXPECT_EQ(slime.sLuck, builtIn[0].sLuck + 5);
  EXPECT_EQ(slime.sExp, builtIn[0].sExp + 6);
  EXPECT_EQ(slime.sLevel, builtIn[0].sLevel + 1);
  EXPECT_EQ(Game().Monsters[1], builtIn[1]);

  SetCell(6, 2, "B0");
  Stop({});
  EXPECT_EQ(messages, std::vector<std::string>{"モンスター達が元に戻った!!"});
  EXPECT_EQ(Game().Monsters, builtIn);
}

TEST_F(CellEventsTest, TheGatheringCallsEveryoneStillOnTheBoard) {
  Floors();
  SetCell(6, 2, "A2");
  Place(0, 1, 8);
  Place(2, 20, 4);
  Place(3, 3, 0);
  player(3).EndingFlug = true;  // it has reached the goal and left the board
  player(3).yPos = -1;
  player(3).yPosMap = -1;
  Place(1, 6, 2);
  p().BackMapX = 0;
  p().BackMapY = 8;
  Stop({});
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(std::regex_match(messages[0], std::regex("([0-9]|1[0-9]|2[0-3])時ダヨ!　全員集合!!")));
  for (int i : {0, 1, 2}) {
    EXPECT_EQ(Cell(i), std::make_pair(6, 2)) << i;
    EXPECT_EQ(StopPoint(i), std::make_pair(6, 2)) << i;
  }
  EXPECT_EQ(player(3).yPos, -1);
  EXPECT_EQ(player(3).xPos, 96);
}

TEST_F(CellEventsTest, TheTreasureBoxOpensOnceWhateverItHeld) {
  Floors();
  SetCell(6, 2, "C2");
  Place(1, 6, 2);
  PlayerRecord& q = p();
  q.sMoney = 10;
  q.sDrug = 0;
  q.sLifeMax = 20;
  q.sStr = 5;
  q.sLuck = 5;
  Stop({kYes, kNo, kYes, kYes, Range(1, 3, 2), kYes, Range(1, 3, 3)});
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "やった!! 宝箱を見つけた!!", "宝箱には、金銀財宝が・・・入って", "た",
                          "宝箱には、薬草が・・・入って", "なかった", "宝箱には、「命の源」が・・・入って", "た",
                          "宝箱には、「力の源」が・・・入って", "た", "宝箱には、「運の源」が・・・入って", "た"}));
  EXPECT_EQ((std::array<int32_t, 5>{q.sMoney, q.sDrug, q.sLifeMax, q.sStr, q.sLuck}),
            (std::array<int32_t, 5>{30, 0, 25, 7, 8}));
  EXPECT_EQ(Code(6, 2), "00");
}

TEST_F(CellEventsTest, TheFountainGivesOneGainAndBecomesTheStopPoint) {
  struct Case {
    int32_t life;
    std::vector<double> draws;
    const char* gain;
    int32_t lifeAfter, str, luck, level;
  };
  const Case cases[] = {
      {5, {kYes, kNo}, "体力が全回復", 20, 5, 5, 0},
      {10, {kYes, kYes, kYes}, "力が１アップ!", 10, 6, 5, 1},  // 20 is not above 10 + 10
      {10, {kNo, kNo, kYes, kNo}, "運が１アップ!", 10, 5, 6, 0},
      {5, {kNo, kNo, kNo, kYes, kNo}, "力と運が１アップ!", 5, 6, 6, 0},
      {5, {kNo, kNo, kNo, kNo, kNo}, "", 5, 5, 5, 0},
  };
  Floors();
  SetCell(6, 2, "42");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gain);
    Place(1, 6, 2);
    p().BackMapX = 0;
    p().BackMapY = 8;
    p().sLife = c.life;
    p().sLifeMax = 20;
    p().sStr = p().sLuck = 5;
    p().sMonsterLv = 0;
    Stop(c.draws);
    EXPECT_EQ(messages, std::vector<std::string>{std::string("{1&AAF}{1&AFF}噴水{0&}:") + c.gain +
                                                 " ({1&0FF}ここがストップポイントになります{0&})"});
    EXPECT_EQ((std::array<int32_t, 4>{p().sLife, p().sStr, p().sLuck, p().sMonsterLv}),
              (std::array<int32_t, 4>{c.lifeAfter, c.str, c.luck, c.level}));
    EXPECT_EQ(StopPoint(1), std::make_pair(6, 2));
  }
}

TEST_F(CellEventsTest, SignsPointOnwardAndTheKidCallsAnyMonster) {
  Floors();
  SetCell(6, 6, "72");
  SetCell(6, 5, "00");  // up through a hole, on through the next storey to a floor
  Place(1, 6, 6);
  Stop(kQuiet);
  EXPECT_EQ(messages, std::vector<std::string>{"矢印の方向へ"});
  EXPECT_EQ(Cell(1), std::make_pair(6, 2));
  EXPECT_EQ(StopPoint(1), std::make_pair(6, 2));

  SetCell(6, 2, "52");
  Stop({});
  EXPECT_EQ(p().sMonsterLv, 4);
}

TEST_F(CellEventsTest, ABossCellOpensTheWindowForItsFight) {
  Floors();
  SetCell(6, 2, "D1");
  Place(1, 6, 2);
  Stop({});
  EXPECT_TRUE(frmMain().PicWinBase.visible());
  EXPECT_EQ(frmMain().WindowID, 1);
}

}  // namespace
