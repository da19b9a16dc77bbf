// The time attack of the herb shop and the game centre: hold a key, let go when the target
// time has passed; the clock on show is honest only for the first half second.
#pragma once

#include <cstdint>

#include "sys/number.h"

// One game of player wkID: the target, the timing, the grade and its prizes.
void Init21TimeAttack(int32_t wkID);
// Draws the window, waits for a held key or mouse button (a computer starts at once) and times
// its release against Target seconds; the measured time.
sys::Fixed TimeAttack(int32_t wkID, sys::Fixed Target);
// The timing of one game once its window is drawn: the held input and the stopwatch.
// TimeAttack runs it; a frame alone is measured by the benchmarks.
class TimeAttackTiming {
 public:
  TimeAttackTiming(int32_t wkID, sys::Fixed Target);
  // Waits for a held start key or mouse button (a computer starts at once), then starts the
  // stopwatch; false when the game was left meanwhile.
  bool Start();
  // One frame after the frame's pump: the clock (honest for half a second), the input read, the
  // release decided, a 1 ms beat unless it ended. True once the timing has ended.
  bool Frame();

 private:
  sys::Fixed s_;
  bool human_;
  int32_t input_ = 0;  // the held start input
};

// 6 for exactly the target, down to 1 within half a second of it, 0 further off.
int32_t TimeAttackGrade(sys::Fixed measured, sys::Fixed target);
