#include "data/save_game.h"

#include <gtest/gtest.h>

#include <string>

#include "data/ini_keys.h"
#include "data_test.h"
#include "system/random.h"

namespace {

using SaveGameTest = DataTest;

PlayerRecord sample(int i) {
  PlayerRecord p;
  p.sUser = i % 3;
  p.zPos = i;
  p.xPos = 32 * (i + 3);
  p.yPos = 256;
  p.BackMapX = i + 1;
  p.BackMapY = 8;
  p.xPosMap = i + 3;
  p.yPosMap = i == 3 ? -1 : 8;
  p.sChara = i;
  p.sPtn = 6;
  const char* names[] = {"ブルー", "P1", " ピンク ", "'P3'"};  // blanks and quotes survive
  p.sName = names[i];
  p.sLevel = 3 + i;
  p.sLife = 25;
  p.sStr = 12;
  p.sLuck = 9;
  p.sExp = 4;
  p.sMoney = 123;
  p.sDrug = 2;
  p.sExpNext = 30;
  p.sLifeMax = 31;
  p.sLifeMaxAd = Fixed::fromDouble(10.5);
  p.sLuckAd = Fixed::fromDouble(3.6);
  p.sStrAd = Fixed::fromDouble(5.5);
  p.sExpAd = Fixed(10);
  p.sTimes = {0, 1, 2, 3, 4, 5 + i};
  p.sEtc = "0";
  p.sColor = "{1&0AF}{2&AFF}";
  p.EndingAnime.value = std::string("走る");
  p.EndingAnimeNow = 2;
  p.EndingFlug = i == 1;
  p.sScore = 40 + i;
  p.sScoreAll = 500;
  return p;
}

TEST_F(SaveGameTest, WritesEveryKeyInRecordOrder) {
  for (int i = 0; i < 4; ++i) Game().Players[i] = sample(i);
  Game().Players[4].sName = "opponent";  // the opponent slot is not saved
  Game().TurnPlayer = 2;
  Game().TurnCount = 7;
  Game().SoubaText = "15,4,2,3,3";
  ASSERT_TRUE(SaveGameData(path("s.DAT")));
  std::string text = read("s.DAT");
  const std::string player0 =
      "[PLAYER0]\r\nsUser=0\r\nzPos=0\r\nxPos=96\r\nyPos=256\r\nBackMapX=1\r\nBackMapY=8\r\nxPosMap=3\r\n"
      "yPosMap=8\r\nsChara=0\r\nsPtn=6\r\nsName=ブルー\r\nsLevel=3\r\nsLife=25\r\nsStr=12\r\nsLuck=9\r\nsExp=4\r\n"
      "sMoney=123\r\nsDrug=2\r\nsExpNext=30\r\nsLifeMax=31\r\nsLifeMaxAd=10.5\r\nsLuckAd=3.6\r\nsStrAd=5.5\r\n"
      "sExpAd=10\r\nsTimes0=0\r\nsTimes1=1\r\nsTimes2=2\r\nsTimes3=3\r\nsTimes4=4\r\nsTimes5=5\r\nsEtc=0\r\n"
      "sColor={1&0AF}{2&AFF}\r\nEndingAnime=走る\r\nEndingAnimeNow=2\r\nEndingFlug=False\r\nsScore=40\r\n"
      "sScoreAll=500\r\n";
  EXPECT_EQ(text.substr(0, player0.size()), player0);
  size_t p1 = text.find("[PLAYER1]"), p2 = text.find("[PLAYER2]"), p3 = text.find("[PLAYER3]");
  EXPECT_TRUE(p1 == player0.size() && p1 < p2 && p2 < p3);
  EXPECT_TRUE(text.ends_with("sScoreAll=500\r\n[ALL]\r\nTURN=2\r\nTURNNM=7\r\nSOUBA=15,4,2,3,3\r\n"));
  EXPECT_EQ(text.find("opponent"), std::string::npos);
  EXPECT_NE(text.find("EndingFlug=True"), std::string::npos);
}

TEST_F(SaveGameTest, LoadResumesTheSavedGame) {
  for (int i = 0; i < 4; ++i) Game().Players[i] = sample(i);
  Game().TurnPlayer = 2;
  Game().TurnCount = 7;
  Game().SoubaText = "15,4,2,3,3";
  ASSERT_TRUE(SaveGameData(path("s.DAT")));

  ResetGameData();
  for (auto& p : Game().Players) {
    p.sType = 2;
    p.sMeet = true;
    p.sRank = 3;
  }
  ASSERT_TRUE(LoadGameData(path("s.DAT")));
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    PlayerRecord expected = sample(i);
    expected.sType = 2;  // working state is left alone
    expected.sMeet = true;
    expected.sRank = 3;
    EXPECT_EQ(Game().Players[i], expected);
  }
  EXPECT_EQ(Game().ResumePlayer, 2);
  EXPECT_EQ(Game().TurnCount, 7);
  EXPECT_EQ(Game().SoubaText, "15,4,2,3,3");
  EXPECT_EQ(Game().SoubaPrice[0], 15);
  EXPECT_EQ(Game().SoubaPrice[4], 3);
}

TEST_F(SaveGameTest, MissingOrBadValuesKeepWhatWasThere) {
  for (auto& p : Game().Players) p = sample(1);
  Game().ResumePlayer = 1;
  Game().TurnCount = 4;
  write(
      "s.DAT",
      "[player0]\r\nSLEVEL=abc\r\nsLife=2.5\r\nsStrAd=x\r\nEndingFlug=maybe\r\nsName=ピンク\r\n[ALL]\r\nturnnm=9\r\n");
  ASSERT_TRUE(LoadGameData(path("s.DAT")));
  const PlayerRecord& p = Game().Players[0];
  EXPECT_EQ(p.sLevel, 4);
  EXPECT_EQ(p.sLife, 2);  // a fraction rounds, halves to even
  EXPECT_EQ(p.sStrAd, Fixed::fromDouble(5.5));
  EXPECT_TRUE(p.EndingFlug);
  EXPECT_EQ(p.sName, "ピンク");
  EXPECT_EQ(p.sScore, 41);
  EXPECT_EQ(Game().ResumePlayer, 1);
  EXPECT_EQ(Game().TurnCount, 9);
  EXPECT_EQ(Game().Players[2], sample(1));
}

TEST_F(SaveGameTest, ValuesThatWouldBreakTheGameAreMended) {
  struct Case {
    const char* key;
    const char* value;
    int32_t PlayerRecord::*field;
    int32_t expected;
  } cases[] = {
      {"sUser", "7", &PlayerRecord::sUser, 1},  // previous kind stays
      {"sUser", "-1", &PlayerRecord::sUser, 1},        {"sUser", "2", &PlayerRecord::sUser, 2},
      {"sLifeMax", "0", &PlayerRecord::sLifeMax, 1},   {"sExpNext", "-3", &PlayerRecord::sExpNext, 1},
      {"sExp", "2000000000", &PlayerRecord::sExp, 30}, {"sExp", "29", &PlayerRecord::sExp, 29},
      {"xPosMap", "40", &PlayerRecord::xPosMap, 23},   {"xPosMap", "-4", &PlayerRecord::xPosMap, 0},
      {"yPosMap", "-1", &PlayerRecord::yPosMap, -1},  // off the board is a state of play
      {"yPosMap", "15", &PlayerRecord::yPosMap, 9},    {"BackMapX", "99", &PlayerRecord::BackMapX, 23},
      {"BackMapY", "-2", &PlayerRecord::BackMapY, 0},  {"BackMapY", "12", &PlayerRecord::BackMapY, 9},
      {"xPos", "5000", &PlayerRecord::xPos, 736},      {"yPos", "999", &PlayerRecord::yPos, 288},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.value);
    Game().Players[0] = sample(1);
    write("s.DAT", std::string("[PLAYER0]\r\n") + c.key + "=" + c.value + "\r\n");
    ASSERT_TRUE(LoadGameData(path("s.DAT")));
    EXPECT_EQ(Game().Players[0].*(c.field), c.expected);
  }
  // A name is text: braces in it are never read as markup.
  write("s.DAT", "[PLAYER1]\r\nsName={2&FF0}x}\r\n");
  ASSERT_TRUE(LoadGameData(path("s.DAT")));
  EXPECT_EQ(Game().Players[1].sName, "｛2&FF0｝x｝");
  for (const char* turn : {"9", "-2", "-1", "3"}) {
    write("s.DAT", std::string("[ALL]\r\nTURN=") + turn + "\r\n");
    ASSERT_TRUE(LoadGameData(path("s.DAT")));
    int32_t t = std::stoi(turn);
    EXPECT_EQ(Game().ResumePlayer, t >= -1 && t <= 3 ? t : -1) << turn;
  }
}

TEST_F(SaveGameTest, PricesOfTheWrongFormAreDrawnAnew) {
  write("s.DAT", "[ALL]\r\nSOUBA=1,2,3\r\n");
  ScriptedRandom script{0.0, 0.0, 0.0, 0.0, 0.0};
  ASSERT_TRUE(LoadGameData(path("s.DAT")));
  EXPECT_EQ(script.draws(), 5u);
  EXPECT_EQ(Game().SoubaText, "11,3,2,1,2");
}

TEST_F(SaveGameTest, FileOfTheOldCodePageLoads) {
  write("old.DAT", fixture("game-cp932.DAT"));
  ASSERT_TRUE(LoadGameData(path("old.DAT")));
  EXPECT_EQ(Game().Players[1].sName, "ピンク");
  EXPECT_EQ(Game().Players[1].sLevel, 5);
  EXPECT_EQ(Game().ResumePlayer, 1);
  EXPECT_EQ(Game().TurnCount, 12);
}

TEST_F(SaveGameTest, MissingFileChangesNothing) {
  Game().Players[0] = sample(0);
  Game().ResumePlayer = 3;
  EXPECT_FALSE(LoadGameData(path("none.DAT")));
  EXPECT_EQ(Game().Players[0], sample(0));
  EXPECT_EQ(Game().ResumePlayer, 3);
}

TEST_F(SaveGameTest, FailedWriteLeavesTheGoodFile) {
  EXPECT_FALSE(SaveGameData(path("no-such-folder/s.DAT")));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "no-such-folder"));

  const std::string good = "[ALL]\r\nTURN=1\r\n";
  write("s.DAT", good);
  // The empty key cannot be written: the keys before it must not land either.
  EXPECT_FALSE(data_detail::WriteIniKeys(path("s.DAT"), {{"ALL", "TURN", "3"}, {"ALL", "", "x"}}));
  EXPECT_EQ(read("s.DAT"), good);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // no work file left

  EXPECT_TRUE(data_detail::WriteIniKeys(path("s.DAT"), {{"ALL", "TURN", "3"}, {"ALL", "X", "y"}}));
  EXPECT_EQ(read("s.DAT"), "[ALL]\r\nTURN=3\r\nX=y\r\n");
}

}  // namespace
