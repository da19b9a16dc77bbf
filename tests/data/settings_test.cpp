#include "data/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data_test.h"

namespace {

class SettingsTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    Hooks().CrtChange = [this] {
      ++switches_;
      Game().DisplayChanged = true;
    };
  }
  void load(const std::string& text) {
    write("Vorak.Vrk", text);
    LoadSettings(path("Vorak.Vrk"));
  }
  int switches_ = 0;
};

const std::array<std::string, 4> kDefaultNames = {"ブルー", "ピンク", "グリーン", "イエロー"};
const std::string kDefaultFile =
    "[PLAYER]\r\n0=1\r\n1=1\r\n2=1\r\n3=1\r\n[PLAYERNAME]\r\n0=ブルー\r\n1=ピンク\r\n2=グリーン\r\n3=イエロー\r\n"
    "[CRT]\r\nMODE=OFF\r\n[SPEED]\r\nMSG=0.2\r\nATK=0.2\r\nETC=0.2\r\n[MAP]\r\nNOW=1\r\n";

TEST_F(SettingsTest, FreshInstallGetsTheDefaultsAndWritesThemBack) {
  LoadSettings(path("Vorak.Vrk"));
  const GameData& g = Game();
  EXPECT_EQ(g.PlayerKinds, (std::array<int32_t, 4>{1, 1, 1, 1}));
  EXPECT_EQ(g.PlayerNames, kDefaultNames);
  for (Fixed s : g.Speeds) EXPECT_EQ(s, Fixed::fromDouble(0.2));
  EXPECT_EQ(g.StageNo, 1);
  EXPECT_EQ(switches_, 0);
  ASSERT_TRUE(SaveSettings(path("Vorak.Vrk")));
  EXPECT_EQ(read("Vorak.Vrk"), kDefaultFile);

  Game().DisplayChanged = true;
  Game().PlayerKinds[2] = 2;
  ASSERT_TRUE(SaveSettings(path("Vorak.Vrk")));
  std::string changed = kDefaultFile;
  changed.replace(changed.find("2=1"), 3, "2=2");
  changed.replace(changed.find("MODE=OFF"), 8, "MODE=ON");
  EXPECT_EQ(read("Vorak.Vrk"), changed);
}

TEST_F(SettingsTest, SavingKeepsOtherContentAndReadsBack) {
  write("Vorak.Vrk", "; mine\r\n[OTHER]\r\nX=1\r\n[MAP]\r\nNOW=2\r\n");
  Game().PlayerKinds = {0, 2, 1, 2};
  Game().PlayerNames = {"あ", "い", "う", "え"};
  Game().Speeds = {Fixed::fromDouble(0.5), Fixed(1), Fixed::fromDouble(0.05)};
  Game().StageNo = 3;
  ASSERT_TRUE(SaveSettings(path("Vorak.Vrk")));
  EXPECT_TRUE(read("Vorak.Vrk").starts_with("; mine\r\n[OTHER]\r\nX=1\r\n[MAP]\r\nNOW=3\r\n"));
  GameData saved = Game();
  ResetGameData();
  LoadSettings(path("Vorak.Vrk"));
  EXPECT_EQ(Game().PlayerKinds, saved.PlayerKinds);
  EXPECT_EQ(Game().PlayerNames, saved.PlayerNames);
  EXPECT_EQ(Game().Speeds, saved.Speeds);
  EXPECT_EQ(Game().StageNo, 3);
}

TEST_F(SettingsTest, ValuesAreReadByTheirRules) {
  struct Case {
    const char* file;
    int32_t kind2, stage;
    double atk;
  } cases[] = {
      {"[PLAYER]\r\n2=2.5\r\n[MAP]\r\nNOW=3\r\n[SPEED]\r\nATK=0.5\r\n", 2, 3, 0.5},
      {"[PLAYER]\r\n2=1.5\r\n[MAP]\r\nNOW=0\r\n[SPEED]\r\nATK=fast\r\n", 2, 1, 0.2},
      {"[PLAYER]\r\n2=7\r\n[MAP]\r\nNOW=1\r\n[SPEED]\r\nATK=0\r\n", 1, 1, 0.2},  // an unknown kind plays as a human
      {"[PLAYER]\r\n2=-1\r\n[MAP]\r\nNOW=-5\r\n", 1, 1, 0.2},
      {"[PLAYER]\r\n2=x\r\n[MAP]\r\nNOW=2.5\r\n", 0, 2, 0.2},
      {"[OTHER]\r\n", 0, 1, 0.2},  // a file without the section: empty seats
      // Speeds are held between 0.01 and 2 seconds.
      {"[PLAYER]\r\n2=2\r\n[SPEED]\r\nATK=-1e300\r\n", 2, 1, 0.01},
      {"[PLAYER]\r\n2=2\r\n[SPEED]\r\nATK=1e300\r\n", 2, 1, 2},
      {"[PLAYER]\r\n2=2\r\n[SPEED]\r\nATK=0.0001\r\n", 2, 1, 0.01},
      {"[PLAYER]\r\n2=2\r\n[SPEED]\r\nATK=2.5\r\n", 2, 1, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    load(c.file);
    EXPECT_EQ(Game().PlayerKinds[2], c.kind2);
    EXPECT_EQ(Game().PlayerKinds[0], 0);
    EXPECT_EQ(Game().StageNo, c.stage);
    EXPECT_EQ(Game().Speeds[1], Fixed::fromDouble(c.atk));
    EXPECT_EQ(Game().PlayerNames, kDefaultNames);
  }
}

TEST_F(SettingsTest, DisplayModeSwitchesOnlyForAnExactOn) {
  load("[CRT]\r\nMODE=on\r\n");
  EXPECT_EQ(switches_, 0);
  load("[CRT]\r\nMODE=ON\r\n");
  EXPECT_EQ(switches_, 1);
  load("[CRT]\r\nMODE=ON\r\n");  // already switched
  EXPECT_EQ(switches_, 1);
}

TEST_F(SettingsTest, FailedSaveLeavesTheFileAlone) {
  EXPECT_FALSE(SaveSettings(path("no-such-folder/Vorak.Vrk")));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "no-such-folder"));
  std::filesystem::create_directories(dir_ / "Vorak.Vrk" / "kept");  // there, but no file to read
  EXPECT_FALSE(SaveSettings(path("Vorak.Vrk")));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Vorak.Vrk" / "kept"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(SettingsTest, FileOfTheOldCodePageLoads) {
  write("Vorak.Vrk", fixture("settings-cp932.Vrk"));
  LoadSettings(path("Vorak.Vrk"));
  EXPECT_EQ(Game().PlayerNames[0], "たろう");
  EXPECT_EQ(Game().PlayerNames[1], "ピンク");
  EXPECT_EQ(Game().PlayerKinds, (std::array<int32_t, 4>{2, 1, 0, 1}));
}

// Each file too large is kept aside under a name of its own; once the names run out only the
// newest is replaced, so the folder holds a bounded number and the first one found stays.
TEST_F(SettingsTest, FilesTooLargeAreKeptAsideUnderNamesOfTheirOwnUpToABound) {
  const std::vector<std::string> names = {"Vorak.Vrk.bad",   "Vorak.Vrk.2.bad", "Vorak.Vrk.3.bad",
                                          "Vorak.Vrk.4.bad", "Vorak.Vrk.5.bad", "Vorak.Vrk.5.bad"};
  for (size_t i = 0; i < names.size(); ++i) {
    write("Vorak.Vrk", std::string(100 * 1024, static_cast<char>('a' + i)));
    const SettingsRead read = LoadSettings(path("Vorak.Vrk"));
    EXPECT_TRUE(read.setAside);
    EXPECT_EQ(read.asideName, names[i]);
    EXPECT_EQ(Game().PlayerKinds, (std::array<int32_t, 4>{1, 1, 1, 1}));
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), kSettingsAsideMax);
  EXPECT_EQ(read("Vorak.Vrk.bad"), std::string(100 * 1024, 'a'));
  EXPECT_EQ(read("Vorak.Vrk.4.bad"), std::string(100 * 1024, 'd'));
  EXPECT_EQ(read("Vorak.Vrk.5.bad"), std::string(100 * 1024, 'f'));
  // A file that cannot be moved is still not read, and no name is claimed for it.
  std::filesystem::remove(dir_ / "Vorak.Vrk.5.bad");
  std::filesystem::create_directories(dir_ / "Vorak.Vrk.5.bad" / "x");
  write("Vorak.Vrk", "[PLAYER]\r\n0=2\r\n" + std::string(100 * 1024, ';'));
  const SettingsRead kept = LoadSettings(path("Vorak.Vrk"));
  EXPECT_TRUE(kept.setAside);
  EXPECT_EQ(kept.asideName, "");
  EXPECT_EQ(Game().PlayerKinds, (std::array<int32_t, 4>{1, 1, 1, 1}));
}

}  // namespace
