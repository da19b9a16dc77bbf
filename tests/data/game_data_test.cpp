#include "data/game_data.h"

#include <gtest/gtest.h>

#include "sys/path.h"

namespace {

TEST(GameData, FolderNamesSitBesideTheProgram) {
  struct Case {
    const char* app;
    const char* folder;
  } cases[] = {{"/opt/vorak/", "/opt/vorak/"}, {"/opt/vorak", "/opt/vorak/"}, {"/", "/"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.app);
    InitFolderNames(c.app);
    const GameData& g = Game();
    EXPECT_EQ(g.AppFolder, c.folder);
    EXPECT_EQ(g.MapFolder, std::string(c.folder) + "Vorak-Map/");
    EXPECT_EQ(g.WavFolder, std::string(c.folder) + "Vorak-Wav/");
    EXPECT_EQ(g.DatFolder, std::string(c.folder) + "Vorak-Dat/");
    EXPECT_EQ(g.DataFile, std::string(c.folder) + "Vorak-Dat/Vorak.Vrk");
  }
  InitFolderNames();
  EXPECT_EQ(Game().AppFolder, sys::appFolder());
  ResetGameData();
  EXPECT_EQ(Game().DataFile, "");
}

TEST(GameData, TaggedValueText) {
  TaggedValue list;
  list.value = std::vector<TaggedValue>{{2.5}, {std::string("a")}, {}};
  EXPECT_EQ(list.text(), "2.5,a,");
  EXPECT_EQ(TaggedValue{}.text(), "");
  EXPECT_EQ(TaggedValue{3.0}.text(), "3");
}

}  // namespace
