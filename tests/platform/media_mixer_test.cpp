#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "media/mixer.h"

namespace {

std::shared_ptr<media::Wave> constant(int rate, size_t frames, int channels = 1, float l = 0.5f, float r = 0.5f) {
  auto w = std::make_shared<media::Wave>();
  w->rate = rate;
  w->channels = channels;
  for (size_t i = 0; i < frames; ++i) {
    w->samples.push_back(l);
    if (channels == 2) w->samples.push_back(r);
  }
  return w;
}

// How many output frames the slot plays before it stops by itself.
int lengthInFrames(media::Mixer& m, int slot) {
  std::vector<float> out(2 * 64);
  int n = 0;
  while (m.playing(slot) && n < 1'000'000) {
    std::fill(out.begin(), out.end(), 0.0f);
    m.mix(out.data(), 64);
    for (int i = 0; i < 64; ++i)
      if (out[2 * i] != 0.0f) ++n;
  }
  return n;
}

TEST(Mixer, PlaysOnceForTheFileLengthScaledByItsFrequency) {
  struct Case {
    int rate, hz, expected;
  } cases[] = {
      {22050, 22050, 4410},                        // 0.1 s of the file lasts 0.1 s
      {11025, 11025, 4410}, {22050, 11025, 8820},  // half the file's rate plays twice as long
      {22050, 40000, 2431}, {44100, 44100, 4862},  // a 44.1 kHz file is held to 40 kHz, as the slots have always been

  };
  for (const Case& c : cases) {
    media::Mixer m(11, 44100);
    m.load(3, constant(c.rate, static_cast<size_t>(c.rate / 10)));
    m.setFrequency(3, c.hz);
    m.play(3, false);
    EXPECT_NEAR(lengthInFrames(m, 3), c.expected, 2) << c.rate << " at " << c.hz;
  }
}

TEST(Mixer, HoldsFrequencyToItsRange) {
  media::Mixer m(1, 44100);
  m.load(0, constant(22050, 10));
  EXPECT_EQ(m.frequency(0), 22050);
  EXPECT_EQ(m.setFrequency(0, 99), 100);
  EXPECT_EQ(m.setFrequency(0, 40001), 40000);
  EXPECT_EQ(m.setFrequency(0, 100), 100);
  EXPECT_EQ(m.baseFrequency(0), 22050);
}

TEST(Mixer, LoopsUntilStoppedAndMixesSlotsTogether) {
  media::Mixer m(11, 44100);
  m.load(0, constant(44100, 100, 1, 0.25f));
  m.load(10, constant(44100, 10, 2, 0.1f, -0.1f));
  m.play(0, true);
  m.play(10, true);
  std::vector<float> out(2 * 1000, 0.0f);
  m.mix(out.data(), 1000);
  EXPECT_TRUE(m.playing(0));
  EXPECT_TRUE(m.playing(10));
  // Mono goes to both sides; stereo keeps its sides.
  EXPECT_FLOAT_EQ(out[2 * 999], 0.35f);
  EXPECT_FLOAT_EQ(out[2 * 999 + 1], 0.15f);
  m.stop(0);
  std::fill(out.begin(), out.end(), 0.0f);
  m.mix(out.data(), 200);
  EXPECT_FLOAT_EQ(out[2 * 150], 0.1f);  // slot 0 has faded out
}

TEST(Mixer, ARestartBeginsAtTheTopWhileTheCutSoundFadesOut) {
  media::Mixer m(2, 40000);  // one source frame per output frame
  auto ramp = std::make_shared<media::Wave>();
  ramp->rate = 40000;
  ramp->channels = 1;
  for (int i = 0; i < 1000; ++i) ramp->samples.push_back(static_cast<float>(i) / 1000.0f);
  m.load(1, ramp);
  m.play(1, false);
  std::vector<float> out(2 * 500, 0.0f);
  m.mix(out.data(), 500);
  m.play(1, false);
  EXPECT_EQ(m.framesPlayed(1), 0u);
  std::fill(out.begin(), out.end(), 0.0f);
  m.mix(out.data(), 200);
  // First frame: the new play's 0 plus the old one at full level, fading from there.
  EXPECT_NEAR(out[0], 0.5f, 1e-4);
  EXPECT_NEAR(out[2 * 48], 0.0480f + 0.548f * 48 / 96, 1e-3);
  // After the fade only the new play is left.
  EXPECT_NEAR(out[2 * 150], 0.150f, 1e-4);
  EXPECT_EQ(m.framesPlayed(1), 200u);
  // Stopping fades too, but the slot reports stopped at once.
  m.stop(1);
  EXPECT_FALSE(m.playing(1));
  std::fill(out.begin(), out.end(), 0.0f);
  m.mix(out.data(), 200);
  EXPECT_NEAR(out[0], 0.2f, 1e-4);
  EXPECT_EQ(out[2 * 100], 0.0f);
  // Loading another sound stops the slot and takes the file's rate.
  m.load(1, constant(22050, 5));
  EXPECT_FALSE(m.playing(1));
  EXPECT_EQ(m.frequency(1), 22050);
}

TEST(Mixer, IgnoresSlotsOutsideItsRange) {
  media::Mixer m(11, 44100);
  for (int slot : {-1, 11, 1000}) {
    m.load(slot, constant(44100, 10));
    m.play(slot, true);
    EXPECT_FALSE(m.loaded(slot));
    EXPECT_FALSE(m.playing(slot));
    EXPECT_EQ(m.setFrequency(slot, 1000), 0);
  }
}

}  // namespace

namespace {
// Skipping frames leaves every slot where mixing them would have: the same frames played, the
// same end, the same place in a loop.
TEST(Mixer, SkippingKeepsTheSoundsTimeLikeMixing) {
  struct Case {
    int rate, hz;
    bool loop;
    uint64_t chunk;  // frames skipped or mixed at a time
  } cases[] = {
      {22050, 22050, false, 64}, {22050, 11025, false, 1000}, {44100, 40000, false, 7},
      {11025, 17000, true, 333}, {22050, 22050, true, 100000},
  };
  for (const Case& c : cases) {
    media::Mixer mixed(2, 44100), skipped(2, 44100);
    for (media::Mixer* m : {&mixed, &skipped}) {
      m->load(1, constant(c.rate, static_cast<size_t>(c.rate / 100)));
      m->setFrequency(1, c.hz);
      m->play(1, c.loop);
    }
    std::vector<float> out(2 * c.chunk);
    for (int round = 0; round < 200; ++round) {
      mixed.mix(out.data(), static_cast<int>(c.chunk));
      skipped.skip(c.chunk);
      ASSERT_EQ(skipped.framesPlayed(1), mixed.framesPlayed(1)) << c.rate << " " << c.hz << " round " << round;
      ASSERT_EQ(skipped.playing(1), mixed.playing(1)) << c.rate << " " << c.hz << " round " << round;
    }
    EXPECT_EQ(mixed.playing(1), c.loop);
  }
}
}  // namespace
