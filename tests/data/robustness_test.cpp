// Thousands of damaged files through every reader: none may crash, write outside its tables
// or leave a value the game cannot live with.
#include <gtest/gtest.h>

#include <string>

#include "data/board.h"
#include "data/monsters.h"
#include "data/save_game.h"
#include "data/settings.h"
#include "data/souba.h"
#include "data_test.h"
#include "support/mutator.h"

namespace {

using testing_support::Mutator;

class RobustnessTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    InitCellKinds();
    InitMonsterTable();
  }
};

TEST_F(RobustnessTest, MapReader) {
  NewBlankMap();
  for (int c = 0; c < kPlayColumns; ++c) SetMapCell(Game().Board[c][c % kPlayRows], "E2");
  ASSERT_TRUE(WriteMapFile(path("good.map")));
  const std::string good = read("good.map");
  int draws = 0;
  Hooks().DrawMap = [&] { ++draws; };
  Mutator mutate(1);
  for (int i = 0; i < 3000; ++i) {
    write("m.map", mutate(good));
    ASSERT_TRUE(ReadMapFile(path("m.map")));
    for (const auto& column : Game().Board)
      for (const MapCell& cell : column) {
        ASSERT_TRUE(cell.ChipX >= 0 && cell.ChipX < 16 && cell.ChipY >= 0 && cell.ChipY < 16);
        CellKindName(cell.Code);
      }
  }
  EXPECT_EQ(draws, 3000);
}

TEST_F(RobustnessTest, MonsterReader) {
  ASSERT_TRUE(SaveMonsterFile(path("good.Mon")));
  const std::string good = read("good.Mon");
  Mutator mutate(2);
  for (int i = 0; i < 3000; ++i) {
    if (i % 50 == 0) InitMonsterTable();
    write("m.Mon", mutate(good));
    ASSERT_TRUE(LoadMonsterFile(path("m.Mon")));
    ASSERT_LE(Game().Monsters.size(), static_cast<size_t>(kMonsterNumberMax) + 1);
    for (const PlayerRecord& m : Game().Monsters) ASSERT_GE(m.sLifeMax, 1);
  }
}

TEST_F(RobustnessTest, SavedGameReader) {
  for (int i = 0; i < 4; ++i) {
    PlayerRecord& p = Game().Players[i];
    p.sUser = 1;
    p.sName = "プレイヤー";
    p.sLifeMax = p.sLife = p.sExpNext = 10;
    p.sLifeMaxAd = Fixed::fromDouble(10.5);
    p.EndingAnime.value = std::string("x");
  }
  Game().SoubaText = "15,4,2,3,3";
  ASSERT_TRUE(SaveGameData(path("good.DAT")));
  // One seat and the game section: every seat is read by the same code, and a short file
  // keeps thousands of loads (150 key look-ups each) quick under the sanitizers.
  std::string whole = read("good.DAT");
  const std::string good = whole.substr(0, whole.find("[PLAYER1]")) + whole.substr(whole.find("[ALL]"));
  Mutator mutate(3);
  for (int i = 0; i < 1500; ++i) {
    write("s.DAT", mutate(good));
    ASSERT_TRUE(LoadGameData(path("s.DAT")));
    const GameData& g = Game();
    ASSERT_TRUE(g.ResumePlayer >= -1 && g.ResumePlayer <= 3);
    for (int k = 0; k < 4; ++k) {
      const PlayerRecord& p = g.Players[k];
      ASSERT_TRUE(p.sUser >= 0 && p.sUser <= 2);
      ASSERT_TRUE(p.sLifeMax >= 1 && p.sExpNext >= 1);
      ASSERT_TRUE(p.xPosMap >= 0 && p.xPosMap < kPlayColumns && p.yPosMap < kPlayRows);
      ASSERT_TRUE(p.BackMapX >= 0 && p.BackMapX < kPlayColumns && p.BackMapY >= 0 && p.BackMapY < kPlayRows);
    }
    for (Fixed price : g.SoubaPrice) ASSERT_GE(price, 0);
  }
}

TEST_F(RobustnessTest, SettingsReader) {
  Game().PlayerKinds = {1, 2, 0, 1};
  Game().PlayerNames = {"あ", "い", "う", "え"};
  Game().Speeds = {Fixed(1), Fixed(2), Fixed(3)};
  Game().StageNo = 4;
  ASSERT_TRUE(SaveSettings(path("good.Vrk")));
  const std::string good = read("good.Vrk");
  Mutator mutate(4);
  for (int i = 0; i < 3000; ++i) {
    write("s.Vrk", mutate(good));
    LoadSettings(path("s.Vrk"));
    const GameData& g = Game();
    for (int k = 0; k < 4; ++k) {
      ASSERT_TRUE(g.PlayerKinds[k] >= 0 && g.PlayerKinds[k] <= 2);
      ASSERT_FALSE(g.PlayerNames[k].empty());
    }
    for (Fixed s : g.Speeds) ASSERT_NE(s, 0);
    ASSERT_GE(g.StageNo, 1);
  }
}

TEST_F(RobustnessTest, PriceText) {
  Mutator mutate(5);
  for (int i = 0; i < 5000; ++i) {
    SetSouba(mutate("15,4,2,3,3"));
    for (Fixed price : Game().SoubaPrice) ASSERT_GE(price, 0);
    ASSERT_EQ(std::count(Game().SoubaText.begin(), Game().SoubaText.end(), ','), 4);
  }
}

}  // namespace
