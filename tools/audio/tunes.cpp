// Tunes as note lists (a small music macro language) written out as standard MIDI files.
//
// File lines: "file NAME", "tempo BPM", "meter N D", "loop yes|no", "def NAME body",
// "track NAME ch=1..16 prog=0..127 vol= pan= rev= cho= oct= len=" followed by body lines.
// Body: notes c d e f g a b with + # - , length 1 2 4 8 16 32 and dots; r rest; ^len ties;
// o N, < >, l len, v velocity, q gate in eighths, k transpose, t tempo; (ceg)4 chords;
// [ ... ]N repeats; $name macros; | bar check. Drum letters (channel 10): K kick, S snare,
// W side stick, X clap, H closed hat, P pedal hat, O open hat, C crash, Y ride, T M L toms,
// B tambourine, U cowbell, Z shaker.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "audio.h"
#include "media/smf.h"

namespace audio {
namespace {

constexpr int kPpq = 480;
constexpr int kWhole = 4 * kPpq;

struct Note {
  uint32_t tick, length;
  int key, velocity, gate;
};

struct Track {
  std::string name;
  int channel = 0, program = 0, volume = 100, pan = 64, reverb = 40, chorus = 0, octave = 4, length = 8;
  std::string body;
  int line = 0;
  std::vector<Note> notes;
  uint32_t end = 0;
};

struct Tune {
  std::string file;
  double tempo = 120;
  int meterN = 4, meterD = 4;
  bool loop = true;
  std::map<std::string, std::string> defs;
  std::vector<Track> tracks;
  std::vector<std::pair<uint32_t, double>> tempos;
};

const std::map<char, int> kDrums = {{'K', 36}, {'S', 38}, {'W', 37}, {'X', 39}, {'H', 42},
                                    {'P', 44}, {'O', 46}, {'C', 49}, {'Y', 51}, {'T', 50},
                                    {'M', 47}, {'L', 45}, {'B', 54}, {'U', 56}, {'Z', 70}};

class Compiler {
 public:
  Compiler(Tune& tune, Track& track, std::string& error) : tune_(tune), t_(track), error_(error) {
    octave_ = track.octave;
    defaultLen_ = kWhole / track.length;
  }

  bool run() {
    std::string text;
    if (!expand(t_.body, text, 0)) return false;
    src_ = text;
    pos_ = 0;
    if (!block(false)) return false;
    t_.end = tick_;
    return true;
  }

 private:
  bool fail(const std::string& why) {
    error_ = "track " + t_.name + ": " + why;
    return false;
  }

  bool expand(const std::string& in, std::string& out, int depth) {
    if (depth > 8) return fail("macros nest too deep");
    for (size_t i = 0; i < in.size(); ++i) {
      if (in[i] != '$') {
        out += in[i];
        continue;
      }
      size_t j = i + 1;
      while (j < in.size() && (std::isalnum(static_cast<unsigned char>(in[j])) || in[j] == '_')) ++j;
      std::string name = in.substr(i + 1, j - i - 1);
      auto it = tune_.defs.find(name);
      if (it == tune_.defs.end()) return fail("unknown macro $" + name);
      out += ' ';
      if (!expand(it->second, out, depth + 1)) return false;
      out += ' ';
      i = j - 1;
    }
    return true;
  }

  int number(int fallback, bool* had = nullptr) {
    size_t start = pos_;
    bool neg = pos_ < src_.size() && src_[pos_] == '-' && pos_ + 1 < src_.size() && std::isdigit(src_[pos_ + 1]);
    if (neg || (pos_ < src_.size() && src_[pos_] == '+' && pos_ + 1 < src_.size() && std::isdigit(src_[pos_ + 1])))
      ++pos_;
    int v = 0;
    bool any = false;
    while (pos_ < src_.size() && std::isdigit(static_cast<unsigned char>(src_[pos_]))) {
      v = v * 10 + (src_[pos_++] - '0');
      any = true;
    }
    if (had) *had = any;
    if (!any) {
      pos_ = start;
      return fallback;
    }
    return neg ? -v : v;
  }

  // A length after a note, rest, tie or chord: "4", "8.", or nothing for the default.
  bool length(uint32_t& ticks) {
    bool had = false;
    int n = number(0, &had);
    if (had) {
      if (n <= 0 || kWhole % n) return fail("bad length " + std::to_string(n));
      ticks = static_cast<uint32_t>(kWhole / n);
    } else {
      ticks = static_cast<uint32_t>(defaultLen_);
    }
    uint32_t add = ticks / 2;
    while (pos_ < src_.size() && src_[pos_] == '.') {
      ticks += add;
      add /= 2;
      ++pos_;
    }
    return true;
  }

  bool pitch(char c, int octave, int& key) {
    static const int kSemis[] = {9, 11, 0, 2, 4, 5, 7};
    int semi = kSemis[c - 'a'];
    while (pos_ < src_.size() && (src_[pos_] == '+' || src_[pos_] == '#' || src_[pos_] == '-'))
      semi += src_[pos_++] == '-' ? -1 : 1;
    key = 12 * (octave + 1) + semi + transpose_;
    if (key < 0 || key > 127) return fail("note out of range");
    return true;
  }

  void sound(const std::vector<int>& keys, uint32_t len) {
    last_.clear();
    for (int k : keys) {
      last_.push_back(t_.notes.size());
      t_.notes.push_back(Note{tick_, len, k, velocity_, gate_});
    }
    tick_ += len;
  }

  bool block(bool inRepeat) {
    while (pos_ < src_.size()) {
      char c = src_[pos_++];
      if (std::isspace(static_cast<unsigned char>(c))) continue;
      if (c >= 'a' && c <= 'g') {
        int key;
        uint32_t len;
        if (!pitch(c, octave_, key) || !length(len)) return false;
        sound({key}, len);
      } else if (kDrums.count(c)) {
        uint32_t len;
        if (!length(len)) return false;
        last_.clear();
        t_.notes.push_back(Note{tick_, kPpq / 4, kDrums.at(c), velocity_, 8});
        tick_ += len;
      } else if (c == 'r') {
        uint32_t len;
        if (!length(len)) return false;
        last_.clear();
        tick_ += len;
      } else if (c == '^') {
        uint32_t len;
        if (!length(len)) return false;
        if (last_.empty()) return fail("tie without a note before it");
        for (size_t i : last_) t_.notes[i].length += len;
        tick_ += len;
      } else if (c == '(') {
        std::vector<int> keys;
        int oct = octave_;
        while (pos_ < src_.size() && src_[pos_] != ')') {
          char d = src_[pos_++];
          if (std::isspace(static_cast<unsigned char>(d))) continue;
          if (d == '>')
            ++oct;
          else if (d == '<')
            --oct;
          else if (d >= 'a' && d <= 'g') {
            int key;
            if (!pitch(d, oct, key)) return false;
            keys.push_back(key);
          } else {
            return fail(std::string("unexpected '") + d + "' in a chord");
          }
        }
        if (pos_ >= src_.size()) return fail("chord without ')'");
        ++pos_;
        uint32_t len;
        if (!length(len)) return false;
        sound(keys, len);
      } else if (c == 'o') {
        octave_ = number(octave_);
      } else if (c == '>') {
        ++octave_;
      } else if (c == '<') {
        --octave_;
      } else if (c == 'l') {
        uint32_t len;
        if (!length(len)) return false;
        defaultLen_ = static_cast<int>(len);
      } else if (c == 'v') {
        velocity_ = std::clamp(number(velocity_), 1, 127);
      } else if (c == 'q') {
        gate_ = std::clamp(number(gate_), 1, 8);
      } else if (c == 'k') {
        transpose_ = number(0);
      } else if (c == 't') {
        tune_.tempos.emplace_back(tick_, number(120));
      } else if (c == '|') {
        uint32_t bar = static_cast<uint32_t>(kWhole * tune_.meterN / tune_.meterD);
        if (tick_ % bar)
          return fail("bar line " + std::to_string(tick_ / bar + 1) + " falls " + std::to_string(tick_ % bar) +
                      " ticks into its bar");
      } else if (c == '[') {
        size_t start = pos_;
        // Find the matching ']' and its count, then play the inside that many times.
        int depth = 1;
        size_t end = pos_;
        while (end < src_.size() && depth) {
          if (src_[end] == '[') ++depth;
          if (src_[end] == ']') --depth;
          ++end;
        }
        if (depth) return fail("'[' without ']'");
        pos_ = end;
        int times = number(2);
        size_t after = pos_;
        for (int i = 0; i < times; ++i) {
          pos_ = start;
          if (!block(true)) return false;
        }
        pos_ = after;
      } else if (c == ']') {
        if (!inRepeat) return fail("']' without '['");
        return true;
      } else {
        return fail(std::string("unexpected '") + c + "'");
      }
    }
    return !inRepeat || fail("'[' without ']'");
  }

  Tune& tune_;
  Track& t_;
  std::string& error_;
  std::string src_;
  size_t pos_ = 0;
  uint32_t tick_ = 0;
  int octave_ = 4, defaultLen_ = kPpq, velocity_ = 96, gate_ = 7, transpose_ = 0;
  std::vector<size_t> last_;
};

bool parseTune(std::istream& in, Tune& tune, std::string& error, int& lineNo) {
  std::string line;
  Track* track = nullptr;
  while (std::getline(in, line)) {
    ++lineNo;
    line = stripComment(line);
    std::stringstream ss(line);
    std::string word;
    if (!(ss >> word)) continue;
    if (word == "file") {
      ss >> tune.file;
    } else if (word == "tempo") {
      ss >> tune.tempo;
    } else if (word == "meter") {
      ss >> tune.meterN >> tune.meterD;
    } else if (word == "loop") {
      ss >> word;
      tune.loop = word == "yes";
    } else if (word == "def") {
      std::string name, rest;
      ss >> name;
      std::getline(ss, rest);
      tune.defs[name] = rest;
      track = nullptr;
    } else if (word == "track") {
      tune.tracks.emplace_back();
      track = &tune.tracks.back();
      track->line = lineNo;
      ss >> track->name;
      while (ss >> word) {
        size_t eq = word.find('=');
        std::map<std::string, int*> keys = {{"ch", &track->channel}, {"prog", &track->program}, {"vol", &track->volume},
                                            {"pan", &track->pan},    {"rev", &track->reverb},   {"cho", &track->chorus},
                                            {"oct", &track->octave}, {"len", &track->length}};
        auto it = eq == std::string::npos ? keys.end() : keys.find(word.substr(0, eq));
        if (it == keys.end()) {
          error = "bad track setting " + word;
          return false;
        }
        *it->second = std::stoi(word.substr(eq + 1));
      }
      if (track->channel < 1 || track->channel > 16) {
        error = "channel must be 1 to 16";
        return false;
      }
      track->channel -= 1;
    } else if (track) {
      track->body += line + "\n";
    } else {
      error = "unknown line " + word;
      return false;
    }
  }
  if (tune.file.empty() || tune.tracks.empty()) {
    error = "a tune needs a file name and tracks";
    return false;
  }
  return true;
}

// Seconds from the top to `tick` with the tempo map.
double secondsAt(const Tune& tune, uint32_t tick) {
  double s = 0, bpm = tune.tempo;
  uint32_t at = 0;
  for (const auto& [t, b] : tune.tempos) {
    if (t >= tick) break;
    s += (t - at) / static_cast<double>(kPpq) * 60 / bpm;
    at = t;
    bpm = b;
  }
  return s + (tick - at) / static_cast<double>(kPpq) * 60 / bpm;
}

}  // namespace

bool compileTune(const std::string& text, CompiledTune& out, std::string& error) {
  Tune tune;
  int lineNo = 0;
  std::istringstream in(text);
  auto fail = [&](const std::string& why) {
    error = why;
    return false;
  };
  if (!parseTune(in, tune, error, lineNo)) return fail("line " + std::to_string(lineNo) + ": " + error);
  for (Track& t : tune.tracks)
    if (!Compiler(tune, t, error).run()) return false;
  std::sort(tune.tempos.begin(), tune.tempos.end());
  const uint32_t end = tune.tracks[0].end;
  const uint32_t bar = static_cast<uint32_t>(kWhole * tune.meterN / tune.meterD);
  for (const Track& t : tune.tracks) {
    if (t.end != end)
      return fail("track " + t.name + " lasts " + std::to_string(t.end) + " ticks, the first " + std::to_string(end));
    for (const Note& n : t.notes)
      if (tune.loop && n.tick + n.length > end) return fail("track " + t.name + " holds a note across the loop");
  }
  if (end % bar) return fail("the piece does not end on a bar line");
  double seconds = secondsAt(tune, end);
  if (tune.loop && seconds < 45)
    return fail("a looping piece must last 45 s or more, this one " + std::to_string(seconds));

  out = CompiledTune{};
  out.file = tune.file;
  out.seconds = seconds;
  out.bars = end / bar;
  out.ticks = end;
  media::SmfWriter smf(kPpq);
  int conductor = smf.addTrack(tune.file);
  smf.tempo(conductor, 0, tune.tempo);
  smf.meter(conductor, 0, tune.meterN, tune.meterD);
  for (const auto& [tick, bpm] : tune.tempos) smf.tempo(conductor, tick, bpm);
  for (const Track& t : tune.tracks) {
    int i = smf.addTrack(t.name);
    if (t.channel != 9) smf.program(i, 0, t.channel, t.program);
    smf.controller(i, 0, t.channel, 7, t.volume);
    smf.controller(i, 0, t.channel, 10, t.pan);
    smf.controller(i, 0, t.channel, 91, t.reverb);
    smf.controller(i, 0, t.channel, 93, t.chorus);
    out.tracks.emplace_back();
    for (const Note& n : t.notes) {
      uint32_t len = std::max<uint32_t>(1, n.length * static_cast<uint32_t>(n.gate) / 8);
      smf.note(i, n.tick, len, t.channel, n.key, n.velocity);
      out.tracks.back().push_back(TuneNote{n.tick, len, t.channel, n.key, n.velocity});
    }
  }
  smf.setLength(end);
  out.midi = smf.bytes();
  return true;
}

bool makeTune(const std::filesystem::path& source, const std::filesystem::path& outDir) {
  std::ifstream in(source);
  std::stringstream text;
  text << in.rdbuf();
  CompiledTune tune;
  std::string error;
  if (!in || !compileTune(text.str(), tune, error)) {
    std::fprintf(stderr, "%s: %s\n", source.c_str(), in ? error.c_str() : "cannot read");
    return false;
  }
  std::ofstream out(outDir / tune.file, std::ios::binary);
  out << tune.midi;
  if (!out) {
    std::fprintf(stderr, "%s: cannot write\n", (outDir / tune.file).c_str());
    return false;
  }
  std::printf("%s: %.1f s, %u bars\n", tune.file.c_str(), tune.seconds, tune.bars);
  return true;
}

}  // namespace audio
