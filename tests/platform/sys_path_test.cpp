#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "support/temp_dir.h"
#include "sys/instance.h"
#include "sys/path.h"

using testing_support::TempDir;

TEST(Path, MatchesAsTheGameWritesNames) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "Vorak-Wav");
  dir.write("Vorak-Wav/QV-Miss.wav", "RIFF");
  dir.write("Vorak-Wav/Two  ", "x");  // a real name ending in blanks
  std::string base = dir.path().string();
  struct Case {
    const char* written;
    const char* real;  // relative to the folder; "" = does not exist
  } cases[] = {
      {"\\Vorak-Wav\\QV-Miss.wav", "Vorak-Wav/QV-Miss.wav"},
      {"\\vorak-wav\\qv-miss.WAV", "Vorak-Wav/QV-Miss.wav"},
      {"\\Vorak-Wav\\QV-Miss.wav ", "Vorak-Wav/QV-Miss.wav"},  // trailing blank of a sound name
      {"/Vorak-Wav./QV-Miss.wav. .", "Vorak-Wav/QV-Miss.wav"},
      {"\\Vorak-Wav\\two", "Vorak-Wav/Two  "},
      {"\\Vorak-Wav\\QV-Miss", ""},
      {"\\Vorak-Map\\QV-Miss.wav", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    std::string game = base + c.written;
    if (*c.real) {
      EXPECT_EQ(sys::resolvePath(game), dir.path() / c.real);
      EXPECT_TRUE(sys::fileExists(game));
    } else {
      EXPECT_FALSE(sys::fileExists(game));
    }
  }
  // A missing file keeps its written name, minus what the platform ignores.
  EXPECT_EQ(sys::resolvePath(base + "\\VORAK-WAV\\New.ini  "), dir.path() / "Vorak-Wav/New.ini");
}

TEST(Path, ReadsAndWritesWholeFiles) {
  TempDir dir;
  std::string out;
  EXPECT_FALSE(sys::readFile(dir / "missing", out));
  EXPECT_FALSE(sys::readFile(dir.path().string(), out));  // a folder
  ASSERT_TRUE(sys::writeFileAtomic(dir / "f.txt", std::string("a\0b", 3)));
  ASSERT_TRUE(sys::readFile(dir.path().string() + "\\F.TXT", out));
  EXPECT_EQ(out, std::string("a\0b", 3));
  EXPECT_FALSE(sys::writeFileAtomic(dir / "missing/f.txt", "x"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
  namespace fs = std::filesystem;
  fs::permissions(dir.path() / "f.txt", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(sys::writeFileAtomic(dir / "f.txt", "new"));
  EXPECT_EQ(fs::status(dir.path() / "f.txt").permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(Path, OnlyTheWorkFilesOfEndedProcessesAreRemoved) {
  TempDir dir;
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  const std::string dead = std::to_string(child);
  for (const std::string& name :
       std::vector<std::string>{"Vorak.Vrk.tmp-" + dead, "02-A.map.tmp-" + dead, "Vorak.Vrk.tmp-1",
                                "Vorak.Vrk.tmp-" + std::to_string(::getpid()), "Vorak.Vrk.tmp-", "Vorak.Vrk.tmp-12x",
                                "Vorak.Vrk", "notes.tmp"})
    dir.write(name, "x");
  std::filesystem::create_directory(dir.path() / ("folder.tmp-" + dead));
  EXPECT_EQ(sys::removeStaleWorkFiles(dir.path().string() + "\\"), 2);
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  // Pid 1 and this process are alive; the rest are no work files of ours.
  std::vector<std::string> kept = {
      "Vorak.Vrk",         "Vorak.Vrk.tmp-",     "Vorak.Vrk.tmp-1", "Vorak.Vrk.tmp-" + std::to_string(::getpid()),
      "Vorak.Vrk.tmp-12x", "folder.tmp-" + dead, "notes.tmp"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(left, kept);
  EXPECT_EQ(sys::removeStaleWorkFiles(dir / "missing"), 0);
}

TEST(Path, AppFolderEndsInASlash) {
  std::string real = sys::appFolder();
  ASSERT_FALSE(real.empty());
  EXPECT_EQ(real.back(), '/');
  EXPECT_TRUE(sys::fileExists(real));
  sys::setAppFolderForTests("/tmp/game");
  EXPECT_EQ(sys::appFolder(), "/tmp/game/");
  sys::setAppFolderForTests("");
  EXPECT_EQ(sys::appFolder(), real);
}

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstEnds) {
  TempDir dir;
  {
    sys::SingleInstanceLock first(dir.path().string());
    ASSERT_TRUE(first.acquired()) << first.error();
    sys::SingleInstanceLock second(dir.path().string());
    EXPECT_FALSE(second.acquired());
    EXPECT_TRUE(second.heldElsewhere());
  }
  sys::SingleInstanceLock again(dir.path().string());
  EXPECT_TRUE(again.acquired());
  sys::SingleInstanceLock nowhere(dir / "missing");
  EXPECT_FALSE(nowhere.acquired());
  EXPECT_FALSE(nowhere.heldElsewhere());
  EXPECT_FALSE(nowhere.error().empty());
}
