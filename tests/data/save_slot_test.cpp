#include "data/save_slot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <string>

#include "data/board.h"
#include "data/monsters.h"
#include "data/souba.h"
#include "data_test.h"
#include "sys/profile.h"

namespace {

namespace fs = std::filesystem;

class SaveSlotTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    GameData& g = Game();
    g.DatFolder = (dir_ / "Vorak-Dat/").string();
    fs::create_directories(g.DatFolder);
    NewBlankMap();
    SetMapCell(g.Board[3][1], "02");
    SetMapCell(g.Board[23][9], "E2");
    InitMonsterTable();
    g.Monsters[7].sStr = 77;
    for (int i = 0; i < 4; ++i) {
      PlayerRecord& p = g.Players[i];
      p.sUser = i == 2 ? 0 : 1 + i % 2;
      p.sName = i == 0 ? "ブルー" : "P" + std::to_string(i);
      p.xPosMap = 3 + i;
      p.yPosMap = 1;
      p.xPos = 32 * p.xPosMap;
      p.yPos = 32;
      p.BackMapX = 3;
      p.BackMapY = 1;
      p.sLevel = 2 + i;
      p.sLife = 10 + i;
      p.sLifeMax = 20;
      p.sStr = p.sLuck = 5;
      p.sExpNext = 30;
      p.sMoney = 100 * i;
      p.sLifeMaxAd = Fixed::fromDouble(10.5);
      p.sColor = "{1&0AF}{2&AFF}";
      p.EndingFlug = i == 3;
    }
    g.TurnPlayer = 1;
    g.TurnCount = 12;
    SetSouba("15,4,2,3,3");
  }

  std::string slot(const char* ext) const { return "Vorak-Dat/s" + std::string(ext); }

  // Everything a slot carries, to compare a game before and after.
  struct Snapshot {
    BoardCells board;
    std::array<PlayerRecord, 5> players;
    std::vector<PlayerRecord> monsters;
    int32_t resume, turns;
    std::string souba;
  };
  // Part by part, so a failure says which part differs.
  static void expectSame(const Snapshot& a, const Snapshot& b) {
    EXPECT_EQ(a.board, b.board);
    for (size_t i = 0; i < a.players.size(); ++i) EXPECT_EQ(a.players[i], b.players[i]) << "seat " << i;
    ASSERT_EQ(a.monsters.size(), b.monsters.size());
    for (size_t i = 0; i < a.monsters.size(); ++i) EXPECT_EQ(a.monsters[i], b.monsters[i]) << "monster " << i;
    EXPECT_EQ(a.resume, b.resume);
    EXPECT_EQ(a.turns, b.turns);
    EXPECT_EQ(a.souba, b.souba);
  }
  static Snapshot snapshot() {
    const GameData& g = Game();
    return {g.Board, g.Players, g.Monsters, g.ResumePlayer, g.TurnCount, g.SoubaText};
  }
  // Another game in memory: whatever a load changes shows.
  static void scramble() {
    GameData& g = Game();
    for (int c = 0; c < kPlayColumns; ++c)
      for (int r = 0; r < kPlayRows; ++r) SetMapCell(g.Board[c][r], "01");
    for (int i = 0; i < 4; ++i) g.Players[i].sName = "別のゲーム";
    g.Monsters.resize(3);
    g.ResumePlayer = -1;
    g.TurnCount = 99;
    SetSouba("11,2,2,1,2");
  }
};

TEST_F(SaveSlotTest, ASavedGameLoadsBackAsItWas) {
  ASSERT_TRUE(SaveSlot("第一章 の セーブ"));
  for (const char* ext : kSlotExtensions)
    EXPECT_TRUE(fs::is_regular_file(dir_ / ("Vorak-Dat/第一章 の セーブ" + std::string(ext))));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "Vorak-Dat"), fs::directory_iterator()), 3);

  Game().ResumePlayer = Game().TurnPlayer;  // what the load reads TURN into
  Snapshot saved = snapshot();
  scramble();
  ASSERT_EQ(LoadSlot("第一章 の セーブ"), SlotStatus::Ok);
  expectSame(snapshot(), saved);
  EXPECT_EQ(Game().SoubaPrice[0], 15);
}

TEST_F(SaveSlotTest, NamesThatCouldLeaveTheDataFolderAreNoSlots) {
  struct Case {
    std::string name;
    bool usable;
  } cases[] = {
      {"セーブ1", true}, {".hidden", true}, {"a..b", true},   {"", false},       {".", false},
      {"...", false},    {"a/b", false},    {"..\\x", false}, {"a\x01z", false}, {std::string("a\0z", 3), false},
      {"a\x7fz", false}, {"a\tz", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SlotNameUsable(c.name), c.usable);
    if (c.usable) continue;
    EXPECT_FALSE(SaveSlot(c.name));
    EXPECT_EQ(CheckSlot(c.name), SlotStatus::Missing);
  }
  // Nothing was written anywhere: not in the data folder, not beside it.
  EXPECT_EQ(std::distance(fs::recursive_directory_iterator(dir_), fs::recursive_directory_iterator()), 1);
}

TEST_F(SaveSlotTest, AFailedSaveLeavesTheOlderSaveWhole) {
  ASSERT_TRUE(SaveSlot("s"));
  const std::string map = read(slot(".MAP")), dat = read(slot(".DAT")), mon = read(slot(".Mon"));
  // The last file cannot be written (a folder stands where it would go, which stops root too).
  fs::create_directories(dir_ / "Vorak-Dat/s.Mon.saving/x");
  scramble();
  EXPECT_FALSE(SaveSlot("s"));
  EXPECT_EQ(read(slot(".MAP")), map);
  EXPECT_EQ(read(slot(".DAT")), dat);
  EXPECT_EQ(read(slot(".Mon")), mon);
  for (const char* left : {"s.MAP.saving", "s.DAT.saving", "s.MAP.old", "s.DAT.old", "s.Mon.old"})
    EXPECT_FALSE(fs::exists(dir_ / "Vorak-Dat" / left)) << left;
  // A folder with the slot's name is not replaced either.
  fs::remove_all(dir_ / "Vorak-Dat/s.Mon.saving");
  fs::create_directories(dir_ / "Vorak-Dat/t.DAT");
  EXPECT_FALSE(SaveSlot("t"));
  EXPECT_FALSE(fs::exists(dir_ / "Vorak-Dat/t.MAP"));
}

TEST_F(SaveSlotTest, SlotFilesAreFoundWhateverTheCaseOfTheirExtensions) {
  ASSERT_TRUE(SaveSlot("s"));
  fs::rename(dir_ / "Vorak-Dat/s.MAP", dir_ / "Vorak-Dat/s.map");
  fs::rename(dir_ / "Vorak-Dat/s.DAT", dir_ / "Vorak-Dat/s.Dat");
  fs::rename(dir_ / "Vorak-Dat/s.Mon", dir_ / "Vorak-Dat/s.MON");
  Game().ResumePlayer = Game().TurnPlayer;
  Snapshot saved = snapshot();
  scramble();
  ASSERT_EQ(LoadSlot("s"), SlotStatus::Ok);
  expectSame(snapshot(), saved);
  // Saving again replaces those files instead of adding a second set.
  ASSERT_TRUE(SaveSlot("s"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "Vorak-Dat"), fs::directory_iterator()), 3);
  EXPECT_NE(read("Vorak-Dat/s.map").find("01 01 01"), std::string::npos);
}

TEST_F(SaveSlotTest, ASlotMissingAFileIsRefusedAndDeletesWhatThereIs) {
  for (const char* missing : kSlotExtensions) {
    SCOPED_TRACE(missing);
    ASSERT_TRUE(SaveSlot("s"));
    fs::remove(dir_ / slot(missing));
    Snapshot before = snapshot();
    EXPECT_EQ(LoadSlot("s"), SlotStatus::Missing);
    expectSame(snapshot(), before);
    DeleteSlot("s");
    EXPECT_TRUE(fs::is_empty(dir_ / "Vorak-Dat"));
  }
}

// Every file of the data folder with its contents.
std::map<std::string, std::string> folder(const fs::path& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) {
    std::ifstream in(e.path(), std::ios::binary);
    out[e.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return out;
}

// A save killed at each step leaves the folder in one of these states ("o": the older save's
// file, "n": the new one's); each comes back as one whole save and no work file.
TEST_F(SaveSlotTest, ASaveKilledHalfWayIsMendedAtStart) {
  using Files = std::map<std::string, std::string>;
  struct Case {
    const char* when;
    Files before, after;
  } cases[] = {
      {"while staging",
       {{"s.MAP", "o"}, {"s.DAT", "o"}, {"s.Mon", "o"}, {"s.MAP.saving", "n"}},
       {{"s.MAP", "o"}, {"s.DAT", "o"}, {"s.Mon", "o"}}},
      {"with a file stepped aside",
       {{"s.MAP.old", "o"},
        {"s.MAP.saving", "n"},
        {"s.DAT", "o"},
        {"s.DAT.saving", "n"},
        {"s.Mon", "o"},
        {"s.Mon.saving", "n"}},
       {{"s.MAP", "o"}, {"s.DAT", "o"}, {"s.Mon", "o"}}},
      {"between moves",
       {{"s.MAP", "n"}, {"s.MAP.old", "o"}, {"s.DAT", "n"}, {"s.DAT.old", "o"}, {"s.Mon", "o"}, {"s.Mon.saving", "n"}},
       {{"s.MAP", "o"}, {"s.DAT", "o"}, {"s.Mon", "o"}}},
      {"while the older files went",
       {{"s.MAP", "n"}, {"s.DAT", "n"}, {"s.DAT.old", "o"}, {"s.Mon", "n"}, {"s.Mon.old", "o"}},
       {{"s.MAP", "n"}, {"s.DAT", "n"}, {"s.Mon", "n"}}},
      {"while a failed save put the older files back",
       {{"s.map.old", "o"}, {"s.dat", "o"}, {"s.mon", "o"}},
       {{"s.map", "o"}, {"s.dat", "o"}, {"s.mon", "o"}}},
      {"a first save between moves",
       {{"s.MAP", "n"}, {"s.DAT.saving", "n"}, {"s.Mon.saving", "n"}},
       {{"s.MAP", "n"}, {"s.DAT", "n"}, {"s.Mon", "n"}}},
      {"a first save while staging", {{"s.MAP.saving", "n"}, {"s.DAT.saving", "n"}}, {}},
      {"a slot missing a file while staging",
       {{"s.MAP.saving", "n"}, {"s.DAT", "o"}, {"s.Mon", "o"}},
       {{"s.DAT", "o"}, {"s.Mon", "o"}}},
      {"beside files of no slot",
       {{"notes.old", "x"}, {"s.txt.saving", "x"}, {".MAP.old", "x"}},
       {{"notes.old", "x"}, {"s.txt.saving", "x"}, {".MAP.old", "x"}}},
  };
  const fs::path dat = dir_ / "Vorak-Dat";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    fs::remove_all(dat);
    fs::create_directories(dat);
    for (const auto& [name, text] : c.before) write("Vorak-Dat/" + name, text);
    RecoverSlots();
    EXPECT_EQ(folder(dat), c.after);
  }
  // The mended slot is the older save as it was written, and loads.
  fs::remove_all(dat);
  fs::create_directories(dat);
  ASSERT_TRUE(SaveSlot("s"));
  const Files saved = folder(dat);
  for (const char* ext : {".MAP", ".DAT"})
    fs::rename(dat / ("s" + std::string(ext)), dat / ("s" + std::string(ext) + ".old"));
  for (const char* ext : kSlotExtensions) write("Vorak-Dat/s" + std::string(ext) + ".saving", "n");
  EXPECT_EQ(RecoverSlots(), 1);
  EXPECT_EQ(folder(dat), saved);
  EXPECT_EQ(LoadSlot("s"), SlotStatus::Ok);
}

std::string utf16(const std::string& ascii) {
  std::string out = "\xff\xfe";
  for (char c : ascii) out += {c, '\0'};
  return out;
}

std::string garbage(size_t n) {
  std::mt19937 rng(7);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

std::string withoutLine(const std::string& text, const std::string& start) {
  size_t at = text.find(start);
  return at == std::string::npos ? text : text.substr(0, at) + text.substr(text.find('\n', at) + 1);
}

TEST_F(SaveSlotTest, DamagedFilesAreRefusedAndTheGameStaysAsItWas) {
  using Damage = std::function<std::string(const std::string&)>;
  struct Case {
    const char* ext;
    const char* what;
    Damage damage;
  } cases[] = {
      {".MAP", "truncated", [](const std::string& s) { return s.substr(0, s.size() / 2); }},
      {".MAP", "garbage", [](const std::string&) { return garbage(800); }},
      {".MAP", "empty", [](const std::string&) { return std::string(); }},
      {".MAP", "no kind", [](const std::string& s) { return "F0" + s.substr(2); }},
      {".MAP", "short row", [](const std::string& s) { return s.substr(0, 66) + s.substr(69); }},
      {".MAP", "utf-16", [](const std::string& s) { return utf16(s); }},
      {".DAT", "truncated", [](const std::string& s) { return s.substr(0, s.find("[PLAYER2]") + 40); }},
      {".DAT", "garbage", [](const std::string&) { return garbage(3000); }},
      {".DAT", "utf-16", [](const std::string& s) { return utf16(s); }},
      {".DAT", "key gone", [](const std::string& s) { return withoutLine(s, "sExpNext="); }},
      {".Mon", "truncated", [](const std::string& s) { return s.substr(0, s.find("モンスター,10,")); }},
      {".Mon", "garbage", [](const std::string&) { return garbage(2000); }},
      {".Mon", "gap", [](const std::string& s) { return withoutLine(s, "モンスター,05,"); }},
      {".Mon", "negative",
       [](const std::string& s) { return "モンスター,00,スライム,1,-5" + s.substr(s.find(",4,3,2")); }},
      {".Mon", "utf-16", [](const std::string& s) { return utf16(s); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ext) + " " + c.what);
    ASSERT_TRUE(SaveSlot("s"));
    write(slot(c.ext), c.damage(read(slot(c.ext))));
    scramble();
    Snapshot before = snapshot();
    EXPECT_EQ(LoadSlot("s"), SlotStatus::Damaged);
    expectSame(snapshot(), before);
    SetUp();
  }
}

TEST_F(SaveSlotTest, AbsurdValuesInTheGameStateAreRefused) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"PLAYER1", "sLife", "-5"},      {"PLAYER1", "sLife", "21"},  // above its maximum of 20
      {"PLAYER0", "sLevel", "100000"}, {"PLAYER2", "sMoney", "1e12"},   {"PLAYER3", "xPosMap", "99"},
      {"PLAYER0", "BackMapY", "-1"},   {"PLAYER2", "sStr", "abc"},      {"PLAYER0", "EndingFlug", "Maybe"},
      {"PLAYER1", "sUser", "3"},       {"PLAYER3", "sLifeMaxAd", "-1"}, {"ALL", "TURN", "7"},
      {"ALL", "TURNNM", "0"},          {"ALL", "TURNNM", "2147483647"}, {"ALL", "SOUBA", "1,2,3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "." + c.key + "=" + c.value);
    ASSERT_TRUE(SaveSlot("s"));
    ASSERT_TRUE(sys::writeProfileString(path(slot(".DAT")), c.section, c.key, c.value));
    EXPECT_EQ(CheckSlot("s"), SlotStatus::Damaged);
  }
  // A game with no seat taken is no game.
  ASSERT_TRUE(SaveSlot("s"));
  for (const char* seat : {"PLAYER0", "PLAYER1", "PLAYER3"})
    sys::writeProfileString(path(slot(".DAT")), seat, "sUser", "0");
  EXPECT_EQ(CheckSlot("s"), SlotStatus::Damaged);
  // Values play can reach are fine: a piece off the board, the top of each bound.
  ASSERT_TRUE(SaveSlot("s"));
  for (auto [key, value] : {std::pair{"yPosMap", "-1"}, {"sLevel", "99"}, {"sMoney", "999"}, {"sLife", "0"}})
    sys::writeProfileString(path(slot(".DAT")), "PLAYER1", key, value);
  EXPECT_EQ(CheckSlot("s"), SlotStatus::Ok);
}

}  // namespace
