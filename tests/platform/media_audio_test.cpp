#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

#include "media/audio.h"
#include "media/smf.h"
#include "sys/clock.h"

namespace {

using media::AudioEngine;

std::shared_ptr<media::Wave> tone(int rate, double seconds, float level) {
  auto w = std::make_shared<media::Wave>();
  w->rate = rate;
  w->channels = 1;
  auto n = static_cast<size_t>(rate * seconds);
  for (size_t i = 0; i < n; ++i) w->samples.push_back(i % 2 ? level : -level);
  return w;
}

int peak(const std::vector<int16_t>& s) {
  int p = 0;
  for (int16_t v : s) p = std::max(p, std::abs(static_cast<int>(v)));
  return p;
}

std::string oneBarOfC(double bpm) {
  media::SmfWriter smf(480);
  int t = smf.addTrack("t");
  smf.tempo(t, 0, bpm);
  smf.program(t, 0, 0, 0);
  for (int i = 0; i < 4; ++i) smf.note(t, static_cast<uint32_t>(i * 480), 400, 0, 60 + i, 110);
  smf.setLength(1920);
  return smf.bytes();
}

TEST(SilentOutput, MixesInStepWithTheClockAndEndsASoundOnTime) {
  sys::ScopedVirtualClock clock;
  AudioEngine e(11, AudioEngine::Output::Silent);
  e.open();
  EXPECT_EQ(e.output(), AudioEngine::Output::Silent);
  e.setCapture(true);
  e.load(2, tone(22050, 0.1, 0.5f));
  e.play(2, false);
  clock->advanceMs(50);
  EXPECT_TRUE(e.playing(2));
  clock->advanceMs(51);
  EXPECT_FALSE(e.playing(2));
  std::vector<int16_t> out = e.takeCaptured();
  EXPECT_EQ(out.size(), 2u * 4454);  // 101 ms of stereo at 44.1 kHz
  // The primary volume of -4.5 dB: a 0.5 square comes out at 0.5 * 0.596 of full scale.
  EXPECT_NEAR(peak(out), 0.5 * 0.5957 * 32768, 40);
}

TEST(SilentOutput, LoudMixesAreRoundedOffBelowFullScaleAndCounted) {
  sys::ScopedVirtualClock clock;
  AudioEngine e(11, AudioEngine::Output::Silent);
  e.open();
  std::vector<int16_t> out(2 * 256);
  // Two loud effects: 1.6 x 0.596 = 0.953 would be near full scale; it is rounded off.
  e.load(0, tone(22050, 1.0, 0.8f));
  e.load(1, tone(22050, 1.0, 0.8f));
  e.play(0, true);
  e.play(1, true);
  e.render(out.data(), 256);
  EXPECT_NEAR(peak(out), 0.929 * 32768, 60);
  EXPECT_EQ(e.clippedSamples(), 0u);
  // One alone stays below the knee and keeps its level.
  e.stop(1);
  e.render(out.data(), 256);  // the cut sound fades out
  e.render(out.data(), 256);
  EXPECT_NEAR(peak(out), 0.8 * 0.5957 * 32768, 40);
  // Eleven at full scale go past it: held at full scale and counted.
  for (int s = 0; s < 11; ++s) {
    e.load(s, tone(22050, 1.0, 1.0f));
    e.play(s, true);
  }
  e.render(out.data(), 256);
  EXPECT_GE(peak(out), 32700);
  EXPECT_GT(e.clippedSamples(), 0u);
}

TEST(Music, PlaysAMidiPieceTheGivenNumberOfTimes) {
  std::string font = media::defaultSoundFont();
  if (font.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
  sys::ScopedVirtualClock clock;
  AudioEngine e(11, AudioEngine::Output::Silent);
  e.open();
  ASSERT_TRUE(e.openMusic(font));
  e.setCapture(true);
  std::string bar = oneBarOfC(240);  // one bar = 1 s
  ASSERT_TRUE(e.playMusic(bar, 2));
  clock->advanceMs(1500);
  EXPECT_TRUE(e.musicPlaying());
  EXPECT_GT(peak(e.takeCaptured()), 1000);  // audible, not a whisper
  clock->advanceMs(700);
  EXPECT_FALSE(e.musicPlaying());

  ASSERT_TRUE(e.playMusic(bar, 1));
  clock->advanceMs(500);
  int mid = e.musicTick();
  EXPECT_GT(mid, 0);
  ASSERT_TRUE(e.playMusic(bar, 1));  // the same piece again starts at its top
  clock->advanceMs(100);
  EXPECT_LT(e.musicTick(), mid);
  e.stopMusic();
  EXPECT_FALSE(e.musicPlaying());
}

TEST(Music, AMissingSoundFontOrABrokenPieceLeavesItQuiet) {
  sys::ScopedVirtualClock clock;
  AudioEngine e(11, AudioEngine::Output::Silent);
  e.open();
  EXPECT_FALSE(e.openMusic("/nonexistent/none.sf2"));
  EXPECT_FALSE(e.musicOn());
  std::string error;
  EXPECT_FALSE(e.playMusic(oneBarOfC(120), 1, &error));
  std::string font = media::defaultSoundFont();
  if (font.empty()) return;
  ASSERT_TRUE(e.openMusic(font));
  EXPECT_FALSE(e.playMusic("MThd garbage", 1, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(e.musicPlaying());
}

TEST(Music, GarbageInsideWellFormedChunksNeitherCrashesNorHangs) {
  std::string font = media::defaultSoundFont();
  if (font.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
  sys::ScopedVirtualClock clock;
  AudioEngine e(11, AudioEngine::Output::Silent);
  e.open();
  ASSERT_TRUE(e.openMusic(font));
  std::string bad = oneBarOfC(120);
  for (size_t i = 30; i < bad.size() - 4; i += 3) bad[i] = static_cast<char>(0xF7 ^ i);  // events, not chunk heads
  ASSERT_TRUE(media::isMidiFile(bad));
  e.playMusic(bad, 100);
  clock->advanceMs(3000);
  e.stopMusic();
  EXPECT_FALSE(e.musicPlaying());
}

TEST(SdlOutput, RunsOnTheDummyDriverAndPlaysWithoutBeingDriven) {
  // The test environment selects SDL's dummy driver: the same path as a machine without sound.
  AudioEngine e(11, AudioEngine::Output::Sdl);
  e.open();
  ASSERT_EQ(e.output(), AudioEngine::Output::Sdl);
  e.load(0, tone(22050, 5.0, 0.3f));
  e.play(0, false);
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (e.framesPlayed(0) == 0 && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_GT(e.framesPlayed(0), 0u);
  e.close();
  EXPECT_EQ(e.output(), AudioEngine::Output::Silent);
}

TEST(SdlOutput, WithoutADeviceSaysSoOnceAndPlaysOnTheDummyDriver) {
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "nosuch", SDL_HINT_OVERRIDE);
  testing::internal::CaptureStderr();
  AudioEngine e(11, AudioEngine::Output::Sdl);
  e.open();
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("no sound device"), std::string::npos) << said;
  ASSERT_EQ(e.driver(), "dummy");
  e.load(0, tone(22050, 1.0, 0.3f));
  e.play(0, false);
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (e.framesPlayed(0) == 0 && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_GT(e.framesPlayed(0), 0u);
  e.close();
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
}

}  // namespace
