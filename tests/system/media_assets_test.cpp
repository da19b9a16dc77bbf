// The sounds and music the build writes into the game folder, checked as the game will load them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "media/audio.h"
#include "media/loudness.h"
#include "media/music.h"
#include "media/wave.h"
#include "support/sound_fonts.h"
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
    sys::ScopedVirtualClock clock;
    media::AudioEngine e(11, media::AudioEngine::Output::Silent);
    e.open();
    ASSERT_TRUE(e.openMusic(testing_support::kSmallSoundFont));
    ASSERT_TRUE(e.playMusic(bytes, 1));
    e.waitMusic();
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

// Every piece in the game folder, played once through the game's audio engine with each Debian
// General MIDI soundfont, comes out below full scale and as loud as the others.
TEST(GameMusic, EveryPiecePlaysBelowFullScaleAndAsLoudAsTheOthersWithEitherSoundFont) {
  std::vector<std::string> pieces;
  for (const auto& entry : std::filesystem::directory_iterator(kWav))
    if (entry.path().extension() == ".mid") pieces.push_back(entry.path().filename().string());
  ASSERT_FALSE(pieces.empty());
  for (const char* font : {testing_support::kSmallSoundFont, testing_support::kLargeSoundFont}) {
    ASSERT_TRUE(std::filesystem::exists(font)) << font << ": scripts/install-deps.sh installs it";
    sys::ScopedVirtualClock clock;
    media::AudioEngine e(11, media::AudioEngine::Output::Silent);
    e.open();
    ASSERT_TRUE(e.openMusic(font));
    std::string quietest, loudest;
    double low = 0, high = -100;
    for (const std::string& name : pieces) {
      std::string bytes;
      ASSERT_TRUE(sys::readFile(kWav + name, bytes));
      ASSERT_TRUE(e.playMusic(bytes, 1)) << name;
      e.waitMusic();
      e.setCapture(true);
      for (int s = 0; s < 600 && e.musicPlaying(); ++s) clock->advanceMs(500);
      std::vector<int16_t> pcm = e.takeCaptured();
      e.setCapture(false);
      std::vector<float> samples(pcm.begin(), pcm.end());
      for (float& v : samples) v /= 32768.0f;
      media::LoudnessMeter meter(media::AudioEngine::kRate);
      meter.add(samples.data(), static_cast<int>(samples.size() / 2));
      EXPECT_LE(meter.peak(), -3.0) << name << " with " << font;
      if (meter.loudness() < low) low = meter.loudness(), quietest = name;
      if (meter.loudness() > high) high = meter.loudness(), loudest = name;
    }
    EXPECT_LE(high - low, 3.0) << font << ": " << quietest << " at " << low << " LUFS, " << loudest << " at " << high;
    EXPECT_EQ(e.clippedSamples(), 0u) << font;
  }
}

}  // namespace
