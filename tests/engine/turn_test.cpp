// The turn's actions, the walk and the meetings on a board made for each case.
#include "engine/turn.h"

#include <string>

#include "engine_fixture.h"
#include "presentation/menu.h"
#include "sys/clock.h"

namespace {

using TurnTest = EngineTest;

TEST_F(TurnTest, TheWalkWrapsBouncesAndStopsWhereTheCellsSay) {
  struct Case {
    const char* what;
    int from, steps;
    std::vector<std::pair<int, const char*>> cells;  // codes placed on the row
    int bossTimes;
    int to;
  };
  const Case cases[] = {
      {"wraps at the right edge, drawn at once on column 0", 22, 3, {}, 0, 1},
      {"wraps at the left edge", 1, -3, {}, 0, 22},
      {"a wall ahead turns the piece for the whole distance", 5, 4, {{6, "01"}}, 0, 1},
      // A crack, pond, trap or split hole ahead turns the piece too; it checks only ahead.
      {"crack", 5, 3, {{6, "11"}}, 0, 2},
      {"pond", 5, 3, {{6, "20"}}, 0, 2},
      {"trap", 5, 3, {{6, "21"}}, 0, 2},
      {"split hole", 5, 3, {{6, "31"}, {4, "30"}}, 0, 2},
      {"a stop sign ends the walk whatever is left", 5, 4, {{7, "A0"}}, 0, 7},
      {"a toll gate lets the walk go on", 5, 4, {{7, "A1"}}, 0, 9},
      {"a boss holds a player who has not beaten it", 5, 4, {{7, "D0"}}, 9, 7},
      {"and lets one through who has, ten times", 5, 4, {{7, "D0"}}, 10, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NewBlankMap();
    for (auto [col, code] : c.cells) cell(col, 2, code);
    PlayerRecord& p = seat(0, 2, c.from, 2);
    p.sTimes[1] = c.bossTimes;
    Init13Walk(0, c.steps, 0);
    EXPECT_EQ(p.xPosMap, c.to);
    EXPECT_EQ(p.xPos, c.to * 32);
    EXPECT_EQ(p.yPosMap, 2);
  }
}

TEST_F(TurnTest, AVerticalWalkStaysOnTheRowsAboveTheBottomFloor) {
  struct Case {
    int from, steps, to;
  } cases[] = {
      {6, 2, 6},   // down to 7, then turned back before row 8
      {8, 2, 6},   // never enters row 9
      {0, -2, 2},  // never leaves the top: turned back down
      {4, -2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    PlayerRecord& p = seat(1, 2, 3, c.from);
    Init13Walk(1, 0, c.steps);
    EXPECT_EQ(p.yPosMap, c.to);
    EXPECT_EQ(p.yPos, c.to * 32);
    EXPECT_EQ(p.xPosMap, 3);
  }
}

TEST_F(TurnTest, ARollWalksTheDiesValueAndSaysSoInFullWidth) {
  PlayerRecord& p = seat(2, 2, 4, 2);
  // Three faces from the strip's bottom face: the window stops on the 3.
  ScriptedRandom dice{0.0, 0.9};
  EXPECT_EQ(Init12Action(2, "サイコロ振った(右)", "0"), "");
  EXPECT_TRUE(said("３コマ右へ"));
  EXPECT_EQ(Menu().MenuChoice, "3");
  EXPECT_EQ(p.xPosMap, 7);
  EXPECT_EQ(p.sMukiX, 1);

  messages.clear();
  EXPECT_EQ(Init12Action(2, "サイコロ振った(下)", ""), "");
  EXPECT_EQ(messages.front(), "２コマ下へ");  // always two, no die
  EXPECT_EQ(p.yPosMap, 4);
  EXPECT_EQ(p.sMukiY, 1);
}

TEST_F(TurnTest, OtherCommandsEatAHerbHuntOrDoNothing) {
  PlayerRecord& p = seat(0, 1, 4, 2);
  p.sDrug = 0;
  p.sLife = 5;
  EXPECT_EQ(Init12Action(0, "薬草を使う", ""), "もう一度");  // even without a herb
  EXPECT_TRUE(said("薬草を持っていない！"));

  sys::Clock& clock = sys::clock();
  const int64_t before = clock.now();
  EXPECT_EQ(Init12Action(0, "宝探し", ""), "");
  EXPECT_TRUE(said("「なにかないかなぁー」"));
  EXPECT_GE(clock.now() - before, clock.frequency() / 2);

  messages.clear();
  EXPECT_EQ(Init12Action(0, "サイコロ", ""), "");  // a wait left without a choice
  EXPECT_EQ(Init12Action(0, "サイコロ振った(右) ", ""), "");
  p.yPosMap = -1;
  EXPECT_EQ(Init12Action(0, "薬草を使う", ""), "");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(p.xPosMap, 4);
}

// The mover climbs two rows onto the other piece's cell.
TEST_F(TurnTest, PlayersMeetOnTheMoversCellUnlessOneIsSafe) {
  struct Case {
    const char* what;
    int otherKind;
    bool otherHome, moverHome, otherFinished;
    bool meet;
  };
  const Case cases[] = {
      {"both away from home", 2, false, false, false, true},
      {"the other on its own stop point", 2, true, false, false, false},
      {"the mover on its own stop point", 2, false, true, false, false},
      {"the other reached the goal", 2, false, false, true, false},
      {"an empty seat", 0, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages.clear();
    PlayerRecord& mover = seat(0, 2, 5, 4);
    PlayerRecord& other = seat(3, 2, 5, 6);
    other.sUser = c.otherKind;
    other.EndingFlug = c.otherFinished;
    if (c.otherHome) other.BackMapY = 6, other.BackMapX = 5;
    if (c.moverHome) mover.BackMapY = 6, mover.BackMapX = 5;
    Game().CurrentPlayer = 0;
    Init12Action(0, "サイコロ振った(下)", "");
    ASSERT_EQ(mover.yPosMap, 6);
    EXPECT_EQ(said(mover.sName + "は、" + other.sName + "と遭遇した!"), c.meet);
  }
  messages.clear();
  Init15Battle(0, 4);  // the opponent slot is never met
  EXPECT_TRUE(messages.empty());
}

}  // namespace
