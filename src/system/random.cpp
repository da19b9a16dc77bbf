#include "system/random.h"

#include <random>

namespace {
std::mt19937_64 gEngine{0x5EED};
ScriptedRandom* gScript = nullptr;
}  // namespace

double Rnd() {
  if (gScript) {
    ++gScript->draws_;
    if (!gScript->queue_.empty()) {
      double v = gScript->queue_.front();
      gScript->queue_.pop_front();
      return v;
    }
  }
  // 53 random bits: uniform in [0, 1), never 1.
  return static_cast<double>(gEngine() >> 11) * (1.0 / 9007199254740992.0);
}

void RandomSeed(uint64_t seed) { gEngine.seed(seed); }

ScriptedRandom::ScriptedRandom(std::initializer_list<double> values) : queue_(values), previous_(gScript) {
  gScript = this;
}

ScriptedRandom::~ScriptedRandom() { gScript = previous_; }
