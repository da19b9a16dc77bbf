// Writes standard MIDI files (format 1): our music generator and the tests build pieces with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace media {

class SmfWriter {
 public:
  explicit SmfWriter(int ticksPerQuarter = 480);

  int ticksPerQuarter() const { return ppq_; }
  // Returns the new track's index.
  int addTrack(const std::string& name);
  void tempo(int track, uint32_t tick, double bpm);
  void meter(int track, uint32_t tick, int numerator, int denominator);
  void program(int track, uint32_t tick, int channel, int program);
  void controller(int track, uint32_t tick, int channel, int number, int value);
  void note(int track, uint32_t tick, uint32_t length, int channel, int key, int velocity);
  // Every track ends exactly here (a loop then restarts on the bar line, not after a gap).
  void setLength(uint32_t tick) { length_ = tick; }

  std::string bytes() const;

 private:
  struct Event {
    uint32_t tick;
    int order;  // at one tick: meta, note-off, controls, note-on
    uint32_t seq;
    std::vector<uint8_t> data;
  };
  struct Track {
    std::string name;
    std::vector<Event> events;
  };
  void add(int track, uint32_t tick, int order, std::vector<uint8_t> data);

  int ppq_;
  uint32_t length_ = 0;
  uint32_t seq_ = 0;
  std::vector<Track> tracks_;
};

}  // namespace media
