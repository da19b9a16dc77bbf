#include "data/monsters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data_test.h"

namespace {

using MonsterTest = DataTest;

const PlayerRecord& monster(size_t i) { return Game().Monsters.at(i); }

TEST_F(MonsterTest, BuiltInTableHasItsTwentyFiveRows) {
  InitMonsterTable();
  ASSERT_EQ(Game().Monsters.size(), 25u);
  const PlayerRecord& king = monster(24);
  EXPECT_EQ(king.sName, "キングヴォラク");
  EXPECT_EQ(king.sLife, 400);
  EXPECT_EQ(king.sLifeMax, 400);
  EXPECT_EQ(king.sEtc, "8");
  EXPECT_EQ(king.yPos, 28);
  EXPECT_EQ(king.sMoney, 30);
  EXPECT_EQ(king.sDrug, 2);
  EXPECT_EQ(MonsterLine(monster(0), 0), "モンスター,00,スライム,1,5,4,3,2,0,3,0,0,4,{2&DFE}{1&FFF}");
  EXPECT_EQ(MonsterLine(monster(10), 10), "モンスター,10,ミイラ,8,70,40,30,40,1,3,1,0,14,{2&DFE}{1&FFF}");
  EXPECT_EQ(monster(14).sEtc, "2");
  EXPECT_EQ(monster(18).sName, "レッドドラゴン");
}

TEST_F(MonsterTest, SavedFileIsExactAndReadsBack) {
  InitMonsterTable();
  Game().Monsters[3].sLife = 7;      // weakened: the file carries life, not the maximum
  Game().Monsters[3].sExpNext = 99;  // not in a line
  ASSERT_TRUE(SaveMonsterFile(path("s.Mon")));
  std::string text = read("s.Mon");
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "モンスター,00,スライム,1,5,4,3,2,0,3,0,0,4,{2&DFE}{1&FFF}");
  EXPECT_TRUE(text.ends_with("}\r\nモンスター,24,キングヴォラク,16,400,100,55,100,2,30,8,0,28,{2&FFF}{1&EEF}\r\n"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 25);

  std::vector<PlayerRecord> saved = Game().Monsters;
  Game().Monsters.assign(3, PlayerRecord{});
  ASSERT_TRUE(LoadMonsterFile(path("s.Mon")));
  ASSERT_EQ(Game().Monsters.size(), 25u);
  saved[3].sLifeMax = 7;
  saved[3].sExpNext = 0;
  EXPECT_EQ(Game().Monsters, saved);
}

TEST_F(MonsterTest, FileEndsTheTableAtItsLastLine) {
  InitMonsterTable();
  // A byte-order mark, empty lines, and LF-only endings in the second half.
  std::string text = "\xEF\xBB\xBF\r\n";
  for (int i = 0; i < 10; ++i) text += MonsterLine(monster(24 - i), i) + (i < 5 ? "\r\n\r\n" : "\n\n");
  write("ten.Mon", text);
  ASSERT_TRUE(LoadMonsterFile(path("ten.Mon")));
  ASSERT_EQ(Game().Monsters.size(), 10u);
  EXPECT_EQ(monster(0).sName, "キングヴォラク");
  EXPECT_EQ(monster(9).sName, "でかスライム");
  EXPECT_EQ(monster(9).sColor, "{2&DFE}{1&FFF}");  // no CR left in the last field
}

TEST_F(MonsterTest, LineOverwritesOnlyWhatItCarries) {
  InitMonsterTable();
  Game().Monsters[2].sExpNext = 5;
  ASSERT_TRUE(ParseMonsterLine("モンスター,2,  おばけ ,3,0,8,10,8,0,3,1,2,6,{0&}"));
  const PlayerRecord& m = monster(2);
  EXPECT_EQ(m.sName, "おばけ");
  EXPECT_EQ(m.sLife, 1);  // no monster without life
  EXPECT_EQ(m.sLifeMax, 1);
  EXPECT_EQ(m.xPos, 2);
  EXPECT_EQ(m.sExpNext, 5);
  EXPECT_EQ(Game().Monsters.size(), 3u);  // the line's number is the last index

  ASSERT_TRUE(ParseMonsterLine("モンスター,5,x,1,5,4,3,2,0,3,0,0,4,c"));
  ASSERT_EQ(Game().Monsters.size(), 6u);
  PlayerRecord gap;
  gap.sLife = gap.sLifeMax = 1;  // a skipped row is empty, but alive
  EXPECT_EQ(monster(4), gap);
}

TEST_F(MonsterTest, MalformedLinesChangeNothing) {
  const char* lines[] = {
      "",
      "モンスター,3,スライム,1,5,4,3,2,0,3,0,0,4",  // 13 fields
      "モンスター,x,スライム,1,5,4,3,2,0,3,0,0,4,c",
      "モンスター,3,スライム,1,5,4,3,2,0,3,0,0,,c",
      "モンスター,3,スライム,1,5e,4,3,2,0,3,0,0,4,c",
      "モンスター,-1,スライム,1,5,4,3,2,0,3,0,0,4,c",
      "モンスター,3,スライム,1,-5,4,3,2,0,3,0,0,4,c",
      "モンスター,3,スライム,1,1000000,4,3,2,0,3,0,0,4,c",
      "モンスター,1000,スライム,1,5,4,3,2,0,3,0,0,4,c",
      "モンスター,99999999999,スライム,1,5,4,3,2,0,3,0,0,4,c",
  };
  InitMonsterTable();
  const std::vector<PlayerRecord> before = Game().Monsters;
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(ParseMonsterLine(line));
    EXPECT_EQ(Game().Monsters, before);
  }
  EXPECT_TRUE(ParseMonsterLine("モンスター,999,スライム,1,999999,4,3,2,0,3,0,0,4,c,extra"));
  EXPECT_EQ(Game().Monsters.size(), 1000u);
}

TEST_F(MonsterTest, FileOfTheOldCodePageLoads) {
  write("old.Mon", fixture("monsters-cp932.Mon"));
  ASSERT_TRUE(LoadMonsterFile(path("old.Mon")));
  ASSERT_EQ(Game().Monsters.size(), 2u);
  EXPECT_EQ(monster(0).sName, "スライム");
  EXPECT_EQ(monster(1).sName, "ちびヴォラク");
  EXPECT_EQ(monster(1).sColor, "{2&FFF}{1&EEF}");
  EXPECT_FALSE(LoadMonsterFile(path("none.Mon")));
}

TEST_F(MonsterTest, FailedSaveIsReported) {
  InitMonsterTable();
  EXPECT_FALSE(SaveMonsterFile(path("no-such-folder/s.Mon")));
}

}  // namespace
