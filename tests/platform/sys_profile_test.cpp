#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_dir.h"
#include "sys/profile.h"

using sys::readProfileString;
using sys::writeProfileString;
using testing_support::TempDir;

namespace {

// Mixed line ends on purpose: CR LF, LF and a lone CR all end a line.
constexpr char kSample[] =
    "; settings\r\n"
    "[Alpha]\r\n"
    "Key1=plain\r\n"
    "  key2  =  spaced value  \n"
    "Quoted=\"  inner  \"\r"
    "Single='x'\r\n"
    "Mismatch=\"abc'\r\n"
    "Semi=a ; not a comment\r\n"
    ";Hidden=1\r\n"
    "  ;AlsoHidden=1\r\n"
    "Dup=first\r\n"
    "Dup=second\r\n"
    "Empty=\r\n"
    "NoEquals\r\n"
    "\r\n"
    "[ beta ]\r\n"
    "K = beta1\r\n"
    "[ALPHA]\r\n"
    "Key1=second section\r\n"
    "Later=only here\r\n"
    "[Gamma]\r\n"
    "JP=ブルー\r\n"
    "Eq=a=b\r\n"
    "\v[\vTabs\t]\v\r\n"
    "\v\tKey\v=\v v t\t\v\r\n"
    "\vOther=x";

}  // namespace

TEST(Profile, ReadsByThePlatformRules) {
  TempDir dir;
  std::string file = dir.write("s.ini", kSample);
  struct Case {
    const char *section, *key, *want;
  } cases[] = {
      {"Alpha", "Key1", "plain"},
      {"alpha", "KEY2", "spaced value"},
      {"Alpha", "Quoted", "  inner  "},
      {"Alpha", "Single", "x"},
      {"Alpha", "Mismatch", "\"abc'"},
      {"Alpha", "Semi", "a ; not a comment"},
      {"Alpha", "Hidden", "<none>"},
      {"Alpha", ";Hidden", "<none>"},
      {"Alpha", "AlsoHidden", "<none>"},
      {"Alpha", "Dup", "first"},
      {"Alpha", "Empty", ""},
      {"Alpha", "NoEquals", "<none>"},
      {"BETA", "k", "beta1"},
      {"Alpha", "Later", "<none>"},  // the first of two same-named sections is the one
      {"Gamma", "JP", "ブルー"},
      {"Gamma", "Eq", "a=b"},
      {"Tabs", "Key", "v t"},
      {"Tabs", "Other", "x"},
      {"Gamma", "Key1", "<none>"},
      {"Missing", "Key1", "<none>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(readProfileString(file, c.section, c.key, "<none>"), c.want);
  }
}

TEST(Profile, LongValuesAreCutAtWholeCharacters) {
  TempDir dir;
  std::string ascii(300, 'x');
  std::string kana;
  for (int i = 0; i < 300; ++i) kana += "あ";
  std::string file = dir.write("long.ini", "[S]\r\nA=" + ascii + "\r\nK=" + kana + "\r\n");
  EXPECT_EQ(readProfileString(file, "S", "A"), std::string(254, 'x'));
  std::string got = readProfileString(file, "S", "K");
  EXPECT_EQ(got.size(), 254u * 3);
  EXPECT_EQ(got, kana.substr(0, 254 * 3));
}

TEST(Profile, OldCodePageAndByteOrderMarkAreRead) {
  TempDir dir;
  // "ブルー" and half-width "ｶﾞ" in the old Japanese code page.
  std::string cp = dir.write("cp.ini", "[P]\r\nN=\x83\x75\x83\x8B\x81\x5B\r\nH=\xB6\xDE\r\n");
  EXPECT_EQ(readProfileString(cp, "P", "N"), "ブルー");
  EXPECT_EQ(readProfileString(cp, "P", "H"), "ｶﾞ");
  std::string bom = dir.write("bom.ini", "\xEF\xBB\xBF[S]\r\nK=v\r\n");
  EXPECT_EQ(readProfileString(bom, "S", "K"), "v");
}

TEST(Profile, BadFilesGiveTheFallback) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder.ini");
  constexpr char kNul[] = "[S]\r\nA=ab\0cd\r\n\0\0\r\nB=after\r\n";
  std::string nul = dir.write("nul.ini", std::string(kNul, sizeof kNul - 1));
  std::string huge = dir.write(
      "huge.ini", "[S]\r\nX=" + std::string(100000, 'y') + "\r\nB=after\r\n" + std::string(100000, '[') + "\r\n");
  EXPECT_EQ(readProfileString(dir / "missing.ini", "S", "A", "-"), "-");
  EXPECT_EQ(readProfileString(dir / "folder.ini", "S", "A", "-"), "-");
  EXPECT_EQ(readProfileString(nul, "S", "A"), "ab");
  EXPECT_EQ(readProfileString(nul, "S", "B"), "after");
  EXPECT_EQ(readProfileString(huge, "S", "X").size(), 254u);
  EXPECT_EQ(readProfileString(huge, "S", "B"), "after");
  if (::geteuid() != 0) {  // root reads every file regardless of its mode
    std::string locked = dir.write("locked.ini", "[S]\r\nA=1\r\n");
    ::chmod(locked.c_str(), 0);
    EXPECT_EQ(readProfileString(locked, "S", "A", "-"), "-");
    EXPECT_FALSE(writeProfileString(locked, "S", "A", "2"));
  }
}

TEST(Profile, WritesKeepEveryOtherLine) {
  struct Case {
    const char* name;
    const char* before;
    const char *section, *key, *value;
    const char* after;
  } cases[] = {
      {"replace in place, the file's spelling of the key kept", "; c\n[S]\n  Key = old \nZ=1\n", "s", "KEY", "new",
       "; c\n[S]\nKey=new\nZ=1\n"},
      {"only the first duplicate changes", "[S]\r\nA=1\r\nA=2\r\n", "S", "a", "9", "[S]\r\nA=9\r\nA=2\r\n"},
      {"missing key goes after the section's last line", "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n", "S", "C", "3",
       "[S]\r\nA=1\r\nC=3\r\n\r\n[T]\r\nB=2\r\n"},
      {"missing key in an empty section", "[S]\r\n[T]\r\n", "S", "C", "3", "[S]\r\nC=3\r\n[T]\r\n"},
      {"missing key when the last line has no line end", "[S]\r\nA=1", "S", "C", "3", "[S]\r\nA=1\r\nC=3\r\n"},
      {"missing section goes at the end", "[S]\nA=1\n", "T", "B", "2", "[S]\nA=1\n[T]\r\nB=2\r\n"},
      {"missing section after a line without end", "x", "T", "B", "2", "x\r\n[T]\r\nB=2\r\n"},
      {"a byte-order mark stays before the first section", "\xEF\xBB\xBF[S]\r\nA=1\r\n", "S", "A", "2",
       "\xEF\xBB\xBF[S]\r\nA=2\r\n"},
      {"line breaks in a value become blanks", "", "S", "K", "a\r\nb", "[S]\r\nK=a  b\r\n"},
      {"a missing key goes above the comments that close its section",
       "[S]\r\nA=1\r\n; a\r\nB=2\r\n\r\n; end\r\n;x=1\r\n[T]\r\n", "S", "C", "3",
       "[S]\r\nA=1\r\n; a\r\nB=2\r\nC=3\r\n\r\n; end\r\n;x=1\r\n[T]\r\n"},
      {"a section of comments only takes the key under its header", "[S]\r\n; only\r\n", "S", "C", "3",
       "[S]\r\nC=3\r\n; only\r\n"},
      {"a rewritten last line without an end gets one", "[S]\r\nA=1", "S", "A", "2", "[S]\r\nA=2\r\n"},
      {"a rewritten last line keeps the lines above it", "[S]\nB=1\nA=1", "S", "a", "2", "[S]\nB=1\nA=2\r\n"},
      {"vertical tabs are blanks around names and keys", "\v[\vS\v]\v\r\n\vA\v=\v1\v\r\n", "s", "a", "2",
       "\v[\vS\v]\v\r\nA=2\r\n"},
      {"a value with a vertical tab at its end is quoted", "", "S", "K", "v\v", "[S]\r\nK=\"v\v\"\r\n"},
      {"a key of the second same-named section is not touched", "[S]\r\nA=1\r\n[s]\r\nB=2\r\n", "S", "B", "3",
       "[S]\r\nA=1\r\nB=3\r\n[s]\r\nB=2\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    std::string file = dir.write("w.ini", c.before);
    EXPECT_TRUE(writeProfileString(file, c.section, c.key, c.value));
    EXPECT_EQ(dir.read("w.ini"), c.after);
  }
}

TEST(Profile, WriteCreatesAMissingFileAndReadsBack) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "Data");
  // The game writes paths its own way: "\" between folders, any letter case.
  std::string file = (dir.path() / "DATA").string() + "\\Vorak.Vrk";
  ASSERT_TRUE(writeProfileString(file, "PLAYERNAME", "0", "ブルー"));
  ASSERT_TRUE(writeProfileString(file, "SPEED", "MSG", "0.2"));
  ASSERT_TRUE(writeProfileString(file, "playername", "0", "ピンク"));
  EXPECT_EQ(dir.read("Data/Vorak.Vrk"), "[PLAYERNAME]\r\n0=ピンク\r\n[SPEED]\r\nMSG=0.2\r\n");
  EXPECT_EQ(readProfileString(file, "PlayerName", "0"), "ピンク");
  for (const char* v : {" lead", "trail ", "\"q\"", "'q'", "\"half", ""}) {
    ASSERT_TRUE(writeProfileString(file, "S", "V", v));
    EXPECT_EQ(readProfileString(file, "S", "V", "<none>"), v);
  }
}

TEST(Profile, WriteAnOldCodePageFileTurnsItIntoUtf8) {
  TempDir dir;
  std::string file = dir.write("cp.ini", "[P]\r\nN=\x83\x75\x83\x8B\x81\x5B\r\n");
  ASSERT_TRUE(writeProfileString(file, "P", "M", "1"));
  EXPECT_EQ(dir.read("cp.ini"), "[P]\r\nN=ブルー\r\nM=1\r\n");
}

TEST(Profile, WriteFailuresAreReported) {
  TempDir dir;
  dir.write("plain", "x");
  std::filesystem::create_directory(dir.path() / "folder.ini");
  EXPECT_FALSE(writeProfileString(dir / "nofolder/x.ini", "S", "K", "v"));
  EXPECT_FALSE(writeProfileString(dir / "plain/x.ini", "S", "K", "v"));
  EXPECT_FALSE(writeProfileString(dir / "folder.ini", "S", "K", "v"));
  EXPECT_FALSE(writeProfileString(dir / "ok.ini", "", "K", "v"));
  EXPECT_FALSE(writeProfileString(dir / "ok.ini", "S", " ", "v"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "ok.ini"));
  if (::geteuid() != 0) {  // root writes into any folder
    std::filesystem::create_directory(dir.path() / "ro");
    ::chmod((dir / "ro").c_str(), 0555);
    EXPECT_FALSE(writeProfileString(dir / "ro/x.ini", "S", "K", "v"));
  }
}
