// How loud a stretch of stereo sound is as a listener hears it: the integrated loudness of
// the broadcast loudness measure (K-weighted mean square over 400 ms blocks, gated against
// silence and quiet passages), and the largest sample. Music levels use it.
#pragma once

#include <vector>

namespace media {

class LoudnessMeter {
 public:
  explicit LoudnessMeter(int rate);

  // Interleaved left, right samples at full scale 1.0.
  void add(const float* stereo, int frames);
  // In loudness units relative to full scale (a full-scale 1 kHz sine in both channels reads
  // 0); kSilence when nothing passed the gates.
  double loudness() const;
  // The largest sample in decibels of full scale (kSilence when all were 0).
  double peak() const;

  static constexpr double kSilence = -200;

 private:
  struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1[2] = {}, z2[2] = {};
    double run(int ch, double x);
  };
  Biquad shelf_, highPass_;
  int step_;        // frames of a 100 ms step
  int inStep_ = 0;  // frames in the running step
  double sum_ = 0;  // its weighted energy
  std::vector<double> steps_;
  double peak_ = 0;
};

}  // namespace media
