#include "media/wave.h"

#include <algorithm>
#include <cstring>

#include "sys/path.h"

namespace media {
namespace {

uint32_t le32(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t le16(std::string_view b, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

bool fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}

void put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}
void put16(std::string& s, uint16_t v) {
  s.push_back(static_cast<char>(v & 0xff));
  s.push_back(static_cast<char>(v >> 8));
}

}  // namespace

bool parseWave(std::string_view b, Wave& out, std::string* error) {
  if (b.size() < 12 || b.substr(0, 4) != "RIFF" || b.substr(8, 4) != "WAVE") return fail(error, "not a RIFF WAVE file");
  int format = -1, channels = 0, bits = 0;
  uint32_t rate = 0;
  std::string_view data;
  bool haveData = false;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    std::string_view id = b.substr(at, 4);
    size_t size = le32(b, at + 4);
    size_t body = at + 8;
    size_t avail = b.size() - body;
    if (id == "fmt ") {
      if (size < 16 || avail < 16) return fail(error, "format chunk too short");
      format = le16(b, body);
      channels = le16(b, body + 2);
      rate = le32(b, body + 4);
      bits = le16(b, body + 14);
      // WAVE_FORMAT_EXTENSIBLE: the real format sits in the sub-format GUID.
      if (format == 0xFFFE && size >= 40 && avail >= 40) format = le16(b, body + 24);
    } else if (id == "data") {
      data = b.substr(body, std::min(size, avail));
      haveData = true;
      break;
    }
    if (size > avail) break;
    at = body + size + (size & 1);
  }
  if (format < 0) return fail(error, "no format chunk");
  if (!haveData) return fail(error, "no data chunk");
  if (channels < 1 || channels > 2) return fail(error, "only mono and stereo are supported");
  if (rate < 100 || rate > 192000) return fail(error, "sample rate out of range");
  bool pcm = format == 1 && (bits == 8 || bits == 16);
  bool flt = format == 3 && bits == 32;
  if (!pcm && !flt) return fail(error, "only 8/16-bit PCM or 32-bit float samples are supported");

  size_t bytesPerSample = static_cast<size_t>(bits / 8);
  size_t frameBytes = bytesPerSample * static_cast<size_t>(channels);
  size_t n = data.size() / frameBytes * static_cast<size_t>(channels);
  Wave w;
  w.rate = static_cast<int>(rate);
  w.channels = channels;
  w.samples.resize(n);
  for (size_t i = 0; i < n; ++i) {
    if (bits == 8) {
      w.samples[i] = (static_cast<float>(static_cast<uint8_t>(data[i])) - 128.0f) / 128.0f;
    } else if (bits == 16) {
      w.samples[i] = static_cast<float>(static_cast<int16_t>(le16(data, 2 * i))) / 32768.0f;
    } else {
      uint32_t v = le32(data, 4 * i);
      float f;
      std::memcpy(&f, &v, 4);
      w.samples[i] = f != f ? 0.0f : std::max(-1.0f, std::min(1.0f, f));  // NaN and overs stay harmless
    }
  }
  out = std::move(w);
  return true;
}

bool loadWave(std::string_view gamePath, Wave& out, std::string* error) {
  std::string bytes;
  if (!sys::readFile(gamePath, bytes)) return fail(error, "file not found or unreadable");
  return parseWave(bytes, out, error);
}

std::string encodeWave16(const std::vector<int16_t>& samples, int rate, int channels) {
  std::string s;
  uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  s += "RIFF";
  put32(s, 36 + dataBytes);
  s += "WAVEfmt ";
  put32(s, 16);
  put16(s, 1);
  put16(s, static_cast<uint16_t>(channels));
  put32(s, static_cast<uint32_t>(rate));
  put32(s, static_cast<uint32_t>(rate * channels * 2));
  put16(s, static_cast<uint16_t>(channels * 2));
  put16(s, 16);
  s += "data";
  put32(s, dataBytes);
  for (int16_t v : samples) put16(s, static_cast<uint16_t>(v));
  return s;
}

}  // namespace media
