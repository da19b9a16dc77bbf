#include "system/utility.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "sys/clock.h"
#include "system/random.h"

using testing_support::TempDir;

namespace {
constexpr int64_t kMs = 1'000'000;  // virtual clock ticks are nanoseconds
}

TEST(WaitSec, MarkMakesStepsStartOnTheBeat) {
  sys::ScopedVirtualClock clock;
  int64_t t0 = clock->now();
  WaitSec(0);  // mark
  EXPECT_EQ(clock->now(), t0);
  clock->advance(30 * kMs);  // drawing
  WaitSec(0.05);
  EXPECT_EQ(clock->now() - t0, 50 * kMs);  // 20 ms after the drawing, 50 after the mark
  WaitSec(0.05);                           // the mark was used up: a full wait
  EXPECT_EQ(clock->now() - t0, 100 * kMs);
  WaitSec(0);
  clock->advance(80 * kMs);  // drawing took longer than the step
  int64_t late = clock->now();
  WaitSec(0.05);
  EXPECT_EQ(clock->now(), late);
  WaitSec(-1);
  EXPECT_EQ(clock->now(), late);
  WaitSec(Fixed::fromRaw(1));  // 0.1 ms, the finest step
  EXPECT_EQ(clock->now() - late, kMs / 10);
}

TEST(WaitSec, MarkOfAnotherClockIsNotUsed) {
  {
    sys::ScopedVirtualClock before;
    WaitSec(0);
    EXPECT_EQ(StopWatch(3, true), "");
  }
  sys::ScopedVirtualClock clock;
  clock->advance(10 * kMs);
  int64_t t0 = clock->now();
  WaitSec(0.05);
  EXPECT_EQ(clock->now() - t0, 50 * kMs);
  EXPECT_EQ(StopWatch(3, false), "0.0000000");
}

TEST(StopWatch, MeasuresFromItsMark) {
  sys::ScopedVirtualClock clock;
  EXPECT_EQ(StopWatch(6, true), "");
  clock->advanceMs(1234.56789);
  EXPECT_EQ(StopWatch(6, false), "1.2345679");
  EXPECT_EQ(StopWatch(99, false), "0.0000000");  // never started: no time has passed
  EXPECT_EQ(StopWatch(100, true), "");
  EXPECT_EQ(StopWatch(101, true), "");  // out of range does nothing
  EXPECT_EQ(StopWatch(-1, false), "");
}

TEST(Random, RangeFollowsItsFormula) {
  ScriptedRandom script{0.0, 0.16, 0.17, 0.5, 0.999999, 0.3, 0.7, 0.0};
  int got[] = {RandomRange(1, 6, 0), RandomRange(1, 6, 0), RandomRange(1, 6, 0),   RandomRange(1, 6, 0),
               RandomRange(1, 6, 0), RandomRange(0, 0, 5), RandomRange(-3, 3, 10), RandomRange(5, 3, 0)};
  int want[] = {1, 1, 2, 4, 6, 5, 11, 5};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(got[i], want[i]) << i;
  EXPECT_EQ(script.draws(), 8u);
}

TEST(Random, RangeReachesEveryFace) {
  bool seen[7] = {};
  for (int i = 0; i < 600; ++i) {
    int v = RandomRange(1, 6, 0);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 6);
    seen[v] = true;
  }
  for (int v = 1; v <= 6; ++v) EXPECT_TRUE(seen[v]) << v;
}

TEST(Random, PercentAndOneInAtTheirEdges) {
  // n = floor(r * 1000) + 1; true when (n * percent) mod 100 < percent.
  struct Case {
    double r, percent;
    bool want;
  } percents[] = {
      {0.0, 0, false},      {0.999, 0, false}, {0.0, 100, true},
      {0.999, 100, true},   {0.5, 150, true},  {0.0, 50, false},  // n = 1: 50 mod 100 = 50
      {0.0015, 50, true},                                         // n = 2: 100 mod 100 = 0
      {0.0195, 20, true},                                         // n = 20: 400 mod 100 = 0
      {0.0035, 20, false},                                        // n = 4: 80
      {0.0045, -10, false},  // n = 5: -50 mod 100 = -50 < -10, yet a negative chance never comes true
  };
  for (const auto& c : percents) {
    ScriptedRandom script{c.r};
    EXPECT_EQ(RandomPercent(c.percent), c.want) << c.r << " " << c.percent;
    EXPECT_EQ(script.draws(), 1u);  // every chance draws, whatever its outcome
  }

  struct OneIn {
    double r, n;
    bool want;
  } oneIns[] = {
      {0.0, 1, true},     {0.999, 1, true},    {0.24, 4, true},    {0.25, 4, false},
      {0.666, 1.5, true}, {0.667, 1.5, false}, {0.999, 0.5, true}, {0.999, -2, true},
  };
  for (const auto& c : oneIns) {
    ScriptedRandom script{c.r};
    EXPECT_EQ(RandomOneIn(c.n), c.want) << c.r << " " << c.n;
  }
  ScriptedRandom none{};
  EXPECT_FALSE(RandomOneIn(0));
  EXPECT_EQ(none.draws(), 0u);
}

TEST(Random, PercentChanceIsExactForWholePercents) {
  for (int p : {1, 7, 33, 50, 99}) {
    int hits = 0;
    for (int k = 0; k < 1000; ++k) {
      ScriptedRandom script{(k + 0.5) / 1000.0};  // every n from 1 to 1000 once
      hits += RandomPercent(p);
    }
    EXPECT_EQ(hits, p * 10) << p;
  }
}

TEST(ReadIni, ConvertsOrKeepsTheVariable) {
  TempDir dir;
  std::string file = dir.write("g.DAT",
                               "[PLAYER0]\r\nsLevel=12\r\nsHalf=2.5\r\nsBad=12abc\r\nsEmpty=\r\n"
                               "sLifeMaxAd=10.5\r\nEndingFlug=True\r\nOff=false\r\nBig=99999999999\r\n");
  struct Case {
    const char* key;
    const char* text;  // what ReadIni returns
    int32_t value;     // the variable afterwards, from 7
  } ints[] = {
      {"sLevel", "12", 12}, {"SLEVEL", "12", 12}, {"sHalf", "2.5", 2}, {"sBad", "", 7},
      {"sEmpty", "", 7},    {"missing", "", 7},   {"Big", "", 7},
  };
  for (const auto& c : ints) {
    int32_t v = 7;
    EXPECT_EQ(ReadIni(file, "player0", c.key, v), c.text) << c.key;
    EXPECT_EQ(v, c.value) << c.key;
  }
  Fixed f = 3;
  EXPECT_EQ(ReadIni(file, "PLAYER0", "sLifeMaxAd", f), "10.5");
  EXPECT_EQ(f, Fixed::fromRaw(105000));
  EXPECT_EQ(ReadIni(file, "PLAYER0", "sBad", f), "");
  EXPECT_EQ(f, Fixed::fromRaw(105000));
  bool b = false;
  EXPECT_EQ(ReadIni(file, "PLAYER0", "EndingFlug", b), "True");
  EXPECT_TRUE(b);
  EXPECT_EQ(ReadIni(file, "PLAYER0", "Off", b), "false");
  EXPECT_FALSE(b);
  b = true;
  EXPECT_EQ(ReadIni(file, "PLAYER0", "missing", b), "");
  EXPECT_TRUE(b);
  std::string s = "old";
  EXPECT_EQ(ReadIni(file, "PLAYER0", "missing", s), "");
  EXPECT_EQ(s, "");  // a text takes whatever was read, even nothing
}

TEST(WriteIni, ReportsSuccessAndFailure) {
  TempDir dir;
  EXPECT_NE(WriteIni(dir / "s.Vrk", "MAP", "NOW", "3"), 0);
  EXPECT_EQ(ReadIni(dir / "s.Vrk", "map", "now"), "3");
  EXPECT_EQ(WriteIni(dir / "missing/s.Vrk", "MAP", "NOW", "3"), 0);
  EXPECT_TRUE(FileExists(dir / "S.VRK"));
  EXPECT_FALSE(FileExists(dir / "missing"));
}

TEST(GetField, CountsFromOne) {
  struct Case {
    const char* text;
    int index;
    const char* delim;
    const char* want;
  } cases[] = {
      {"32_7", 1, "_", "32"}, {"32_7", 2, "_", "7"}, {"32_7", 3, "_", ""},   {"129_32", 2, "_", "32"},
      {"a__b", 2, "_", ""},   {"a__b", 3, "_", "b"}, {"abc", 1, "_", "abc"}, {"a, b, c", 3, ", ", "c"},
      {"x_y", 0, "_", ""},    {"", 1, "_", ""},      {"x", 1, "", "x"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetField(c.text, c.index, c.delim), c.want) << c.text << " " << c.index;
}

TEST(FormatNum, PadsCutsAndConverts) {
  struct Case {
    const char* value;
    int width, conv;
    const char* want;
  } cases[] = {
      {"12345", 3, 0, "345"},   {"12345", 7, 0, "  12345"},
      {"12345", 5, 3, "12345"}, {"42", 5, 0, "   42"},
      {"42", 10, 0, "     42"},  // five blanks are all there is to pad with
      {"2.5", 0, 0, "3"},        // halves away from zero
      {"-2.5", 0, 0, "-3"},     {"12", 0, 5, "１２"},
      {"7", 3, 5, "　　７"},    {"12abc", 5, 0, "12"},  // not a number as a whole: no width step
      {"abc", 3, 5, "０"},      {"", 0, 0, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNum(c.value, c.width, c.conv), c.want) << c.value << " " << c.width;
}
