// A computer seat's direction: what it sees along its row and when it turns back.
#include "engine/computer.h"

#include "engine_fixture.h"

namespace {

using ComputerTest = EngineTest;

TEST_F(ComputerTest, HeadsForLaddersGoalsAndBossesAwayFromWallsAndBackFromDanger) {
  struct Case {
    const char* what;
    int row, column, level;
    const char* standsOn;
    std::vector<std::pair<int, const char*>> cells;
    double draw;  // the 50 % chance, drawn only on a row without marks
    int want;
  };
  const Case cases[] = {
      {"a wall is found first on the right", 4, 10, 20, "00", {{13, "01"}, {8, "C0"}}, -1, -1},
      {"a ladder on its own column is found at once", 4, 10, 20, "40", {{10, "C0"}}, -1, 1},
      {"and is near enough to frighten a beginner", 4, 10, 6, "40", {{10, "C0"}}, -1, -1},
      {"the goal counts as a ladder, on the left", 6, 10, 20, "40", {{2, "E2"}}, -1, -1},
      {"a wall on the left sends it right", 6, 10, 20, "40", {{2, "01"}}, -1, 1},
      {"a boss to the right", 6, 10, 20, "40", {{15, "D1"}}, -1, 1},
      {"an empty row: left at 50 %", 6, 10, 1, "40", {}, kYes, -1},
      {"an empty row: right", 6, 10, 1, "40", {}, kNo, 1},
      {"level 2 on row 8, grass, a ladder 4 to the right: turned back", 8, 10, 2, "40", {{14, "C0"}}, -1, -1},
      {"the same on an empty cell", 8, 10, 2, "00", {{14, "C0"}}, -1, 1},
      {"level 3 on row 8 is strong enough", 8, 10, 3, "40", {{14, "C0"}}, -1, 1},
      {"row 0 turns everyone back", 0, 10, 99, "40", {{12, "E2"}}, -1, -1},
      {"row 2 at level 9 does not", 2, 10, 9, "40", {{12, "C0"}}, -1, 1},
      {"row 2 at level 8 does", 2, 10, 8, "40", {{12, "C0"}}, -1, -1},
      {"a target 7 away is never dangerous", 8, 10, 1, "40", {{17, "C0"}}, -1, 1},
      {"a target 6 away on the left is", 8, 10, 1, "40", {{4, "C0"}}, -1, 1},
      {"column 31 is never looked at", 6, 10, 1, "40", {{31, "01"}}, kNo, 1},
      {"column 30 is", 6, 29, 1, "40", {{30, "01"}}, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NewBlankMap();
    cell(c.column, c.row, c.standsOn);
    for (auto [col, code] : c.cells) cell(col, c.row, code);
    PlayerRecord& p = seat(1, 2, c.column, c.row);
    p.sLevel = c.level;
    ScriptedRandom draws{};
    if (c.draw >= 0) draws.push(c.draw);
    EXPECT_EQ(ThinkComputer(1), c.want);
    EXPECT_EQ(draws.draws(), c.draw >= 0 ? 1u : 0u);
  }
}

}  // namespace
