#include "sys/clock.h"

#include <sys/prctl.h>
#include <time.h>

#include <algorithm>

namespace sys {
namespace {

// The kernel usually wakes us within tens of microseconds; sleeping until shortly before the
// deadline and spinning the rest keeps waits exact without holding a core for their length.
// On a loaded machine wake-ups come later, so the spun tail follows the recent lateness.
// Steps of one millisecond (the scroller's pace) must mostly sleep too, so the floor is low.
constexpr int64_t kMinSpinTail = 100'000;  // 100 us in ns
constexpr int64_t kMaxSpinTail = 4'000'000;
int64_t gRecentLateness = 0;  // decaying maximum of how late sleeps woke, in ns

RealClock gReal;
Clock* gCurrent = &gReal;
uint64_t gEpoch = 1;

inline void cpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

}  // namespace

int64_t RealClock::now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void RealClock::waitUntil(int64_t tick) {
  // The default 50 us timer slack alone would eat a third of the spun tail.
  static const bool slackSet = prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
  (void)slackSet;
  bool slept = false;
  for (;;) {
    int64_t tail = std::clamp(2 * gRecentLateness, kMinSpinTail, kMaxSpinTail);
    int64_t left = tick - now();
    if (left <= 0) return;
    if (left <= tail) break;
    int64_t wake = tick - tail;
    timespec ts{static_cast<time_t>(wake / 1'000'000'000), static_cast<long>(wake % 1'000'000'000)};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr);
    int64_t late = now() - wake;
    gRecentLateness = std::max(late, gRecentLateness - gRecentLateness / 8);
    slept = true;
  }
  // A wait shorter than the tail sleeps never and so measures nothing: let an old late wake-up
  // fade anyway, or short paced steps would stay spun for good after one bad moment.
  if (!slept) gRecentLateness -= gRecentLateness / 8;
  while (now() < tick) cpuRelax();
}

Clock& clock() { return *gCurrent; }
void setClock(Clock* c) {
  gCurrent = c ? c : &gReal;
  ++gEpoch;
}
uint64_t clockEpoch() { return gEpoch; }
bool clockIsReal() { return gCurrent == &gReal; }

}  // namespace sys
