#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "media/audio.h"
#include "media/loudness.h"
#include "media/smf.h"
#include "support/sound_fonts.h"
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
  EXPECT_EQ(out.size(), 2u * (AudioEngine::kRate * 101 / 1000));  // 101 ms of stereo
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

// A silent engine on a virtual clock with the small soundfont loaded.
struct MusicEngine {
  sys::ScopedVirtualClock clock;
  AudioEngine e{11, AudioEngine::Output::Silent};
  MusicEngine() {
    e.open();
    EXPECT_TRUE(e.openMusic(testing_support::kSmallSoundFont));
  }
  // Plays `midi` once and gives back what came out, one second of the clock at a time.
  std::vector<int16_t> onePass(const std::string& midi) {
    e.setCapture(true);
    EXPECT_TRUE(e.playMusic(midi, 1));
    e.waitMusic();
    for (int s = 0; s < 600 && e.musicPlaying(); ++s) clock->advanceMs(1000);
    return e.takeCaptured();
  }
};

double loudness(const std::vector<int16_t>& pcm) {
  std::vector<float> f(pcm.begin(), pcm.end());
  for (float& v : f) v /= 32768.0f;
  media::LoudnessMeter m(AudioEngine::kRate);
  m.add(f.data(), static_cast<int>(f.size() / 2));
  return m.loudness();
}

TEST(Music, PlaysAMidiPieceTheGivenNumberOfTimes) {
  MusicEngine m;
  AudioEngine& e = m.e;
  e.setCapture(true);
  std::string bar = oneBarOfC(240);  // one bar = 1 s
  ASSERT_TRUE(e.playMusic(bar, 2));
  e.waitMusic();
  m.clock->advanceMs(1500);
  EXPECT_TRUE(e.musicPlaying());
  EXPECT_GT(peak(e.takeCaptured()), 1000);  // audible, not a whisper
  m.clock->advanceMs(700);
  EXPECT_FALSE(e.musicPlaying());

  ASSERT_TRUE(e.playMusic(bar, 1));
  m.clock->advanceMs(500);
  int mid = e.musicTick();
  EXPECT_GT(mid, 0);
  ASSERT_TRUE(e.playMusic(bar, 1));  // the same piece again starts at its top
  m.clock->advanceMs(100);
  EXPECT_LT(e.musicTick(), mid);
  e.stopMusic();
  EXPECT_FALSE(e.musicPlaying());
}

TEST(Music, AStopIsHeardAtOnceWhateverWasRenderedAhead) {
  MusicEngine m;
  AudioEngine& e = m.e;
  media::SmfWriter smf(480);
  int t = smf.addTrack("t");
  smf.tempo(t, 0, 120);
  smf.program(t, 0, 0, 16);              // an organ: it dies away within 30 ms of its release
  smf.note(t, 0, 1920 * 8, 0, 48, 120);  // one note held for 16 s
  smf.setLength(1920 * 8);
  const std::string held = smf.bytes();
  auto window = [](const std::vector<int16_t>& pcm, int fromMs, int toMs) {
    const size_t perMs = 2 * AudioEngine::kRate / 1000;
    return peak({pcm.begin() + static_cast<long>(perMs * fromMs), pcm.begin() + static_cast<long>(perMs * toMs)});
  };
  // Stopped at every few milliseconds of the piece, so at every point of what is rendered ahead.
  for (int ms = 1000; ms < 1100; ms += 7) {
    ASSERT_TRUE(e.playMusic(held, 1));
    e.waitMusic();
    m.clock->advanceMs(ms);
    e.setCapture(true);
    m.clock->advanceMs(10);
    const int sounding = peak(e.takeCaptured());
    e.stopMusic();
    m.clock->advanceMs(40);
    const std::vector<int16_t> after = e.takeCaptured();
    e.setCapture(false);
    EXPECT_GT(sounding, 1000) << ms;
    EXPECT_LT(window(after, 25, 40), sounding / 2) << "still sounding 25 ms after a stop at " << ms << " ms";
  }
}

TEST(Music, APieceAskedForWhileTheSoundFontLoadsPlaysOnceItIsReady) {
  sys::ScopedVirtualClock clock;
  AudioEngine e(11, AudioEngine::Output::Silent);
  e.open();
  const std::string eightBars = [] {
    media::SmfWriter smf(480);
    int t = smf.addTrack("t");
    smf.tempo(t, 0, 240);
    for (int i = 0; i < 32; ++i) smf.note(t, static_cast<uint32_t>(i * 480), 400, 0, 60, 100);
    smf.setLength(32 * 480);
    return smf.bytes();
  }();
  // The last piece asked for wins, with its own repeat count: one bar, twice.
  e.startMusic(testing_support::kSmallSoundFont);
  EXPECT_TRUE(e.playMusic(eightBars, 100));
  EXPECT_TRUE(e.playMusic(oneBarOfC(240), 2));
  EXPECT_TRUE(e.musicPlaying());
  e.waitMusic();
  clock->advanceMs(1500);
  EXPECT_TRUE(e.musicPlaying());
  clock->advanceMs(700);
  EXPECT_FALSE(e.musicPlaying());
  // Stopped before it could start: nothing plays.
  e.startMusic(testing_support::kSmallSoundFont);
  EXPECT_TRUE(e.playMusic(eightBars, 100));
  e.stopMusic();
  e.waitMusic();
  EXPECT_FALSE(e.musicPlaying());
  clock->advanceMs(1000);
  EXPECT_FALSE(e.musicPlaying());
}

TEST(Music, QuietAndLoudPiecesPlayEquallyLoudAndBelowTheCeiling) {
  MusicEngine m;
  auto piece = [](int velocity) {
    media::SmfWriter smf(480);
    int t = smf.addTrack("t");
    smf.tempo(t, 0, 120);
    smf.program(t, 0, 0, 48);
    for (int i = 0; i < 16; ++i) smf.note(t, static_cast<uint32_t>(i * 480), 460, 0, 55 + i % 5 * 4, velocity);
    smf.setLength(16 * 480);
    return smf.bytes();
  };
  std::vector<int16_t> quiet = m.onePass(piece(80));
  double quietGain = m.e.musicGainDb();
  std::vector<int16_t> loud = m.onePass(piece(127));
  EXPECT_GT(quietGain - m.e.musicGainDb(), 6);
  EXPECT_NEAR(loudness(quiet), loudness(loud), 1.0);
  EXPECT_NEAR(loudness(loud), AudioEngine::kLoudness, 1.0);
  EXPECT_LT(20 * std::log10(peak(loud) / 32768.0), AudioEngine::kCeiling + 1.0);
}

TEST(Music, AMissingSoundFontLeavesItQuiet) {
  sys::ScopedVirtualClock clock;
  AudioEngine e(11, AudioEngine::Output::Silent);
  e.open();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(e.openMusic("/nonexistent/none.sf2"));
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("none.sf2"), std::string::npos) << said;
  EXPECT_FALSE(e.musicOn());
  std::string error;
  EXPECT_FALSE(e.playMusic(oneBarOfC(120), 1, &error));
  EXPECT_EQ(error, "music is off");
  EXPECT_FALSE(e.musicPlaying());
}

TEST(Music, DamagedFilesAreRefusedWithAReason) {
  const std::string good = oneBarOfC(120);
  ASSERT_TRUE(media::isMidiFile(good));
  // The one track's events end at the byte before the end-of-track meta event (FF 2F 00).
  const size_t track = good.find("MTrk") + 8, end = good.size();
  auto withTrack = [&](std::string events) {
    std::string b = good.substr(0, track - 4);
    for (int i = 3; i >= 0; --i) b.push_back(static_cast<char>(events.size() >> (8 * i) & 0xff));
    return b + events;
  };
  const std::string events = good.substr(track, end - track);
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"the last event cut short", withTrack(events.substr(0, events.size() - 1))},
      {"a note cut short", withTrack(std::string("\x00\x90\x3c", 3))},
      {"data before any status", withTrack(std::string("\x00\x3c\x40", 3))},
      {"a meta event longer than its track", withTrack(std::string("\x00\xff\x01\x7f"
                                                                   "abc",
                                                                   7))},
      {"a status that has no place in a file", withTrack(std::string("\x00\xf8", 2))},
      {"a delta time of five bytes", withTrack(std::string("\x80\x80\x80\x80\x00\xff\x2f\x00", 8))},
      {"a track longer than the file", good.substr(0, end - 2)},
      {"no header", good.substr(4)},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(media::isMidiFile(c.bytes, &error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
  // Running status, a system exclusive message and the sends are read as they come.
  media::MidiInfo info;
  std::string sends = withTrack(std::string("\x00\xb0\x5d\x10\x00\x5b\x00\x00\xf0\x02\x7e\xf7\x00\xff\x2f\x00", 16));
  ASSERT_TRUE(media::isMidiFile(sends, nullptr, &info));
  EXPECT_TRUE(info.chorus);
  EXPECT_FALSE(info.reverb);  // controller 91 was sent, but as 0
}

TEST(Music, NonsenseInWholeEventsNeitherCrashesNorHangs) {
  MusicEngine m;
  media::SmfWriter smf(480);
  int t = smf.addTrack("t");
  smf.tempo(t, 0, 600);
  uint32_t x = 12345;
  auto next = [&] { return static_cast<int>((x = x * 1103515245 + 12345) >> 16 & 0x7fff); };
  for (uint32_t tick = 0; tick < 4800; tick += 10) {
    int ch = next() % 16;
    smf.controller(t, tick, ch, next() % 128, next() % 128);
    smf.program(t, tick, ch, next() % 128);
    smf.note(t, tick, static_cast<uint32_t>(next() % 2000), ch, next() % 128, next() % 128);
  }
  smf.setLength(4800);
  ASSERT_TRUE(m.e.playMusic(smf.bytes(), 3));
  m.e.waitMusic();
  m.clock->advanceMs(3000);
  m.e.stopMusic();
  EXPECT_FALSE(m.e.musicPlaying());
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

TEST(SdlOutput, WithoutADeviceSaysSoOnceAndPlaysTheSoundsOnTheDummyDriver) {
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "nosuch", SDL_HINT_OVERRIDE);
  testing::internal::CaptureStderr();
  AudioEngine e(11, AudioEngine::Output::Sdl);
  e.open();
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("no sound device"), std::string::npos) << said;
  ASSERT_EQ(e.driver(), "dummy");
  EXPECT_TRUE(e.withoutDevice());
  // Music nobody can hear is never synthesised.
  EXPECT_FALSE(e.openMusic(testing_support::kSmallSoundFont));
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
