#include "data/souba.h"

#include <gtest/gtest.h>

#include <string>

#include "data_test.h"
#include "system/random.h"

namespace {

using SoubaTest = DataTest;

std::array<int, 5> prices() {
  std::array<int, 5> p;
  for (size_t i = 0; i < 5; ++i) p[i] = sys::roundInt(Game().SoubaPrice[i]);
  return p;
}

TEST_F(SoubaTest, DrawsFivePricesInOrder) {
  struct Case {
    std::initializer_list<double> draws;
    std::array<int, 5> expected;
    const char* text;
  } cases[] = {
      {{0.0, 0.0, 0.0, 0.0, 0.0}, {11, 3, 2, 1, 2}, "11,3,2,1,2"},
      {{0.99, 0.99, 0.0, 0.99, 0.99}, {20, 5, 4, 3, 4}, "20,5,4,3,4"},
      {{0.5, 0.99, 0.99, 0.4, 0.7}, {16, 5, 2, 2, 4}, "16,5,2,2,4"},
      {{0.5, 0.0, 0.99, 0.5, 0.5}, {16, 3, 2, 2, 3}, "16,3,2,2,3"},  // 3 - 3 is raised to 2
  };
  for (const auto& c : cases) {
    ScriptedRandom script(c.draws);
    Game().SoubaText.clear();
    SetSouba(Game().SoubaText);
    EXPECT_EQ(script.draws(), 5u);
    EXPECT_EQ(prices(), c.expected);
    EXPECT_EQ(Game().SoubaText, c.text);
  }
}

TEST_F(SoubaTest, RestoresFivePricesAndDrawsForAnythingElse) {
  Game().SoubaText = "15,4,2,3,3";
  {
    ScriptedRandom script{};
    SetSouba(Game().SoubaText);
    EXPECT_EQ(script.draws(), 0u);
  }
  EXPECT_EQ(prices(), (std::array<int, 5>{15, 4, 2, 3, 3}));
  EXPECT_EQ(Game().SoubaText, "15,4,2,3,3");

  SetSouba("12.5,3,2,1,2");
  EXPECT_EQ(Game().SoubaPrice[0], Fixed::fromDouble(12.5));

  for (const char* text : {"1,2,3", "1,2,3,4,5,6,7,8,9,10,11", "a,b,c,d,e", "1,2,3,4,", "1,-2,3,4,5", ","}) {
    SCOPED_TRACE(text);
    ScriptedRandom script{0.0, 0.0, 0.0, 0.0, 0.0};
    SetSouba(text);
    EXPECT_EQ(script.draws(), 5u);
    EXPECT_EQ(Game().SoubaText, "11,3,2,1,2");
  }
}

}  // namespace
