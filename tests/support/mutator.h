// Seeded damage for files: a few random edits of the kinds that break readers (a byte changed,
// a separator or a high byte put in, a run cut out or repeated, the end cut off, a long number).
// The same seed damages the same text the same way.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace testing_support {

class Mutator {
 public:
  explicit Mutator(uint32_t seed) : rng_(seed) {}

  std::string operator()(std::string s) {
    int edits = pick(1, 4);
    for (int i = 0; i < edits; ++i) edit(s);
    return s;
  }

 private:
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  size_t at(const std::string& s) {
    return s.empty() ? 0 : static_cast<size_t>(pick(0, static_cast<int>(s.size()) - 1));
  }
  char interesting() {
    static const char kBytes[] = {'\r', '\n', '\0',   ',',    '=',    ' ',    '[',    ']',    '-', '.', '9',
                                  '0',  'E',  '\x81', '\xff', '\xef', '\xbb', '\xbf', '\x82', '"', ';', '/'};
    return kBytes[pick(0, sizeof kBytes - 1)];
  }

  void edit(std::string& s) {
    switch (pick(0, 6)) {
      case 0:
        if (!s.empty()) s[at(s)] = static_cast<char>(pick(0, 255));
        break;
      case 1: s.insert(at(s), 1, interesting()); break;
      case 2:
        if (!s.empty()) s.erase(at(s), static_cast<size_t>(pick(1, 40)));
        break;
      case 3: {
        size_t from = at(s);
        s.insert(at(s), s.substr(from, static_cast<size_t>(pick(1, 200))));
        break;
      }
      case 4: s.insert(at(s), static_cast<size_t>(pick(1, 400)), interesting()); break;
      case 5: s.resize(at(s)); break;
      default: s.insert(at(s), std::to_string(std::uniform_int_distribution<int64_t>(-1, 1LL << 40)(rng_))); break;
    }
  }

  std::mt19937 rng_;
};

}  // namespace testing_support
