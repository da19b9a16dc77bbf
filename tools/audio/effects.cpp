// A small synthesiser in the spirit of the classic game-effect generators: each effect is a
// list of voices (an oscillator or noise with an envelope, a pitch slide, vibrato, an
// arpeggio, two filters, optional jittered repeats), mixed and normalised to a peak level.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "audio.h"
#include "media/wave.h"

namespace audio {
namespace {

constexpr int kOver = 4;  // oversampling keeps square and saw edges from aliasing harshly
constexpr double kPi = 3.14159265358979323846;

// Deterministic noise: the same file always gives the same sounds.
struct Lcg {
  uint32_t s;
  double next() {  // -1..1
    s = s * 1664525u + 1013904223u;
    return (s >> 8) / 8388608.0 - 1.0;
  }
};

struct Voice {
  std::string wave = "square";
  double at = 0, a = 0.002, h = 0.05, d = 0.1, curve = 1;
  double f = 440, to = 0, duty = 0.5, dutyTo = -1;
  double vib = 0, vibf = 6, punch = 0, vol = 1;
  double lp = 0, lpTo = 0, hp = 0;
  std::vector<double> arp;
  double step = 0.05;
  int rep = 1;
  double gap = 0.1, jit = 0, fjit = 0, repVol = 1;
  uint32_t seed = 1;
};

struct Effect {
  std::string name;
  double peakDb = -1;
  std::vector<Voice> voices;
};

bool parseNumberList(const std::string& v, std::vector<double>& out) {
  std::stringstream ss(v);
  std::string item;
  while (std::getline(ss, item, ',')) {
    try {
      out.push_back(std::stod(item));
    } catch (...) {
      return false;
    }
  }
  return !out.empty();
}

bool setParam(Voice& v, const std::string& key, const std::string& value) {
  auto num = [&](double& x) {
    try {
      size_t used = 0;
      x = std::stod(value, &used);
      return used == value.size();
    } catch (...) {
      return false;
    }
  };
  double tmp;
  if (key == "f") return parseFrequency(value, v.f);
  if (key == "to") return parseFrequency(value, v.to);
  if (key == "arp") return parseNumberList(value, v.arp);
  if (key == "rep") return num(tmp) && (v.rep = static_cast<int>(tmp)) > 0;
  if (key == "seed") return num(tmp) && ((v.seed = static_cast<uint32_t>(tmp)), true);
  std::map<std::string, double*> fields = {
      {"at", &v.at},     {"a", &v.a},           {"h", &v.h},       {"d", &v.d},           {"curve", &v.curve},
      {"duty", &v.duty}, {"dutyto", &v.dutyTo}, {"vib", &v.vib},   {"vibf", &v.vibf},     {"punch", &v.punch},
      {"vol", &v.vol},   {"lp", &v.lp},         {"lpto", &v.lpTo}, {"hp", &v.hp},         {"step", &v.step},
      {"gap", &v.gap},   {"jit", &v.jit},       {"fjit", &v.fjit}, {"repvol", &v.repVol},
  };
  auto it = fields.find(key);
  return it != fields.end() && num(*it->second);
}

// One play of a voice, added into `out` (at kEffectRate * kOver) from sample `start`.
void renderVoice(const Voice& v, double freqScale, double gain, size_t start, Lcg& rng, std::vector<double>& out) {
  const double rate = kEffectRate * kOver;
  const double dur = v.a + v.h + v.d;
  const auto n = static_cast<size_t>(dur * rate);
  if (out.size() < start + n) out.resize(start + n, 0.0);
  const double f0 = v.f * freqScale, f1 = (v.to > 0 ? v.to : v.f) * freqScale;
  double phase = 0, noise = rng.next(), lpState = 0, hpState = 0, hpPrev = 0;
  for (size_t i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / rate;
    double x = dur > 0 ? t / dur : 0;
    double env;
    if (t < v.a) {
      env = t / v.a;
    } else if (t < v.a + v.h) {
      env = 1 + v.punch * (1 - (t - v.a) / std::max(v.h, 1e-9));
    } else {
      env = std::pow(std::max(0.0, 1 - (t - v.a - v.h) / std::max(v.d, 1e-9)), v.curve);
    }
    double freq = f0 * std::pow(f1 / f0, x);
    if (v.vib > 0) freq *= std::pow(2.0, v.vib / 12 * std::sin(2 * kPi * v.vibf * t));
    if (!v.arp.empty()) freq *= std::pow(2.0, v.arp[std::min(v.arp.size() - 1, static_cast<size_t>(t / v.step))] / 12);
    phase += freq / rate;
    if (phase >= 1) {
      phase -= std::floor(phase);
      noise = rng.next();
    }
    double duty = v.dutyTo >= 0 ? v.duty + (v.dutyTo - v.duty) * x : v.duty;
    double s;
    if (v.wave == "square")
      s = phase < duty ? 1 : -1;
    else if (v.wave == "saw")
      s = 2 * phase - 1;
    else if (v.wave == "tri")
      s = 1 - 4 * std::abs(phase - 0.5);
    else if (v.wave == "sine")
      s = std::sin(2 * kPi * phase);
    else
      s = noise;
    if (v.lp > 0) {
      double cut = v.lpTo > 0 ? v.lp * std::pow(v.lpTo / v.lp, x) : v.lp;
      double k = 1 - std::exp(-2 * kPi * cut / rate);
      lpState += k * (s - lpState);
      s = lpState;
    }
    if (v.hp > 0) {
      double k = std::exp(-2 * kPi * v.hp / rate);
      hpState = k * (hpState + s - hpPrev);
      hpPrev = s;
      s = hpState;
    }
    out[start + i] += s * env * v.vol * gain;
  }
}

std::vector<int16_t> renderEffect(const Effect& e) {
  std::vector<double> hi;
  for (const Voice& v : e.voices) {
    Lcg rng{v.seed * 2654435761u + 12345u};
    double gain = 1;
    for (int r = 0; r < v.rep; ++r) {
      double at = v.at + r * v.gap + (r > 0 ? v.jit * rng.next() : 0);
      double scale = 1 + v.fjit * rng.next();
      renderVoice(v, scale, gain, static_cast<size_t>(std::max(0.0, at) * kEffectRate * kOver), rng, hi);
      gain *= v.repVol;
    }
  }
  // Down to the file rate by averaging each group of samples, then strip DC.
  std::vector<double> lo(hi.size() / kOver);
  for (size_t i = 0; i < lo.size(); ++i) {
    double sum = 0;
    for (int k = 0; k < kOver; ++k) sum += hi[i * kOver + k];
    lo[i] = sum / kOver;
  }
  double dc = 0, prev = 0;
  const double kDc = std::exp(-2 * kPi * 20.0 / kEffectRate);
  for (double& s : lo) {
    dc = kDc * (dc + s - prev);
    prev = s;
    s = dc;
  }
  // A short fade keeps the cut at the end from clicking.
  size_t fade = std::min<size_t>(lo.size(), kEffectRate * 3 / 1000);
  for (size_t i = 0; i < fade; ++i) lo[lo.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);
  double peak = 0;
  for (double s : lo) peak = std::max(peak, std::abs(s));
  double norm = peak > 0 ? std::pow(10.0, e.peakDb / 20) / peak : 0;
  std::vector<int16_t> pcm(lo.size());
  for (size_t i = 0; i < lo.size(); ++i) pcm[i] = static_cast<int16_t>(std::lround(lo[i] * norm * 32767));
  return pcm;
}

}  // namespace

std::string stripComment(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i)
    if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1])))) return line.substr(0, i);
  return line;
}

bool parseFrequency(const std::string& text, double& hz) {
  if (text.empty()) return false;
  static const int kSemis[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (c >= 'A' && c <= 'G') {
    int semi = kSemis[c - 'A'];
    size_t i = 1;
    if (i < text.size() && (text[i] == '#' || text[i] == 'b')) semi += text[i++] == '#' ? 1 : -1;
    if (i >= text.size()) return false;
    int octave = 0;
    try {
      size_t used = 0;
      octave = std::stoi(text.substr(i), &used);
      if (used != text.size() - i) return false;
    } catch (...) {
      return false;
    }
    int midi = 12 * (octave + 1) + semi;
    hz = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
    return true;
  }
  try {
    size_t used = 0;
    hz = std::stod(text, &used);
    return used == text.size() && hz > 0;
  } catch (...) {
    return false;
  }
}

bool renderEffects(const std::string& text, std::vector<RenderedEffect>& rendered, std::string& error) {
  std::istringstream in(text);
  std::vector<Effect> effects;
  std::string line;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    error = "line " + std::to_string(lineNo) + ": " + why;
    return false;
  };
  while (std::getline(in, line)) {
    ++lineNo;
    line = stripComment(line);
    std::stringstream ss(line);
    std::string word;
    if (!(ss >> word)) continue;
    if (word == "effect") {
      Effect e;
      if (!(ss >> e.name)) return fail("effect needs a file name");
      while (ss >> word) {
        double db = 0;
        try {
          if (word.rfind("peak=", 0) != 0) throw 0;
          db = std::stod(word.substr(5));
        } catch (...) {
          return fail("bad effect setting " + word);
        }
        e.peakDb = std::min(-1.0, db);  // never louder than -1 dBFS
      }
      effects.push_back(e);
    } else if (word == "voice") {
      if (effects.empty()) return fail("voice before any effect");
      Voice v;
      if (!(ss >> v.wave)) return fail("voice needs a wave");
      if (v.wave != "square" && v.wave != "saw" && v.wave != "tri" && v.wave != "sine" && v.wave != "noise")
        return fail("unknown wave " + v.wave);
      while (ss >> word) {
        size_t eq = word.find('=');
        if (eq == std::string::npos || !setParam(v, word.substr(0, eq), word.substr(eq + 1)))
          return fail("bad voice setting " + word);
      }
      effects.back().voices.push_back(v);
    } else {
      return fail("unknown line " + word);
    }
  }
  rendered.clear();
  for (const Effect& e : effects) {
    if (e.voices.empty()) return fail(e.name + " has no voices");
    rendered.push_back(RenderedEffect{e.name, renderEffect(e)});
  }
  return true;
}

bool makeEffects(const std::filesystem::path& source, const std::filesystem::path& outDir) {
  std::ifstream in(source);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<RenderedEffect> effects;
  std::string error;
  if (!in || !renderEffects(text.str(), effects, error)) {
    std::fprintf(stderr, "%s: %s\n", source.c_str(), in ? error.c_str() : "cannot read");
    return false;
  }
  for (const RenderedEffect& e : effects) {
    std::ofstream out(outDir / e.name, std::ios::binary);
    out << media::encodeWave16(e.pcm, kEffectRate, 1);
    if (!out) {
      std::fprintf(stderr, "%s: cannot write\n", (outDir / e.name).c_str());
      return false;
    }
  }
  return true;
}

}  // namespace audio
