// The sounds and music the build writes into the game folder, checked as the game will load them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "media/audio.h"
#include "media/music.h"
#include "media/wave.h"
#include "sys/clock.h"
#include "sys/path.h"

namespace {

const std::string kWav = std::string(VORAK_GAME_DIR) + "/Vorak-Wav/";

TEST(GameSounds, EveryEffectIsThereShortCleanAndAtItsLevel) {
  struct Case {
    const char* name;  // as the game spells it, trailing blanks included
    double maxSeconds;
  } cases[] = {
      {"QV-Click.wav", 0.1},       {"QV-Dice.wav ", 1.0},   {"QV-Pai.wav", 0.3},     {"QV-Walk.wav ", 0.08},
      {"QV-WalkGrass.wav ", 0.08}, {"QV-Pocha.wav", 0.5},   {"QV-Hit01.wav ", 0.25}, {"QV-Hit02.wav ", 0.3},
      {"QV-Hit03.wav", 0.3},       {"QV-Hit04.wav", 0.3},   {"QV-Hit05.wav ", 0.5},  {"QV-Miss.wav ", 0.3},
      {"QV-FadeOut.wav", 1.0},     {"QV-Himitsu.Wav", 1.0}, {"QV-Food.wav", 0.5},    {"QV-LVUP.wav", 0.8},
      {"QV-Meet.wav", 0.8},        {"QV-Paun.wav", 0.3},    {"QV-STAGE.wav", 2.1},
  };
  for (const Case& c : cases) {
    media::Wave w;
    std::string error;
    ASSERT_TRUE(media::loadWave(kWav + c.name, w, &error)) << c.name << ": " << error;
    EXPECT_EQ(w.rate, 22050) << c.name;
    EXPECT_EQ(w.channels, 1) << c.name;
    double seconds = static_cast<double>(w.frames()) / w.rate;
    EXPECT_GT(seconds, 0.02) << c.name;
    EXPECT_LE(seconds, c.maxSeconds) << c.name;
    float peak = 0;
    for (float s : w.samples) peak = std::max(peak, std::abs(s));
    EXPECT_LE(peak, 0.8913f) << c.name << " peaks above -1 dBFS";
    EXPECT_GE(peak, 0.25f) << c.name << " is too quiet";
    // Ends at silence, so a cut-off never clicks.
    EXPECT_LT(std::abs(w.samples.back()), 0.01f) << c.name;
  }
  // Exactly this spelling ships, for file systems that match letter case.
  EXPECT_TRUE(std::filesystem::exists(kWav + "QV-Himitsu.Wav"));
}

// What a listener hears of a punch: its energy with the sub-bass thump weighed down
// (a one-pole high-pass at 150 Hz), in dB.
double punchEnergyDb(const media::Wave& w) {
  const double a = std::exp(-2 * M_PI * 150 / w.rate);
  double prev = 0, out = 0, sum = 0;
  for (float s : w.samples) {
    out = a * (out + s - prev);
    prev = s;
    sum += out * out;
  }
  return 10 * std::log10(sum);
}

TEST(GameSounds, TheHitSoundsGrowWithTheGrade) {
  double lastSeconds = 0, lastEnergy = -1e9;
  float lastPeak = 0;
  for (const char* name : {"QV-Hit01.wav", "QV-Hit02.wav", "QV-Hit03.wav", "QV-Hit04.wav", "QV-Hit05.wav"}) {
    media::Wave w;
    ASSERT_TRUE(media::loadWave(kWav + name, w)) << name;
    double seconds = static_cast<double>(w.frames()) / w.rate;
    float peak = 0;
    for (float s : w.samples) peak = std::max(peak, std::abs(s));
    double energy = punchEnergyDb(w);
    EXPECT_GT(seconds, lastSeconds + 0.03) << name << " is no longer than the grade below";
    EXPECT_GE(peak, lastPeak) << name << " peaks lower than the grade below";
    EXPECT_GT(energy, lastEnergy + 1) << name << " is not clearly louder than the grade below";
    lastSeconds = seconds;
    lastPeak = peak;
    lastEnergy = energy;
  }
}

TEST(GameMusic, EveryPieceIsAMidiFileThatPlaysForItsLength) {
  std::string font = media::defaultSoundFont();
  struct Case {
    const char* name;
    int seconds;  // one pass, to the second
  } cases[] = {{"Md-Opening.mid", 51},
               {"Md-Normal.mid", 163},
               {"Md-Battle.mid", 51},
               {"MD-Ending.mid", 85},
               {"Md-Staff.mid", 63}};
  for (const Case& c : cases) {
    ASSERT_TRUE(std::filesystem::exists(kWav + c.name)) << c.name;
    std::string bytes;
    ASSERT_TRUE(sys::readFile(kWav + c.name, bytes));
    EXPECT_TRUE(media::isMidiFile(bytes)) << c.name;
    if (font.empty()) continue;
    sys::ScopedVirtualClock clock;
    media::AudioEngine e(11, media::AudioEngine::Output::Silent);
    e.open();
    ASSERT_TRUE(e.openMusic(font));
    ASSERT_TRUE(e.playMusic(bytes, 1));
    // The silent output mixes at most the last 10 s of a gap: walk the clock in steps.
    auto advance = [&](int seconds) {
      for (int s = 0; s < seconds; ++s) {
        clock->advanceMs(1000);
        e.catchUp();
      }
    };
    advance(c.seconds - 2);
    EXPECT_TRUE(e.musicPlaying()) << c.name << " ends too soon";
    advance(4);
    EXPECT_FALSE(e.musicPlaying()) << c.name << " lasts longer than expected";
    EXPECT_EQ(e.clippedSamples(), 0u) << c.name << " clips";
  }
}

}  // namespace
