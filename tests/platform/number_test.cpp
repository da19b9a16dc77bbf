#include "sys/number.h"

#include <gtest/gtest.h>

using sys::Fixed;

TEST(Number, RoundsHalfToEven) {
  struct Case {
    double in;
    int32_t round, floor, trunc;
  } cases[] = {
      {2.5, 2, 2, 2},  {3.5, 4, 3, 3},     {-2.5, -2, -3, -2}, {-0.5, 0, -1, 0},
      {1.49, 1, 1, 1}, {-1.6, -2, -2, -1}, {0.0, 0, 0, 0},     {1e12, INT32_MAX, INT32_MAX, INT32_MAX},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(sys::roundInt(c.in), c.round);
    EXPECT_EQ(sys::Int(c.in), c.floor);
    EXPECT_EQ(sys::Fix(c.in), c.trunc);
    Fixed f = Fixed::fromDouble(c.in);
    if (c.in < 1e9) {
      EXPECT_EQ(sys::roundInt(f), c.round);
      EXPECT_EQ(sys::Int(f), c.floor);
      EXPECT_EQ(sys::Fix(f), c.trunc);
    }
  }
}

TEST(Number, FixedArithmeticKeepsFourDecimals) {
  EXPECT_EQ(Fixed::fromDouble(0.00005).raw(), 0);  // half to even at the fifth decimal
  EXPECT_EQ(Fixed::fromDouble(0.00015).raw(), 2);
  EXPECT_EQ((Fixed::fromDouble(1.5) * Fixed::fromDouble(0.0001)).raw(), 2);  // 0.00015 -> 0.0002
  EXPECT_EQ((Fixed(1) / Fixed(3)).raw(), 3333);
  EXPECT_EQ((Fixed(-2) / Fixed(3)).raw(), -6667);
  EXPECT_EQ((Fixed(5) / Fixed(0)).raw(), 0);
  EXPECT_LT(Fixed::fromDouble(0.05), Fixed::fromDouble(0.0501));
}

TEST(Number, DivisionTruncatesTowardZero) {
  EXPECT_EQ(sys::divInt(7, 2), 3);
  EXPECT_EQ(sys::divInt(-7, 2), -3);
  EXPECT_EQ(sys::divInt(7, 0), 0);
  EXPECT_EQ(sys::divInt(INT32_MIN, -1), INT32_MAX);
}

TEST(Number, ValTakesTheLeadingNumber) {
  struct Case {
    const char* text;
    double v;
  } cases[] = {
      {"", 0},       {"abc", 0}, {"12abc", 12}, {"  -3.5x", -3.5}, {"1 2 3", 123}, {"&H1F", 31}, {"&HFFFF", 65535},
      {"1e3", 1000}, {"1e", 1},  {".5", 0.5},   {"+7", 7},         {"-", 0},       {"３", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(sys::val(c.text), c.v) << c.text;
}

TEST(Number, ParseNumberNeedsTheWholeText) {
  EXPECT_EQ(sys::parseNumber(" 42 "), 42.0);
  EXPECT_EQ(sys::parseNumber("-1.25"), -1.25);
  EXPECT_FALSE(sys::parseNumber(""));
  EXPECT_FALSE(sys::parseNumber("12abc"));
  EXPECT_FALSE(sys::parseNumber("abc"));
  EXPECT_FALSE(sys::parseNumber("1 2"));
  EXPECT_FALSE(sys::parseNumber("1e"));
  EXPECT_FALSE(sys::parseNumber("-"));
  EXPECT_FALSE(sys::parseNumber("inf"));
  EXPECT_FALSE(sys::parseNumber("."));
  EXPECT_EQ(sys::parseNumber("2.5"), 2.5);
  EXPECT_EQ(sys::parseNumber(".5"), 0.5);
  EXPECT_EQ(sys::parseNumber("1E2"), 100.0);
  EXPECT_EQ(sys::parseNumber("&H1F"), 31.0);
  EXPECT_FALSE(sys::parseNumber("&H1F x"));
}

TEST(Number, ShortestText) {
  struct Case {
    Fixed v;
    const char* want;
  } cases[] = {
      {Fixed::fromRaw(105000), "10.5"},
      {Fixed::fromRaw(56000), "5.6"},
      {Fixed(10), "10"},
      {Fixed::fromRaw(-2500), "-0.25"},
      {Fixed::fromRaw(1), "0.0001"},
      {Fixed(0), "0"},
      {Fixed::fromRaw(INT64_MIN), "-922337203685477.5808"},
  };
  for (const auto& c : cases) EXPECT_EQ(sys::toText(c.v), c.want);
  EXPECT_EQ(sys::toText(0.2), "0.2");
  EXPECT_EQ(sys::toText(-0.0), "0");
  EXPECT_EQ(sys::toText(12.0), "12");
  EXPECT_EQ(Fixed(0.05).raw(), 500);  // a fraction converts, it is never cut to a whole 0
}
