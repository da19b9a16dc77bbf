#include "media/smf.h"

#include <algorithm>
#include <cmath>

namespace media {
namespace {

void putVar(std::string& s, uint32_t v) {
  uint8_t buf[5];
  int n = 0;
  buf[n++] = v & 0x7f;
  while (v >>= 7) buf[n++] = static_cast<uint8_t>((v & 0x7f) | 0x80);
  while (n) s.push_back(static_cast<char>(buf[--n]));
}
void put32(std::string& s, uint32_t v) {
  for (int i = 3; i >= 0; --i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}
void put16(std::string& s, uint32_t v) {
  s.push_back(static_cast<char>((v >> 8) & 0xff));
  s.push_back(static_cast<char>(v & 0xff));
}
uint8_t b7(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }
uint8_t ch(int status, int channel) { return static_cast<uint8_t>(status | (channel & 0x0f)); }

}  // namespace

SmfWriter::SmfWriter(int ticksPerQuarter) : ppq_(ticksPerQuarter) {}

int SmfWriter::addTrack(const std::string& name) {
  tracks_.push_back(Track{name, {}});
  return static_cast<int>(tracks_.size()) - 1;
}

void SmfWriter::add(int track, uint32_t tick, int order, std::vector<uint8_t> data) {
  if (track < 0 || track >= static_cast<int>(tracks_.size())) return;
  tracks_[static_cast<size_t>(track)].events.push_back(Event{tick, order, seq_++, std::move(data)});
}

void SmfWriter::tempo(int track, uint32_t tick, double bpm) {
  auto us = static_cast<uint32_t>(std::lround(60'000'000.0 / bpm));
  add(track, tick, 0,
      {0xff, 0x51, 3, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8), static_cast<uint8_t>(us)});
}

void SmfWriter::meter(int track, uint32_t tick, int numerator, int denominator) {
  uint8_t pow2 = 0;
  while ((1 << pow2) < denominator) ++pow2;
  add(track, tick, 0, {0xff, 0x58, 4, b7(numerator), pow2, 24, 8});
}

void SmfWriter::program(int track, uint32_t tick, int channel, int program) {
  add(track, tick, 2, {ch(0xc0, channel), b7(program)});
}

void SmfWriter::controller(int track, uint32_t tick, int channel, int number, int value) {
  add(track, tick, 2, {ch(0xb0, channel), b7(number), b7(value)});
}

void SmfWriter::note(int track, uint32_t tick, uint32_t length, int channel, int key, int velocity) {
  add(track, tick, 3, {ch(0x90, channel), b7(key), static_cast<uint8_t>(std::clamp(velocity, 1, 127))});
  add(track, tick + std::max<uint32_t>(length, 1), 1, {ch(0x80, channel), b7(key), 0});
}

std::string SmfWriter::bytes() const {
  std::string s = "MThd";
  put32(s, 6);
  put16(s, 1);
  put16(s, static_cast<uint32_t>(tracks_.size()));
  put16(s, static_cast<uint32_t>(ppq_));
  for (const Track& t : tracks_) {
    std::vector<Event> ev = t.events;
    std::sort(ev.begin(), ev.end(), [](const Event& a, const Event& b) {
      if (a.tick != b.tick) return a.tick < b.tick;
      if (a.order != b.order) return a.order < b.order;
      return a.seq < b.seq;
    });
    std::string body;
    uint32_t last = 0;
    if (!t.name.empty()) {
      putVar(body, 0);
      body += "\xff\x03";
      putVar(body, static_cast<uint32_t>(t.name.size()));
      body += t.name;
    }
    for (const Event& e : ev) {
      putVar(body, e.tick - last);
      last = e.tick;
      body.append(e.data.begin(), e.data.end());
    }
    putVar(body, length_ > last ? length_ - last : 0);
    body += std::string("\xff\x2f\x00", 3);
    s += "MTrk";
    put32(s, static_cast<uint32_t>(body.size()));
    s += body;
  }
  return s;
}

}  // namespace media
