#include "media/loudness.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace media {
namespace {

double toDb(double energy) { return -0.691 + 10 * std::log10(energy); }

}  // namespace

double LoudnessMeter::Biquad::run(int ch, double x) {
  double y = b0 * x + z1[ch];
  z1[ch] = b1 * x - a1 * y + z2[ch];
  z2[ch] = b2 * x - a2 * y;
  return y;
}

LoudnessMeter::LoudnessMeter(int rate) : step_(std::max(1, rate / 10)) {
  // The two stages of the K weighting, derived for any rate from their analogue prototypes:
  // a shelf of +4 dB above about 1.7 kHz (the head) and a high pass near 38 Hz.
  const double pi = std::numbers::pi;
  {
    const double f0 = 1681.974450955533, gain = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(pi * f0 / rate), vh = std::pow(10.0, gain / 20), vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1 + k / q + k * k;
    shelf_ = {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
              2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
  }
  {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(pi * f0 / rate), a0 = 1 + k / q + k * k;
    highPass_ = {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
  }
}

void LoudnessMeter::add(const float* stereo, int frames) {
  for (int i = 0; i < frames; ++i) {
    for (int ch = 0; ch < 2; ++ch) {
      double x = stereo[2 * i + ch];
      peak_ = std::max(peak_, std::abs(x));
      double y = highPass_.run(ch, shelf_.run(ch, x));
      sum_ += y * y;
    }
    if (++inStep_ == step_) {
      steps_.push_back(sum_ / step_);
      sum_ = 0;
      inStep_ = 0;
    }
  }
}

double LoudnessMeter::loudness() const {
  // Blocks of four steps (400 ms), each step starting one.
  std::vector<double> blocks;
  for (size_t i = 0; i + 4 <= steps_.size(); ++i)
    blocks.push_back((steps_[i] + steps_[i + 1] + steps_[i + 2] + steps_[i + 3]) / 4);
  auto gatedMean = [&](double floorDb) {
    double sum = 0;
    int n = 0;
    for (double b : blocks)
      if (b > 0 && toDb(b) > floorDb) {
        sum += b;
        ++n;
      }
    return n ? sum / n : 0.0;
  };
  double above = gatedMean(-70);
  if (above <= 0) return kSilence;
  double mean = gatedMean(toDb(above) - 10);
  return mean > 0 ? toDb(mean) : kSilence;
}

double LoudnessMeter::peak() const { return peak_ > 0 ? 20 * std::log10(peak_) : kSilence; }

}  // namespace media
