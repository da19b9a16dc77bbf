#include "system/media.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "backend/headless/headless_backend.h"
#include "data/game_data.h"
#include "media/audio.h"
#include "media/input.h"
#include "media/music.h"
#include "media/smf.h"
#include "media/wave.h"
#include "support/temp_dir.h"
#include "sys/clock.h"
#include "sys/path.h"
#include "system/input.h"
#include "ui/keys.h"
#include "ui/toolkit.h"
#include "ui/window.h"

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

std::string tone(int rate, double seconds) {
  std::vector<int16_t> s(static_cast<size_t>(rate * seconds));
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int16_t>(i % 20 < 10 ? 8000 : -8000);
  return media::encodeWave16(s, rate, 1);
}

// Silent output on a virtual clock, over a folder of small sounds and one short piece.
class MediaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile(dir_ / "QV-Dice.wav", tone(22050, 0.5));
    writeFile(dir_ / "QV-Other.wav", tone(11025, 0.2));
    writeFile(dir_ / "QV-Long.wav", tone(22050, 10.0));
    writeFile(dir_ / "QV-Broken.wav", "RIFF\x10\0\0\0WAVEjunk");
    media::SmfWriter smf(480);
    int t = smf.addTrack("t");
    smf.tempo(t, 0, 240);  // one bar = 1 s
    for (int i = 0; i < 4; ++i) smf.note(t, static_cast<uint32_t>(480 * i), 400, 0, 64, 100);
    smf.setLength(1920);
    writeFile(dir_ / "Md-Test.mid", smf.bytes());
    Media().SilentOutput = true;
    DirectMediaInit();
  }
  void TearDown() override {
    MediaReset();
    Media().SilentOutput = false;
    Media().SoundFont.clear();
  }
  std::string path(const char* name) { return (dir_ / name).string(); }
  media::AudioEngine& sound() { return *Media().Sound; }
  // Plays a piece as the game does and waits until it has started.
  void playMusic(const std::string& file, int32_t repeats) {
    PlayMusic(file, repeats);
    sound().waitMusic();
  }

  sys::ScopedVirtualClock clock_;
  testing_support::TempDir tmp_;
  fs::path dir_ = tmp_.path();
};

TEST_F(MediaTest, SetsUpElevenSlots) {
  EXPECT_EQ(sound().slotCount(), 11);
  EXPECT_EQ(Media().SlotFile.size(), 11u);
}

TEST_F(MediaTest, PlaysAnEffectInItsSlotAtItsOwnRate) {
  // The name as the callers write it, with a trailing blank, finds the file.
  PlaySound(1, path("QV-Dice.wav "), false, true, false, 0);
  EXPECT_TRUE(sound().playing(1));
  EXPECT_EQ(sound().frequency(1), 22050);
  EXPECT_FALSE(sound().playing(0));
  clock_->advanceMs(490);
  EXPECT_TRUE(sound().playing(1));
  clock_->advanceMs(20);
  EXPECT_FALSE(sound().playing(1));
}

TEST_F(MediaTest, SlotsOutsideTheRangeDoNothing) {
  for (int32_t slot : {11, 12, -1}) {
    PlaySound(slot, path("QV-Dice.wav"), false, true, false, 0);
    for (int s = 0; s < 11; ++s) EXPECT_FALSE(sound().playing(s)) << slot;
  }
  for (const std::string& f : Media().SlotFile) EXPECT_EQ(f, "");
}

TEST_F(MediaTest, ASlotLoadsItsFileOnceAndAnotherFileReplacesIt) {
  PlaySound(2, path("QV-Dice.wav"), false, true, false, 0);
  // Gone from disk: the same name plays from the slot without loading again.
  fs::rename(dir_ / "QV-Dice.wav", dir_ / "QV-Away.wav");
  PlaySound(2, path("QV-Dice.wav"), false, true, false, 0);
  EXPECT_TRUE(sound().playing(2));
  // A file that cannot be loaded leaves the slot with what it held.
  PlaySound(2, path("QV-Missing.wav"), false, true, false, 0);
  EXPECT_EQ(Media().SlotFile[2], path("QV-Dice.wav"));
  PlaySound(2, path("QV-Other.wav"), false, true, false, 0);
  EXPECT_EQ(Media().SlotFile[2], path("QV-Other.wav"));
  EXPECT_EQ(sound().frequency(2), 11025);
  EXPECT_TRUE(sound().playing(2));
}

TEST_F(MediaTest, ABrokenFilePlaysNothingAndIsRefused) {
  EXPECT_FALSE(LoadSoundSlot(3, path("QV-Broken.wav")));
  PlaySound(3, path("QV-Broken.wav"), false, true, false, 0);
  EXPECT_FALSE(sound().playing(3));
  EXPECT_EQ(Media().SlotFile[3], "");
  EXPECT_TRUE(LoadSoundSlot(3, path("QV-Dice.wav")));
}

TEST_F(MediaTest, PlayFalseSilencesALoopingEffect) {
  PlaySound(4, path("QV-Other.wav"), true, true, false, 0);
  clock_->advanceMs(1000);  // five times its length
  EXPECT_TRUE(sound().playing(4));
  PlaySound(4, path("QV-Other.wav"), false, false, false, 0);
  EXPECT_FALSE(sound().playing(4));
}

TEST_F(MediaTest, FrequencyOffsetsAreHeldToTheRangeAndReportedBack) {
  ASSERT_TRUE(LoadSoundSlot(0, path("QV-Dice.wav")));
  struct Case {
    int32_t offset, hz, used;
  } cases[] = {{30000, 40000, 17950}, {-30000, 100, -21950}, {1000, 23050, 1000}, {0, 22050, 0}};
  for (const Case& c : cases) {
    int32_t delta = c.offset;
    SetSoundFrequency(0, delta);
    EXPECT_EQ(sound().frequency(0), c.hz) << c.offset;
    EXPECT_EQ(delta, c.used) << c.offset;
  }
  // PlaySound takes its offset the same way: half as fast again plays two thirds as long.
  PlaySound(0, path("QV-Dice.wav"), false, true, false, 11025);
  EXPECT_EQ(sound().frequency(0), 33075);
  clock_->advanceMs(325);
  EXPECT_TRUE(sound().playing(0));
  clock_->advanceMs(15);
  EXPECT_FALSE(sound().playing(0));
}

TEST_F(MediaTest, WaitEndWaitsForTheEffectButNeverLongerThanSevenSeconds) {
  struct Case {
    const char* file;
    bool loop;
    double minMs, maxMs;
  } cases[] = {
      {"QV-Dice.wav", false, 500, 503},
      {"QV-Long.wav", false, 7000, 7002},
      {"QV-Long.wav", true, 0, 0},  // a looping effect is never waited for
  };
  for (const Case& c : cases) {
    int64_t start = clock_->now();
    PlaySound(5, path(c.file), c.loop, true, true, 0);
    double waited = static_cast<double>(clock_->now() - start) / 1e6;
    EXPECT_GE(waited, c.minMs) << c.file;
    EXPECT_LE(waited, c.maxMs) << c.file;
    PlaySound(5, path(c.file), false, false, false, 0);
  }
}

TEST_F(MediaTest, NothingStartsWhileTheWindowIsMinimized) {
  auto backend = std::make_unique<ui::HeadlessBackend>();
  ui::HeadlessBackend* window = backend.get();
  ui::init(std::move(backend));
  window->minimize();
  PlaySound(1, path("QV-Dice.wav"), false, true, false, 0);
  PlayMusic(path("Md-Test.mid"), 100);
  EXPECT_FALSE(sound().playing(1));
  EXPECT_FALSE(sound().musicPlaying());
  EXPECT_EQ(Media().LastMusic, "");
  window->restore();
  PlaySound(1, path("QV-Dice.wav"), false, true, false, 0);
  EXPECT_TRUE(sound().playing(1));
  ui::shutdown();
}

TEST_F(MediaTest, PlayMusicRepeatsAndAnEmptyNameRestartsTheLastPiece) {
  playMusic("", 100);  // nothing played yet: nothing happens
  EXPECT_FALSE(sound().musicPlaying());
  playMusic(path("Md-Test.mid"), 100);
  EXPECT_EQ(Media().LastMusic, path("Md-Test.mid"));
  clock_->advanceMs(3500);
  EXPECT_TRUE(sound().musicPlaying());
  int before = sound().musicTick();
  playMusic("", 1);
  clock_->advanceMs(100);
  EXPECT_LT(sound().musicTick(), before);
  // A repeat count of 1 plays the piece once.
  clock_->advanceMs(1000);
  EXPECT_FALSE(sound().musicPlaying());
  playMusic(path("Md-Test.mid"), 100);
  StopMusic();
  EXPECT_FALSE(sound().musicPlaying());
  EXPECT_EQ(Media().LastMusic, path("Md-Test.mid"));
}

TEST_F(MediaTest, MissingOrDamagedPiecesStopTheMusicAndAreSaidOnce) {
  media::SmfWriter smf(480);
  int t = smf.addTrack("");
  smf.note(t, 0, 240, 0, 60, 100);
  smf.setLength(480);
  std::string cut = smf.bytes();
  cut.pop_back();  // the end-of-track event loses its last byte
  --cut[21];       // and the track's length (bytes 18 to 21) agrees
  writeFile(dir_ / "Md-Cut.mid", cut);
  testing::internal::CaptureStderr();
  for (const char* name : {"Md-Gone.mid", "QV-Dice.wav", "Md-Cut.mid"}) {
    for (int i = 0; i < 3; ++i) {
      playMusic(path("Md-Test.mid"), 100);
      playMusic(path(name), 100);
      EXPECT_FALSE(sound().musicPlaying()) << name;
      clock_->advanceMs(2000);
    }
    EXPECT_EQ(Media().LastMusic, path(name));
  }
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 3) << said;
  EXPECT_NE(said.find("Md-Cut.mid: MIDI track 1 ends inside an event"), std::string::npos) << said;
}

TEST_F(MediaTest, WithoutASoundFontTheGameRunsOnWithoutMusic) {
  MediaReset();
  Media().SoundFont = (dir_ / "none.sf2").string();
  testing::internal::CaptureStderr();
  DirectMediaInit();
  PlayMusic(path("Md-Test.mid"), 100);
  sound().waitMusic();
  EXPECT_FALSE(sound().musicOn());
  PlayMusic(path("Md-Test.mid"), 100);
  PlayMusic("", 100);
  std::string said = testing::internal::GetCapturedStderr();
  // One line that names what is missing, however often music is asked for.
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("none.sf2"), std::string::npos) << said;
  EXPECT_EQ(Media().LastMusic, path("Md-Test.mid"));
  EXPECT_FALSE(sound().musicPlaying());
  PlaySound(1, path("QV-Dice.wav"), false, true, false, 0);
  EXPECT_TRUE(sound().playing(1));
}

TEST_F(MediaTest, TheSoundFontIsTheTestsThenTheEnvironmentsThenTheBestInstalled) {
  const char* before = std::getenv("VORAK_SOUNDFONT");
  const std::string kept = before ? before : "";
  struct Case {
    const char* own;
    const char* environment;  // null: unset
    std::string used;
  } cases[] = {
      {"/a.sf2", "/b.sf2", "/a.sf2"},
      {"", "/b.sf2", "/b.sf2"},
      {"", "", media::defaultSoundFont()},
      {"", nullptr, media::defaultSoundFont()},
  };
  for (const Case& c : cases) {
    Media().SoundFont = c.own;
    if (c.environment)
      setenv("VORAK_SOUNDFONT", c.environment, 1);
    else
      unsetenv("VORAK_SOUNDFONT");
    EXPECT_EQ(SoundFontToUse(), c.used) << c.own << " / " << (c.environment ? c.environment : "unset");
  }
  setenv("VORAK_SOUNDFONT", kept.c_str(), 1);
}

TEST_F(MediaTest, APiecesMeasuredLevelIsKeptInTheDataFolderForTheNextRun) {
  MediaReset();
  Game().DatFolder = dir_.string() + "/";
  const fs::path levels = dir_ / "MusicLevels.ini";
  DirectMediaInit();
  playMusic(path("Md-Test.mid"), 100);
  const double measured = sound().musicGainDb();
  ASSERT_TRUE(fs::exists(levels));
  // Next run: the level comes from the file (here one that asks for the most gain there is).
  std::string text;
  ASSERT_TRUE(sys::readFile(levels.string(), text));
  const size_t at = text.find('=');
  ASSERT_NE(at, std::string::npos);
  writeFile(levels, text.substr(0, at + 1) + "-60.00 -60.00\r\n");
  MediaReset();
  DirectMediaInit();
  playMusic(path("Md-Test.mid"), 100);
  EXPECT_EQ(sound().musicGainDb(), 12.0);
  EXPECT_NE(measured, 12.0);
  Game().DatFolder.clear();
}

TEST_F(MediaTest, EscapeHeldShowsInTheNextReadingAndNoJoystickLeavesItsFields) {
  InputState s;
  s.Axes.fill(1234);
  s.Pov = 77;
  s.Buttons = 9;
  media::injectKey(1, true);
  media::injectMouse(0, 0, 0, 0b0101);
  ReadInputState(s);
  media::clearInjectedInput();
  EXPECT_NE(s.Keys[1], 0);
  EXPECT_EQ(s.MouseButtons, 5);
  EXPECT_EQ(s.Axes[0], 1234);
  EXPECT_EQ(s.Axes[7], 1234);
  EXPECT_EQ(s.Pov, 77);
  EXPECT_EQ(s.Buttons, 9);
  ReadInputState(s);
  EXPECT_EQ(s.Keys[1], 0);
}

TEST_F(MediaTest, KeysAndButtonsTheWindowSawShowInTheReading) {
  auto backend = std::make_unique<ui::HeadlessBackend>();
  ui::HeadlessBackend* window = backend.get();
  ui::init(std::move(backend));
  ui::Window main("frmMain", true);
  main.show();
  window->keyDown(ui::kVkSpace);
  window->keyDown(ui::kVkNumpad0);
  window->mouseDown(10, 10, ui::kRightButton);
  ui::DoEvents();
  InputState s;
  ReadInputState(s);
  EXPECT_NE(s.Keys[57], 0);  // Space
  EXPECT_NE(s.Keys[82], 0);  // numeric pad 0
  EXPECT_EQ(s.Keys[11], 0);  // the main 0 is another key
  EXPECT_EQ(s.MouseButtons, 2);
  window->keyUp(ui::kVkSpace);
  window->mouseUp(10, 10, ui::kRightButton);
  ui::DoEvents();
  ReadInputState(s);
  EXPECT_EQ(s.Keys[57], 0);
  EXPECT_EQ(s.MouseButtons, 0);
  ui::shutdown();
}

}  // namespace
