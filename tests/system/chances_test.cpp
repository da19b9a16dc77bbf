#include "system/chances.h"

#include <gtest/gtest.h>

#include <string>

#include "support/draws.h"
#include "system/random.h"
#include "system/utility.h"

using namespace testing_support;

TEST(Chances, AChainStopsDrawingAtTheFirstSuccess) {
  struct Case {
    std::initializer_list<double> draws;
    const char* outcome;
    size_t drawn;
  };
  const Case cases[] = {
      {{kYes}, "X", 1},
      {{kNo, kOneInYes}, "Y", 2},
      {{kNo, kOneInNo, kYes}, "Z", 3},
      {{kNo, kOneInNo, kNo}, "else", 3},
  };
  for (const Case& c : cases) {
    ScriptedRandom script(c.draws);
    const std::string got =
        ChanceChain<const char*>({{Percent(50), "X"}, {OneIn(10), "Y"}, {Percent(30), "Z"}}, "else");
    EXPECT_EQ(got, c.outcome);
    EXPECT_EQ(script.draws(), c.drawn) << c.outcome;
    EXPECT_EQ(script.remaining(), 0u) << c.outcome;
  }
  ScriptedRandom script{kNo, kNo, kYes};
  EXPECT_EQ(FirstChance({Percent(20), Percent(40), Percent(70), Percent(90)}), 2);
  EXPECT_EQ(script.draws(), 3u);
}

TEST(Chances, AChanceTiedToAConditionIsDrawnWhateverTheConditionHolds) {
  ScriptedRandom script{kYes, kYes, kNo, kNo};
  EXPECT_TRUE(ChanceAnd(Percent(30), true));
  EXPECT_FALSE(ChanceAnd(Percent(30), false));
  EXPECT_FALSE(ChanceAnd(Percent(30), true));
  EXPECT_FALSE(ChanceAnd(Percent(30), false));
  EXPECT_EQ(script.draws(), 4u);
}

TEST(Chances, TheScriptedDrawsMeanWhatTheyAreNamed) {
  for (double p : {1.0, 10.0, 30.0, 50.0, 70.0, 99.0}) {
    ScriptedRandom script{kYes, kNo};
    EXPECT_TRUE(RandomPercent(p)) << p;
    EXPECT_FALSE(RandomPercent(p)) << p;
  }
  for (double n : {2.0, 10.0, 50.0}) {
    ScriptedRandom script{kOneInYes, kOneInNo};
    EXPECT_TRUE(RandomOneIn(n)) << n;
    EXPECT_FALSE(RandomOneIn(n)) << n;
  }
  for (int v = 5; v <= 10; ++v) {
    ScriptedRandom script{Range(5, 10, v)};
    EXPECT_EQ(RandomRange(5, 10, 0), v);
  }
}
