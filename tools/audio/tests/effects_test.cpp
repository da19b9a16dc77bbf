#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "audio.h"

namespace {

int peak(const std::vector<int16_t>& pcm) {
  int p = 0;
  for (int16_t s : pcm) p = std::max(p, std::abs(static_cast<int>(s)));
  return p;
}

TEST(Effects, RenderDeterministicallyToTheirLengthAndPeak) {
  const std::string text =
      "effect A.wav peak=-6   # a comment\n"
      "voice noise f=9000 a=0.001 h=0.01 d=0.02 seed=4\n"
      "voice square f=C#5 at=0.05 a=0.001 h=0.02 d=0.03 arp=0,12 step=0.01\n"
      "effect B.wav\n"
      "voice sine f=440 a=0.01 h=0.1 d=0.1 rep=3 gap=0.2 repvol=0.5\n";
  std::vector<audio::RenderedEffect> a, b;
  std::string error;
  ASSERT_TRUE(audio::renderEffects(text, a, error)) << error;
  ASSERT_TRUE(audio::renderEffects(text, b, error));
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].pcm, b[0].pcm);
  EXPECT_EQ(a[0].name, "A.wav");
  // The second voice ends last: 0.05 + 0.051 s.
  EXPECT_NEAR(a[0].pcm.size() / double(audio::kEffectRate), 0.101, 0.002);
  EXPECT_NEAR(peak(a[0].pcm), 32767 * std::pow(10.0, -6 / 20.0), 40);
  // No peak given: -1 dBFS. Three plays 0.2 s apart: 0.4 + 0.21 s.
  EXPECT_NEAR(peak(a[1].pcm), 32767 * std::pow(10.0, -1 / 20.0), 40);
  EXPECT_NEAR(a[1].pcm.size() / double(audio::kEffectRate), 0.61, 0.002);
  // Each repeat at half the level of the one before.
  auto levelAt = [&](double from) {
    auto i = static_cast<size_t>(from * audio::kEffectRate);
    return peak(
        std::vector<int16_t>(a[1].pcm.begin() + static_cast<long>(i), a[1].pcm.begin() + static_cast<long>(i + 2000)));
  };
  EXPECT_NEAR(levelAt(0.25) / double(levelAt(0.05)), 0.5, 0.05);
}

TEST(Effects, RefuseBadLinesWithTheirNumber) {
  const char* bad[] = {
      "voice sine f=440\n",                      // before any effect
      "effect A.wav\nvoice pluck f=440\n",       // unknown wave
      "effect A.wav\nvoice sine f=H4\n",         // not a note
      "effect A.wav\nvoice sine colour=blue\n",  // unknown setting
      "effect A.wav loud\nvoice sine f=440\n",   // unknown effect setting
      "effect A.wav\n",                          // no voices
  };
  for (const char* text : bad) {
    std::vector<audio::RenderedEffect> out;
    std::string error;
    EXPECT_FALSE(audio::renderEffects(text, out, error)) << text;
    EXPECT_EQ(error.rfind("line ", 0), 0u) << text << ": " << error;
  }
}

TEST(Effects, NoteNamesGiveTheirFrequencies) {
  struct Case {
    const char* text;
    double hz;
  } cases[] = {{"A4", 440}, {"C4", 261.626}, {"C#5", 554.365}, {"Bb3", 233.082}, {"1000", 1000}};
  for (const Case& c : cases) {
    double hz = 0;
    ASSERT_TRUE(audio::parseFrequency(c.text, hz)) << c.text;
    EXPECT_NEAR(hz, c.hz, 0.01) << c.text;
  }
  double hz;
  EXPECT_FALSE(audio::parseFrequency("C", hz));
  EXPECT_FALSE(audio::parseFrequency("-5", hz));
}

}  // namespace
