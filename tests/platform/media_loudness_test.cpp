#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "media/loudness.h"

namespace {

// Stereo, both channels alike: `seconds` of a sine at `amplitude`, then as long of silence
// when `halfSilent`.
std::vector<float> sine(int rate, double hz, double amplitude, double seconds, bool halfSilent = false) {
  auto n = static_cast<size_t>(rate * seconds);
  std::vector<float> s(2 * n * (halfSilent ? 2 : 1), 0.0f);
  for (size_t i = 0; i < n; ++i) {
    auto v = static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / rate));
    s[2 * i] = s[2 * i + 1] = v;
  }
  return s;
}

TEST(LoudnessMeter, ReadsTheBroadcastScaleAtAnyRateAndIgnoresSilence) {
  struct Case {
    int rate;
    double hz, amplitudeDb;
    bool halfSilent;
    double loudness;
  } cases[] = {
      // A 1 kHz sine at full scale in both channels reads 0 LUFS; the weighting leaves 1 kHz alone.
      {48000, 1000, 0, false, 0.0},
      {44100, 1000, -20, false, -20.0},
      {11025, 1000, -20, false, -20.0},
      {44100, 1000, -20, true, -20.0},  // the silence is gated out
      // Low notes count for less, high ones for more.
      {44100, 30, -20, false, -29.0},
      {44100, 4000, -20, false, -16.7},
  };
  for (const Case& c : cases) {
    media::LoudnessMeter m(c.rate);
    auto s = sine(c.rate, c.hz, std::pow(10, c.amplitudeDb / 20), 3.0, c.halfSilent);
    m.add(s.data(), static_cast<int>(s.size() / 2));
    EXPECT_NEAR(m.loudness(), c.loudness, 0.35) << c.rate << " Hz, " << c.hz << " Hz sine";
    EXPECT_NEAR(m.peak(), c.amplitudeDb, 0.05) << c.hz;
  }
  media::LoudnessMeter quiet(44100);
  std::vector<float> zeros(2 * 44100, 0.0f);
  quiet.add(zeros.data(), 44100);
  EXPECT_EQ(quiet.loudness(), media::LoudnessMeter::kSilence);
  EXPECT_EQ(quiet.peak(), media::LoudnessMeter::kSilence);
}

}  // namespace
