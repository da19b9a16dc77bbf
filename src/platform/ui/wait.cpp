#include "ui/wait.h"

#include "sys/clock.h"
#include "ui/toolkit.h"

namespace ui {
namespace {
std::function<void()> gWatch;
bool gWatching = false;

struct Watching {
  Watching() { gWatching = true; }
  ~Watching() { gWatching = false; }
};
}  // namespace

void WaitUntil(int64_t deadline) {
  if (!pacing()) return;
  PresentForWait(deadline);
  if (gWatch && !gWatching)
    WatchUntil(deadline, [] {
      Watching watching;
      gWatch();
    });
  sys::clock().waitUntil(deadline);
}

void setWaitWatch(std::function<void()> watch) { gWatch = std::move(watch); }

void PacedWait::operator()(sys::Fixed seconds) {
  sys::Clock& clock = sys::clock();
  int64_t start = clock.now();
  if (seconds == sys::Fixed{}) {
    mark_ = start;
    epoch_ = sys::clockEpoch();
    return;
  }
  if (mark_ != 0 && epoch_ == sys::clockEpoch()) start = mark_;
  mark_ = 0;
  if (seconds < sys::Fixed{}) return;
  // Seconds as ticks, exact for the clock's whole-nanosecond frequency.
  __extension__ typedef __int128 i128;
  i128 ticks = static_cast<i128>(seconds.raw()) * clock.frequency() / sys::Fixed::kScale;
  if (ticks > INT64_MAX / 4) ticks = INT64_MAX / 4;
  WaitUntil(start + static_cast<int64_t>(ticks));
}

}  // namespace ui
