#include "data/board.h"

#include <gtest/gtest.h>

#include <string>

#include "data_test.h"

namespace {

std::string row(const std::string& code, int count = kPlayColumns) {
  std::string line;
  for (int i = 0; i < count; ++i) line += (i ? " " : "") + code;
  return line;
}

class BoardTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    InitCellKinds();
  }
  // Fills every cell, the unplayed ones too, so that a reader's reach shows.
  void fillBoard(const std::string& code) {
    for (auto& column : Game().Board)
      for (auto& cell : column) SetMapCell(cell, code);
  }
  const MapCell& cell(int c, int r) const { return Game().Board[c][r]; }
};

TEST_F(BoardTest, KindTableComesFromTheRowTexts) {
  struct Case {
    const char* code;
    const char* name;
    const char* param;
  } cases[] = {
      {"00", "なし", ""},    {"01", "壁", ""},        {"02", "開始位置", ""},   {"10", "ひび", "1"},
      {"12", "ひび", "3"},   {"40", "草", "1"},       {"42", "噴水", "1"},      {"70", "看板", "右"},
      {"72", "看板", "上"},  {"90", "色々", "1"},     {"91", "闇の道場", "2"},  {"92", "ゲームセンター", "1"},
      {"C2", "宝箱", "3"},   {"D1", "ヴォラク", "2"}, {"E1", "ヴォラク", "5"},  {"E2", "ゴール", "0"},
      {"e2", "ゴール", "0"}, {"F0", "", ""},          {"03", "", ""},           {"", "なし", ""},
      {"ZZ", "なし", ""},    {"D1F", "なし", ""},     {"FFFFFFFF", "なし", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(CellKindName(c.code), c.name);
    EXPECT_EQ(CellKindParam(c.code), c.param);
  }
  int named = 0;
  for (const auto& n : Game().CellKindNames) named += !n.empty();
  EXPECT_EQ(named, 45);
}

TEST_F(BoardTest, MakeCellCodeWritesTheDigitsSideBySide) {
  EXPECT_EQ(MakeCellCode(14, 2), 226);
  EXPECT_EQ(MakeCellCode(0, 1), 1);
  EXPECT_EQ(MakeCellCode(10, 0), 0xA0);
  EXPECT_EQ(MakeCellCode(1, 16), 0x110);
}

TEST_F(BoardTest, HelpTextOfACodeFollowsItsKind) {
  EXPECT_EQ(CellHelpText("32"), "必ず落ちてしまいます。\r\n70%の確率で右側に落ちます");
  EXPECT_EQ(CellHelpText("A1"), "");  // the toll gate has none
  EXPECT_EQ(CellHelpText("E2"), "");
  EXPECT_EQ(CellHelpText("01"), "壁です");
}

TEST_F(BoardTest, BlankMapIsFiveFloorsWithWallsAndLeavesTheRest) {
  fillBoard("C2");
  NewBlankMap();
  EXPECT_EQ(cell(0, 8), (MapCell{0, 0, "00"}));
  EXPECT_EQ(cell(5, 9), (MapCell{0, 1, "01"}));
  EXPECT_EQ(cell(30, 0).Code, "00");
  EXPECT_EQ(cell(31, 0).Code, "C2");
  EXPECT_EQ(cell(3, 10).Code, "C2");
  EXPECT_EQ(cell(3, 11).Code, "C2");
}

TEST_F(BoardTest, WrittenMapIsExactAndReadsBack) {
  NewBlankMap();
  SetMapCell(Game().Board[0][8], "02");
  SetMapCell(Game().Board[23][0], "E2");
  SetMapCell(Game().Board[24][0], "C2");  // outside the stored part
  ASSERT_TRUE(WriteMapFile(path("a.map")));

  std::string expected;
  for (int r = 0; r < kPlayRows; ++r) {
    std::string line = row(r % 2 ? "01" : "00");
    if (r == 0) line.replace(69, 2, "E2");
    if (r == 8) line.replace(0, 2, "02");
    ASSERT_EQ(line.size(), 71u);
    expected += line + "\r\n";
  }
  expected += "\r\n";
  EXPECT_EQ(read("a.map"), expected);

  BoardCells written = Game().Board;
  fillBoard("C1");
  ASSERT_TRUE(ReadMapFile(path("A.MAP")));  // names match regardless of case
  for (int c = 0; c < kBoardColumns; ++c)
    for (int r = 0; r < kBoardRows; ++r) {
      bool stored = c < kPlayColumns && r < kPlayRows;
      EXPECT_EQ(cell(c, r), stored ? written[c][r] : (MapCell{12, 1, "C1"})) << c << "," << r;
    }
}

TEST_F(BoardTest, ReaderSkipsEmptyLinesAndKeepsWhatTheFileLacks) {
  fillBoard("C1");
  // LF only, a byte-order mark, an empty line between rows 1 and 2, only three rows.
  write("m.map", "\xEF\xBB\xBF" + row("00") + "\n" + row("01") + "\n\n" + "10 20  3 E\n");
  ASSERT_TRUE(ReadMapFile(path("m.map")));
  EXPECT_EQ(cell(0, 0), (MapCell{0, 0, "00"}));  // no mark left in the first code
  EXPECT_EQ(cell(23, 1), (MapCell{0, 1, "01"}));
  EXPECT_EQ(cell(0, 2), (MapCell{1, 0, "10"}));
  EXPECT_EQ(cell(1, 2), (MapCell{2, 0, "20"}));
  EXPECT_EQ(cell(2, 2), (MapCell{0, 0, ""}));    // two blanks give an empty piece
  EXPECT_EQ(cell(3, 2), (MapCell{3, 0, "3"}));   // one character: ChipY 0
  EXPECT_EQ(cell(4, 2), (MapCell{14, 0, "E"}));  // no stray CR in the last code
  EXPECT_EQ(cell(5, 2).Code, "C1");
  EXPECT_EQ(cell(0, 3).Code, "C1");
}

TEST_F(BoardTest, OversizedFileStaysInsideTheBoard) {
  fillBoard("C1");
  std::string text;
  for (int r = 0; r < 15; ++r) text += row(r < 10 ? "01" : "E2", 40) + "\r\n";
  text += "ABC 1G\r\n";
  write("big.map", text);
  ASSERT_TRUE(ReadMapFile(path("big.map")));
  EXPECT_EQ(cell(31, 9).Code, "01");
  EXPECT_EQ(cell(0, 10).Code, "C1");  // rows past the tenth line are not read
  EXPECT_EQ(cell(0, 11).Code, "C1");

  write("odd.map", "ABC 1G\r\n");
  ASSERT_TRUE(ReadMapFile(path("odd.map")));
  EXPECT_EQ(cell(0, 0), (MapCell{10, 11, "ABC"}));
  EXPECT_EQ(CellKindName("ABC"), "なし");
  EXPECT_EQ(cell(1, 0), (MapCell{1, 0, "1G"}));
}

TEST_F(BoardTest, ReadingEndsWithTheBoardRedraw) {
  std::string seen;
  Hooks().DrawMap = [&] { seen = cell(0, 0).Code; };
  write("m.map", "D1\r\n");
  EXPECT_TRUE(ReadMapFile(path("m.map")));
  EXPECT_EQ(seen, "D1");  // drawn after the cells were set

  seen = "none";
  EXPECT_FALSE(ReadMapFile(path("missing.map")));
  EXPECT_EQ(seen, "none");
}

TEST_F(BoardTest, FailedWriteIsReported) {
  NewBlankMap();
  EXPECT_FALSE(WriteMapFile(path("no-such-folder/a.map")));
  std::filesystem::create_directories(dir_ / "taken.map" / "x");
  EXPECT_FALSE(WriteMapFile(path("taken.map")));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken.map" / "x"));
}

}  // namespace
