#include "data/board.h"

#include <cctype>
#include <vector>

#include "data/fields.h"
#include "data/help.h"
#include "sys/number.h"
#include "sys/path.h"
#include "sys/text.h"

namespace {

using data_detail::splitAt;
using data_detail::trimBlanks;

constexpr std::string_view kKindRows[3] = {
    "なし/    ,ひび/1,池/1,別れ穴/1,草/  1,木/  1,柱/  1,看板/右,宿屋/1,色々/    1,止まれ/1,リセット/1,ハシゴ/1,"
    "ヴォラク/1,ヴォラク/4",
    "壁/      ,ひび/2,罠/2,別れ穴/2,草/  2,木/  2,柱/  2,看板/左,道場/1,闇の道場/      2,料金所/1,敵の味方/2,"
    "ハシゴ/2,ヴォラク/2,ヴォラク/5",
    "開始位置/,ひび/3,温泉/3,別れ穴/3,噴水/1,小僧/2,天秤/1,看板/上,薬屋/1,ゲームセンター/1,集合/1,神様/3,宝箱/  3,"
    "ヴォラク/3,ゴール/0",
};

int32_t hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

// A code of the kind table: a column digit 0 to E, then a row digit 0 to 2.
bool kindCode(std::string_view code) {
  return code.size() == 2 && std::isxdigit(static_cast<unsigned char>(code[0])) && code[0] != 'F' && code[0] != 'f' &&
         code[1] >= '0' && code[1] <= '2';
}

std::string mapFileText() {
  const BoardCells& board = Game().Board;
  std::string text;
  for (int r = 0; r < kPlayRows; ++r) {
    for (int c = 0; c < kPlayColumns; ++c) {
      text += board[c][r].Code;
      text += c + 1 < kPlayColumns ? " " : "\r\n";
    }
  }
  return text + "\r\n";
}

}  // namespace

void InitCellKinds() {
  GameData& g = Game();
  for (int32_t r = 0; r < 3; ++r) {
    std::vector<std::string_view> items = splitAt(kKindRows[r], ',');
    for (int32_t c = 0; c < 15; ++c) {
      std::vector<std::string_view> halves = splitAt(items[c], '/');
      int32_t code = MakeCellCode(c, r);
      g.CellKindNames[code] = trimBlanks(halves[0]);
      g.CellKindParams[code] = halves.size() > 1 ? trimBlanks(halves[1]) : "";
    }
  }
}

int32_t MakeCellCode(int32_t column, int32_t row) {
  // The row's hex digits follow the column's, so a row of 16 or more shifts the column further.
  int64_t shift = 16;
  for (int64_t rest = row / 16; rest > 0; rest /= 16) shift *= 16;
  return sys::clampInt(int64_t{column} * shift + row);
}

int32_t CellCodeValue(std::string_view code) {
  double v = sys::val("&H" + std::string(code));
  // Longer codes would index past the kind table; they name no kind, like an empty code.
  return v >= 0 && v <= 255 ? static_cast<int32_t>(v) : 0;
}

std::string CellKindName(std::string_view code) { return Game().CellKindNames[CellCodeValue(code)]; }

std::string CellKindParam(std::string_view code) { return Game().CellKindParams[CellCodeValue(code)]; }

std::string CellHelpText(std::string_view code) { return GetCellHelp(CellKindName(code), CellKindParam(code)); }

void SetMapCell(MapCell& cell, std::string_view code) {
  cell.ChipX = code.size() > 0 ? hexDigit(code[0]) : 0;
  cell.ChipY = code.size() > 1 ? hexDigit(code[1]) : 0;
  cell.Code = code;
}

void NewBlankMap() {
  BoardCells& board = Game().Board;
  for (int r = 0; r < kPlayRows; ++r)
    for (int c = 0; c < kBoardColumns - 1; ++c) SetMapCell(board[c][r], r % 2 == 0 ? "00" : "01");
}

bool ReadMapFile(std::string_view fileName) {
  std::optional<std::vector<std::string>> lines = data_detail::filledLines(fileName);
  if (!lines || lines->empty()) return false;
  BoardCells& board = Game().Board;
  for (size_t row = 0; row < lines->size() && row < kPlayRows; ++row) {
    std::vector<std::string_view> pieces = splitAt((*lines)[row], ' ');
    // Surplus pieces have no cell to go to.
    for (size_t c = 0; c < pieces.size() && c < kBoardColumns; ++c) SetMapCell(board[c][row], pieces[c]);
  }
  Hooks().DrawMap();
  return true;
}

bool CheckMapFile(std::string_view fileName) {
  std::optional<std::vector<std::string>> lines = data_detail::filledLines(fileName);
  if (!lines || lines->size() < kPlayRows) return false;
  for (size_t row = 0; row < kPlayRows; ++row) {
    std::vector<std::string_view> pieces = splitAt((*lines)[row], ' ');
    if (pieces.size() < kPlayColumns || pieces.size() > kBoardColumns) return false;
    for (std::string_view p : pieces)
      if (!kindCode(p)) return false;
  }
  return true;
}

bool WriteMapFile(std::string_view fileName) { return sys::writeFileAtomic(fileName, mapFileText()); }
