// Timed waits that show what was drawn before them: every pause of an animation, a scroll step
// or a frame loop goes through here, so the screen never lags behind the game's own clock.
#pragma once

#include <cstdint>
#include <functional>

#include "sys/number.h"

namespace ui {

// Blocks until `deadline` (sys::clock() ticks) without running any handler; a changed frame is
// presented first, or as soon as the pacing of presents allows before the deadline. While a
// watch is set, input that comes meanwhile is shown to it (WatchUntil, pressQueued): it may
// pump and throw to end the wait at once.
void WaitUntil(int64_t deadline);
// The watch of every timed wait (an empty one: none). It is not asked again while it runs.
void setWaitWatch(std::function<void()> watch);

// A pause measured from a mark: a wait of 0 sets the mark, the next wait ends that long after
// it, so the drawing between the two does not stretch the beat. Without a mark the wait starts
// now; a wait below 0 only forgets the mark. A mark taken on another clock (a test installed a
// new one) counts as none.
class PacedWait {
 public:
  void operator()(sys::Fixed seconds);

 private:
  int64_t mark_ = 0;
  uint64_t epoch_ = 0;
};

}  // namespace ui
