#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "audio.h"
#include "media/music.h"
#include "sys/path.h"

namespace {

// A looping piece needs 45 s: at 240 bpm in 4/4 that is 45 bars; this header gives 48.
std::string piece(const std::string& tracks, const std::string& loop = "yes") {
  return "file T.mid\ntempo 240\nmeter 4 4\nloop " + loop + "\n" + tracks;
}
// Fills a track up to 48 bars after `bars` written ones.
std::string rest(int bars) { return "[r1 |]" + std::to_string(48 - bars) + "\n"; }

// Bars until the piece comes round again: the smallest shift under which every bar of the loop
// sounds exactly like the bar that many further on.
uint32_t barsBeforeRepeat(const audio::CompiledTune& t) {
  const uint32_t bar = t.ticks / t.bars;
  using Sound = std::tuple<size_t, uint32_t, uint32_t, int, int>;
  std::vector<std::vector<Sound>> bars(t.bars);
  for (size_t track = 0; track < t.tracks.size(); ++track)
    for (const audio::TuneNote& n : t.tracks[track])
      bars[n.tick / bar].emplace_back(track, n.tick % bar, n.length, n.key, n.velocity);
  for (auto& b : bars) std::sort(b.begin(), b.end());
  for (uint32_t shift = 1; shift < t.bars; ++shift) {
    bool same = true;
    for (uint32_t i = 0; i < t.bars && same; ++i) same = bars[i] == bars[(i + shift) % t.bars];
    if (same) return shift;
  }
  return t.bars;
}

TEST(Tunes, NotesLengthsChordsTiesRepeatsAndMacrosCompileAsWritten) {
  audio::CompiledTune t;
  std::string error;
  ASSERT_TRUE(audio::compileTune(piece("def up c d\n"
                                       "track a ch=1 oct=4 len=4\n"
                                       "  q8 c4. d8 e2 | (ceg)2 c4 ^4 | $up > c < c+ | [e8 f8]4 | k12 c1 |\n" +
                                       rest(5)),
                                 t, error))
      << error;
  EXPECT_EQ(t.file, "T.mid");
  EXPECT_EQ(t.bars, 48u);
  EXPECT_DOUBLE_EQ(t.seconds, 48.0);
  EXPECT_TRUE(media::isMidiFile(t.midi));
  ASSERT_EQ(t.tracks.size(), 1u);
  const auto& n = t.tracks[0];
  ASSERT_EQ(n.size(), 20u);
  // c4. d8 e2: a dotted quarter is 720 ticks at 480 per quarter.
  EXPECT_EQ(n[0].key, 60);
  EXPECT_EQ(n[0].length, 720u);
  EXPECT_EQ(n[1].tick, 720u);
  EXPECT_EQ(n[2].key, 64);
  // The chord: three keys at the bar's start.
  EXPECT_EQ(n[3].tick, 1920u);
  EXPECT_EQ(n[5].tick, 1920u);
  EXPECT_EQ(n[5].key, 67);
  // c4 ^4: one note of a half.
  EXPECT_EQ(n[6].length, 960u);
  // The macro, then an octave up and back down to a sharp.
  EXPECT_EQ(n[8].key, 62);
  EXPECT_EQ(n[9].key, 72);
  EXPECT_EQ(n[10].key, 61);
  // Four times e f.
  EXPECT_EQ(n[18].key, 65);
  EXPECT_EQ(n[18].tick, 3u * 1920 + 7 * 240);
  // k12: an octave up.
  EXPECT_EQ(n[19].key, 72);
  EXPECT_EQ(n[19].tick, 4u * 1920);
}

TEST(Tunes, GateShortensNotesAndDrumsUseTheirKeys) {
  audio::CompiledTune t;
  std::string error;
  ASSERT_TRUE(audio::compileTune(piece("track d ch=10\n  q4 K4 S4 H4 C4 |\n" + rest(1)), t, error)) << error;
  const auto& n = t.tracks[0];
  ASSERT_EQ(n.size(), 4u);
  EXPECT_EQ(n[0].key, 36);
  EXPECT_EQ(n[1].key, 38);
  EXPECT_EQ(n[2].key, 42);
  EXPECT_EQ(n[3].key, 49);
  EXPECT_EQ(n[1].channel, 9);
}

TEST(Tunes, RefusesWhatWouldSoundWrong) {
  struct Case {
    const char* what;
    std::string text;
    const char* says;
  } cases[] = {
      {"bar line inside a bar", piece("track a ch=1\n  c4 c4 c4 | c4 |\n" + rest(1)), "bar line"},
      {"tracks of different lengths",
       piece("track a ch=1\n  c1 |\n" + rest(1) + "track b ch=2\n  c1 | c1 |\n" + rest(1)), "lasts"},
      {"too short to loop", piece("track a ch=1\n  [c1 |]40\n"), "45 s"},
      // A drum sounds a sixteenth whatever its written length: on the last 32nd it rings on.
      {"a note held across the loop", piece("track a ch=10\n  [r1 |]47 r2 r4 r8 r16 r32 K32\n"), "across the loop"},
      {"an unknown macro", piece("track a ch=1\n  $nothing\n" + rest(0)), "macro"},
      {"an open repeat", piece("track a ch=1\n  [c1 |\n" + rest(1)), "'['"},
      {"a stray character", piece("track a ch=1\n  c4 ! c4\n" + rest(1)), "unexpected"},
      {"no tracks", "file T.mid\n", "tracks"},
      {"a bad channel", piece("track a ch=17\n  c1\n"), "channel"},
  };
  for (const Case& c : cases) {
    audio::CompiledTune t;
    std::string error;
    EXPECT_FALSE(audio::compileTune(c.text, t, error)) << c.what;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
  }
  // An ending may hold its last chord to the end and be any length.
  audio::CompiledTune t;
  std::string error;
  EXPECT_TRUE(audio::compileTune(piece("track a ch=1\n  q8 c1 | ^1 |\n", "no"), t, error)) << error;
}

TEST(Tunes, TheBoardThemeRunsTwoAndAHalfMinutesBeforeItComesRound) {
  // The check itself: a two-bar figure played over and over comes round after two bars.
  audio::CompiledTune looped;
  std::string error;
  ASSERT_TRUE(audio::compileTune(piece("track a ch=1\n  [c1 | d1 |]24\n"), looped, error)) << error;
  EXPECT_EQ(barsBeforeRepeat(looped), 2u);

  // The board theme plays through a whole game, so it must not come round soon.
  std::string text;
  ASSERT_TRUE(sys::readFile(std::string(VORAK_ASSETS_DIR) + "/music/normal.tune", text));
  audio::CompiledTune normal;
  ASSERT_TRUE(audio::compileTune(text, normal, error)) << error;
  EXPECT_GE(normal.seconds * barsBeforeRepeat(normal) / normal.bars, 150.0);
}

}  // namespace
