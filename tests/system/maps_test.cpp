// The shipped boards must be playable: a checker of the rules a good board keeps, run over every
// map of the game folder, and shown to catch each kind of broken board.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "data/board.h"
#include "data/game_data.h"

namespace {

constexpr int kCols = 24, kRows = 10;
using Grid = std::vector<std::vector<std::string>>;

const std::set<std::string>& knownCodes() {
  static const std::set<std::string> codes = {"00", "01", "02", "10", "11", "12", "20", "21", "22", "30", "31", "32",
                                              "40", "41", "42", "50", "51", "52", "60", "61", "62", "70", "71", "72",
                                              "80", "81", "82", "90", "91", "92", "A0", "A1", "A2", "B0", "B1", "B2",
                                              "C0", "C1", "C2", "D0", "D1", "D2", "E0", "E1", "E2"};
  return codes;
}

bool isCrack(const std::string& c) { return c == "10" || c == "11" || c == "12"; }
bool isDip(const std::string& c) { return c == "20" || c == "21" || c == "22"; }
bool isSplit(const std::string& c) { return c == "30" || c == "31" || c == "32"; }
bool isLadder(const std::string& c) { return c == "C0" || c == "C1"; }
// What a walk bounces off in its own row.
bool isBarrier(const std::string& c) { return c == "01" || isCrack(c) || isDip(c) || isSplit(c); }
// What a piece rests on (a dip or a crack holds it at first; a crack is checked for its break).
bool holds(const std::string& c) { return c == "01" || isLadder(c) || isDip(c) || isCrack(c); }
int wrap(int c) { return (c % kCols + kCols) % kCols; }

// Reads a map file strictly: 10 lines of 24 codes, CR LF line ends, one empty line at the end.
Grid parse(const std::string& text, std::vector<std::string>& faults) {
  Grid g;
  bool closed = text.size() >= 4 && text.compare(text.size() - 4, 4, "\r\n\r\n") == 0;
  if (!closed) faults.push_back("must end in an empty CR LF line");
  std::string body = closed ? text.substr(0, text.size() - 2) : text;
  std::istringstream in(body);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line.back() != '\r') faults.push_back("row " + std::to_string(g.size()) + " lacks CR LF");
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() != 71) faults.push_back("row " + std::to_string(g.size()) + " is not 71 characters");
    std::vector<std::string> row;
    std::istringstream words(line);
    std::string code;
    while (std::getline(words, code, ' ')) row.push_back(code);
    if (row.size() != kCols) faults.push_back("row " + std::to_string(g.size()) + " has not 24 codes");
    row.resize(kCols, "00");
    for (auto& c : row)
      if (!knownCodes().count(c)) faults.push_back("unknown code '" + c + "'");
    g.push_back(row);
  }
  if (g.size() != kRows) faults.push_back("has " + std::to_string(g.size()) + " rows, not 10");
  g.resize(kRows, std::vector<std::string>(kCols, "00"));
  return g;
}

// Where a piece that drops below (r, c) comes to rest, following falls through empty floors.
// Empty when it would fall off the board or land on something that is not a floor.
bool fallRests(const Grid& g, int r, int c, std::string& why) {
  for (int depth = 0; depth < kRows; ++depth) {
    if (r + 1 >= kRows) return why = "falls off the bottom", false;
    const std::string& under = g[r + 1][c];
    if (holds(under)) {
      if (!isCrack(under)) return true;
      // A crack gives way in time: what lies below must hold the piece too.
    } else if (isSplit(under)) {
      for (int side : {-1, 1}) {
        int lc = wrap(c + side);
        if (r + 2 >= kRows || g[r + 2][lc] != "00") return why = "split hole lands on no plain floor", false;
        if (!fallRests(g, r + 2, lc, why)) return false;
      }
      return true;
    } else if (under != "00") {
      return why = "stands on '" + under + "'", false;
    }
    if (r + 2 >= kRows) return why = "falls off the bottom", false;
    if (isBarrier(g[r + 2][c]) || isLadder(g[r + 2][c])) return why = "falls onto a wall", false;
    r += 2;
  }
  return why = "falls forever", false;
}

// The columns of row r a walk can reach from column c (rows wrap; barriers stop it; a ladder is
// climbed at once, so it ends the walk too).
std::vector<int> reach(const Grid& g, int r, int c) {
  std::vector<int> out{c};
  for (int dir : {-1, 1})
    for (int x = wrap(c + dir); x != c; x = wrap(x + dir)) {
      if (isBarrier(g[r][x])) break;
      out.push_back(x);
      if (isLadder(g[r][x])) break;
    }
  return out;
}

std::vector<std::string> check(const std::string& text) {
  std::vector<std::string> faults;
  Grid g = parse(text, faults);
  auto at = [](int r, int c) { return "(" + std::to_string(c) + ", " + std::to_string(r) + ")"; };
  int starts = 0, goals = 0;
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) {
      const std::string& k = g[r][c];
      bool floor = r % 2 == 0;
      if (k == "02" && ++starts && r != 8) faults.push_back("start off the bottom floor at " + at(r, c));
      if (k == "E2" && ++goals && r != 0) faults.push_back("goal off the top floor at " + at(r, c));
      if (!floor && !(k == "00" || k == "01" || k == "C1" || isCrack(k) || isDip(k) || isSplit(k)))
        faults.push_back("'" + k + "' in a wall row at " + at(r, c));
      if (floor && (k == "C1" || isCrack(k) || isDip(k) || isSplit(k)))
        faults.push_back("'" + k + "' in a floor row at " + at(r, c));
      if (k == "C0") {
        if (r < 2 || g[r - 1][c] != "C1")
          faults.push_back("ladder foot without its shaft at " + at(r, c));
        else if (isBarrier(g[r - 2][c]) || isLadder(g[r - 2][c]))
          faults.push_back("ladder leads into no floor at " + at(r, c));
      }
      if (k == "C1" && (r + 1 >= kRows || g[r + 1][c] != "C0"))
        faults.push_back("ladder shaft without its foot at " + at(r, c));
      if (k == "72" && r >= 2 && isBarrier(g[r - 2][c])) faults.push_back("up-sign into a wall at " + at(r, c));
      std::string why;
      if (floor && !isBarrier(k) && !fallRests(g, r, c, why)) faults.push_back("a piece at " + at(r, c) + " " + why);
    }
  if (starts != 1) faults.push_back("has " + std::to_string(starts) + " starts");
  if (goals != 1) faults.push_back("has " + std::to_string(goals) + " goals");
  for (int c = 0; c < kCols; ++c)
    if (g[9][c] != "01") faults.push_back("bottom row open at column " + std::to_string(c));
  // Each boss once, on its own floor.
  const char* bosses[] = {"D0", "D1", "D2", "E0", "E1"};
  for (int n = 0; n < 5; ++n) {
    int count = 0, row = -1;
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c)
        if (g[r][c] == bosses[n]) ++count, row = r;
    if (count != 1 || row != 8 - 2 * n) faults.push_back(std::string("boss ") + bosses[n] + " not once on its floor");
  }
  // Climb floor by floor from the start: the goal must be reachable, through every floor.
  std::set<std::pair<int, int>> seen;
  std::vector<std::pair<int, int>> todo;
  for (int c = 0; c < kCols; ++c)
    if (g[8][c] == "02") todo.push_back({8, c});
  bool goal = false;
  std::set<int> floors;
  while (!todo.empty()) {
    auto [r, c] = todo.back();
    todo.pop_back();
    if (!seen.insert({r, c}).second) continue;
    floors.insert(r);
    for (int x : reach(g, r, c)) {
      if (g[r][x] == "E2") goal = true;
      if ((g[r][x] == "C0" || g[r][x] == "72") && r >= 2) todo.push_back({r - 2, x});
    }
  }
  if (!goal) faults.push_back("the goal cannot be reached from the start");
  if (floors.size() != 5) faults.push_back("the way up skips a floor");
  return faults;
}

std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A valid board in the map format, from rows written with '\n'.
std::string crlf(const std::string& rows) {
  std::string out;
  for (char ch : rows) out += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
  return out + "\r\n";
}

const char* kGood =
    "01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 E1 E2 01\n"
    "01 C1 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01\n"
    "01 C0 E0 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01\n"
    "01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 C1 01\n"
    "01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 D2 C0 01\n"
    "01 C1 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01\n"
    "01 C0 D1 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01\n"
    "01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 C1 01\n"
    "02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 D0 C0 01\n"
    "01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01\n";

// kGood with the cell at (column, row) replaced.
std::string with(int col, int row, const char* code) {
  std::string s = kGood;
  s.replace(static_cast<size_t>(row * 72 + col * 3), 2, code);
  return crlf(s);
}

TEST(MapCheck, AcceptsASoundBoard) { EXPECT_TRUE(check(crlf(kGood)).empty()); }

TEST(MapCheck, RejectsBrokenBoards) {
  struct Case {
    const char* what;
    std::string text;
    const char* fault;  // a word of the expected complaint
  };
  std::string lf = kGood;
  const Case cases[] = {
      {"LF line ends", lf + "\n", "CR LF"},
      {"a second start", with(3, 8, "02"), "2 starts"},
      {"no goal", with(22, 0, "00"), "0 goals"},
      {"a ladder without its shaft", with(22, 7, "01"), "without its shaft"},
      {"a shaft without its foot", with(5, 3, "C1"), "without its foot"},
      {"a ladder ending in a wall", with(22, 6, "01"), "leads into no floor"},
      {"an up-sign under a wall", with(5, 8, "72").replace(6 * 73 + 5 * 3, 2, "01"), "up-sign into a wall"},
      {"a hole in the bottom row", with(4, 9, "00"), "bottom row open"},
      {"a hole over a hole", with(4, 7, "00").replace(8 * 73 + 4 * 3, 2, "00").replace(9 * 73 + 4 * 3, 2, "00"),
       "falls"},
      {"a split hole landing on a shop", with(6, 7, "30").replace(8 * 73 + 5 * 3, 2, "80"), "split hole"},
      {"a crack that breaks onto nothing", with(10, 7, "12").replace(9 * 73 + 10 * 3, 2, "00"), "falls"},
      {"an unknown code", with(7, 4, "F3"), "unknown code"},
      {"a facility in a wall row", with(7, 3, "80"), "wall row"},
      {"a boss on the wrong floor", with(21, 8, "D1"), "boss"},
      {"a wall cutting off the ladder", with(12, 8, "01"), "cannot be reached"},
      {"a short row", crlf(std::string(kGood).replace(0, 3, "")), "71"},
  };
  for (const auto& c : cases) {
    auto faults = check(c.text);
    bool found = std::any_of(faults.begin(), faults.end(),
                             [&](const std::string& f) { return f.find(c.fault) != std::string::npos; });
    EXPECT_TRUE(found) << c.what << ": expected a fault about \"" << c.fault << "\"";
  }
}

TEST(ShippedMaps, EveryMapIsPlayable) {
  std::vector<std::filesystem::path> maps;
  for (const auto& e : std::filesystem::directory_iterator(std::string(VORAK_GAME_DIR) + "/Vorak-Map"))
    if (e.path().extension() == ".map") maps.push_back(e.path());
  std::sort(maps.begin(), maps.end());
  ASSERT_GE(maps.size(), 3u);
  for (const auto& m : maps) {
    auto faults = check(readFile(m));
    std::string all;
    for (auto& f : faults) all += "\n  " + f;
    EXPECT_TRUE(faults.empty()) << m.filename() << all;
  }
}

TEST(ShippedMaps, TheGamesReaderLoadsThemCellForCell) {
  for (const auto& e : std::filesystem::directory_iterator(std::string(VORAK_GAME_DIR) + "/Vorak-Map")) {
    if (e.path().extension() != ".map") continue;
    ResetGameData();
    ASSERT_TRUE(ReadMapFile(e.path().string())) << e.path();
    std::vector<std::string> faults;
    Grid g = parse(readFile(e.path()), faults);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) {
        const MapCell& cell = Game().Board[c][r];
        ASSERT_EQ(cell.Code, g[r][c]) << e.path().filename() << " at " << c << "," << r;
        EXPECT_EQ(cell.ChipX * 16 + cell.ChipY, std::stoi(g[r][c], nullptr, 16));
      }
  }
  ResetGameData();
}

TEST(ShippedMaps, TheFirstMapShowsEveryCellKind) {
  std::vector<std::filesystem::path> maps;
  for (const auto& e : std::filesystem::directory_iterator(std::string(VORAK_GAME_DIR) + "/Vorak-Map"))
    if (e.path().extension() == ".map") maps.push_back(e.path());
  ASSERT_FALSE(maps.empty());
  std::string text = readFile(*std::min_element(maps.begin(), maps.end()));
  for (const auto& code : knownCodes()) EXPECT_NE(text.find(code), std::string::npos) << code;
}

}  // namespace
