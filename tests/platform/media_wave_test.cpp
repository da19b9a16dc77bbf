#include <gtest/gtest.h>

#include <string>

#include "media/music.h"
#include "media/smf.h"
#include "media/wave.h"

namespace {

std::string le16(int v) { return std::string{static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff)}; }
std::string le32(uint32_t v) { return le16(static_cast<int>(v & 0xffff)) + le16(static_cast<int>(v >> 16)); }

// A hand-made file: lets each test break one field.
std::string makeWave(int format, int channels, uint32_t rate, int bits, const std::string& data, bool withFmt = true,
                     bool withData = true) {
  std::string body = "WAVE";
  body += "LIST" + le32(4) + "INFO";  // a chunk the reader must skip
  if (withFmt)
    body += "fmt " + le32(16) + le16(format) + le16(channels) + le32(rate) + le32(rate * channels * bits / 8) +
            le16(channels * bits / 8) + le16(bits);
  if (withData) body += "data" + le32(static_cast<uint32_t>(data.size())) + data;
  return "RIFF" + le32(static_cast<uint32_t>(body.size())) + body;
}

TEST(Wave, RoundTripsSixteenBitStereo) {
  std::vector<int16_t> s = {0, 32767, -32768, 16384, -1, 1};
  media::Wave w;
  ASSERT_TRUE(media::parseWave(media::encodeWave16(s, 22050, 2), w));
  EXPECT_EQ(w.rate, 22050);
  EXPECT_EQ(w.channels, 2);
  ASSERT_EQ(w.frames(), 3u);
  EXPECT_FLOAT_EQ(w.samples[1], 32767 / 32768.0f);
  EXPECT_FLOAT_EQ(w.samples[2], -1.0f);
  EXPECT_FLOAT_EQ(w.samples[3], 0.5f);
}

TEST(Wave, ReadsEightBitUnsignedAndSkipsUnknownChunks) {
  media::Wave w;
  ASSERT_TRUE(media::parseWave(makeWave(1, 1, 11025, 8, std::string("\x80\xff\x00", 3)), w));
  EXPECT_EQ(w.rate, 11025);
  ASSERT_EQ(w.frames(), 3u);
  EXPECT_FLOAT_EQ(w.samples[0], 0.0f);
  EXPECT_FLOAT_EQ(w.samples[1], 127 / 128.0f);
  EXPECT_FLOAT_EQ(w.samples[2], -1.0f);
}

TEST(Wave, KeepsTheWholeFramesOfACutDataChunk) {
  std::string file = makeWave(1, 2, 8000, 16, std::string(8, '\0'));
  file.resize(file.size() - 3);  // one and a bit frames lost
  media::Wave w;
  ASSERT_TRUE(media::parseWave(file, w));
  EXPECT_EQ(w.frames(), 1u);
}

TEST(Wave, RefusesWhatItCannotPlay) {
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"not riff", "RIFX" + std::string(40, '\0')},
      {"no fmt", makeWave(1, 1, 8000, 16, "ab", false)},
      {"no data", makeWave(1, 1, 8000, 16, "", true, false)},
      {"three channels", makeWave(1, 3, 8000, 16, "abcdef")},
      {"24-bit", makeWave(1, 1, 8000, 24, "abc")},
      {"compressed", makeWave(2, 1, 8000, 16, "ab")},
      {"rate 50", makeWave(1, 1, 50, 16, "ab")},
  };
  for (const Case& c : cases) {
    media::Wave w;
    std::string error;
    EXPECT_FALSE(media::parseWave(c.bytes, w, &error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

TEST(Wave, EveryCutOfAFileIsReadOrRefusedSafely) {
  std::string full = makeWave(0xFFFE, 2, 22050, 16, std::string(64, '\x11'));
  for (size_t n = 0; n <= full.size(); ++n) {
    media::Wave w;
    if (media::parseWave(full.substr(0, n), w)) EXPECT_LE(w.samples.size(), 32u) << n;
  }
}

TEST(Midi, WriterOutputPassesTheFileCheckAndCutsAreCaught) {
  media::SmfWriter smf(480);
  int t = smf.addTrack("melody");
  smf.tempo(t, 0, 120);
  smf.note(t, 0, 480, 0, 60, 100);
  smf.setLength(1920);
  std::string bytes = smf.bytes();
  EXPECT_TRUE(media::isMidiFile(bytes));
  EXPECT_FALSE(media::isMidiFile(bytes.substr(0, bytes.size() - 2)));
  EXPECT_FALSE(media::isMidiFile("RIFF...."));
  // The end of track sits on the length given, so a loop lands on the bar line: the last
  // delta (before FF 2F 00) is 1920 - 480 = 1440 = 0x8B 0x20.
  EXPECT_EQ(bytes.substr(bytes.size() - 5), std::string("\x8b\x20\xff\x2f\x00", 5));
}

}  // namespace
