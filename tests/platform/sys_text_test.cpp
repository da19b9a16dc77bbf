#include <gtest/gtest.h>

#include "sys/text.h"

using sys::Fixed;

TEST(Text, FormatsNumberPatterns) {
  struct Case {
    double value;
    const char* pattern;
    const char* want;
  } cases[] = {
      {12345678, "00000000", "12345678"},
      {42, "00000000", "00000042"},
      {123456789, "00000000", "123456789"},  // more digits than the pattern are all kept
      {0.5, "0", "1"},                       // halves away from zero, unlike the rounding of values
      {2.5, "0", "3"},
      {-2.5, "0", "-3"},
      {-0.4, "0", "0"},
      {7, "00", "07"},
      {12, "0000", "0012"},
      {1.23456, "0.0000", "1.2346"},
      {0.00015, "0.0000", "0.0002"},  // as written, not as the nearest binary fraction
      {1.99996, "0.0000", "2.0000"},
      {0.0512345678, "0.0000000", "0.0512346"},
      {3, "0.0000000", "3.0000000"},
      {1234567, "#,##0", "1,234,567"},
      {999, "#,##0", "999"},
      {0, "#,##0", "0"},
      {5, "0秒", "5秒"},
      {1e20, "0", "100000000000000000000"},
      {0.2, "", "0.2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " " + std::to_string(c.value));
    EXPECT_EQ(sys::format(c.value, c.pattern), c.want);
  }
  EXPECT_EQ(sys::format(Fixed::fromRaw(12345), "0.0000"), "1.2345");
  EXPECT_EQ(sys::format(Fixed::fromRaw(-5), "0.000"), "-0.001");
  EXPECT_EQ(sys::format(Fixed::fromRaw(-4), "0.000"), "0.000");
  EXPECT_EQ(sys::format(Fixed(15), "0000"), "0015");
}

TEST(Text, FormatsDates) {
  std::tm t{};
  t.tm_year = 2024 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 8;
  t.tm_min = 7;
  t.tm_sec = 9;
  EXPECT_EQ(sys::formatTime(t, "h時"), "8時");
  EXPECT_EQ(sys::formatTime(t, "yyyy年mm月dd日"), "2024年03月05日");
  EXPECT_EQ(sys::formatTime(t, "hh:mm:ss"), "08:07:09");  // minutes right after the hour
  EXPECT_EQ(sys::formatTime(t, "yy/m/d n"), "24/3/5 7");
  t.tm_hour = 23;
  EXPECT_EQ(sys::formatTime(t, "h時"), "23時");
}

TEST(Text, ConvertsCaseAndWidth) {
  struct Case {
    const char* in;
    int flags;
    const char* want;
  } cases[] = {
      {"  -12", sys::kWide | sys::kUpperCase, "　　－１２"},
      {"abc9", sys::kUpperCase, "ABC9"},
      {"ａｂ", sys::kUpperCase, "ＡＢ"},
      {"Ab", sys::kLowerCase, "ab"},
      {"hello big WORLD", sys::kProperCase, "Hello Big World"},
      {"x1", sys::kWide, "ｘ１"},
      {"ﾀｲﾑｱﾀｯｸ", sys::kWide, "タイムアタック"},
      {"ｶﾞｷﾞﾊﾟﾎﾟｳﾞ", sys::kWide, "ガギパポヴ"},
      {"ｱﾞﾏﾟﾞ", sys::kWide, "ア゛マ゜゛"},  // marks that join nothing stand alone
      {"｡｢｣､･ｰ", sys::kWide, "。「」、・ー"},
      {"ブルー漢字", sys::kWide | sys::kUpperCase, "ブルー漢字"},
      {"ＡＢ　１", sys::kNarrow, "AB 1"},
      {"12", 0, "12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(sys::strConv(c.in, c.flags), c.want);
  }
}

TEST(Text, DecodesUtf8OrTheOldCodePage) {
  struct Case {
    std::string in, want;
  } cases[] = {
      {"plain", "plain"},
      {"\xEF\xBB\xBF"
       "ブルー",
       "ブルー"},
      {"\x83\x75\x83\x8B\x81\x5B", "ブルー"},
      {"\xB6\xDE\x82\xA0", "ｶﾞあ"},
      {"ok\x83", "ok\xEF\xBF\xBD"},   // a cut-off double-byte character
      {"\xC0\x80", "ﾀ\xEF\xBF\xBD"},  // an overlong UTF-8 form is not UTF-8
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(sys::decodeTextFile(c.in), c.want);
  EXPECT_TRUE(sys::isValidUtf8("ブルー"));
  EXPECT_FALSE(sys::isValidUtf8("\xED\xA0\x80"));  // a surrogate
}

TEST(Text, SplitsLinesAtEveryKindOfLineEnd) {
  using V = std::vector<std::string>;
  EXPECT_EQ(sys::splitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(sys::splitLines("a\r\n\r\nb\r\n"), (V{"a", "", "b"}));
  EXPECT_EQ(sys::splitLines("\n"), (V{""}));
  EXPECT_EQ(sys::splitLines(""), V{});
  EXPECT_EQ(sys::splitLines("a\r"), (V{"a"}));
}

TEST(Utf8, MalformedBytesAlwaysAdvance) {
  std::string_view bad = "\xE3\x81";  // a cut-off three-byte sequence
  size_t i = 0;
  EXPECT_EQ(sys::nextCodePoint(bad, i), U'\uFFFD');
  EXPECT_EQ(i, 1u);
  std::string_view good = "あA";
  i = 0;
  EXPECT_EQ(sys::nextCodePoint(good, i), U'あ');
  EXPECT_EQ(sys::nextCodePoint(good, i), U'A');
  EXPECT_EQ(i, good.size());
  // Encoding and decoding are inverse over every plane.
  std::u32string all = U"aé\u3042\U0001F600";
  EXPECT_EQ(sys::toCodePoints(sys::toUtf8(all)), all);
  EXPECT_EQ(sys::toCodePoints("\xFFx"), U"\uFFFDx");
}
