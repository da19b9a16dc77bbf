// The high-resolution counter behind every timed wait. The real clock sleeps most of a wait
// and spins only its last moments; the virtual clock (tests) jumps straight to the deadline.
#pragma once

#include <cstdint>

namespace sys {

class Clock {
 public:
  virtual ~Clock() = default;
  // Counter reading in ticks of frequency() per second.
  virtual int64_t now() = 0;
  virtual int64_t frequency() const = 0;
  // Blocks until now() >= tick. Pumps nothing.
  virtual void waitUntil(int64_t tick) = 0;
};

class RealClock final : public Clock {
 public:
  int64_t now() override;
  int64_t frequency() const override { return 1'000'000'000; }
  void waitUntil(int64_t tick) override;
};

class VirtualClock final : public Clock {
 public:
  int64_t now() override { return now_; }
  int64_t frequency() const override { return 1'000'000'000; }
  void waitUntil(int64_t tick) override {
    if (tick > now_) now_ = tick;
  }
  void advance(int64_t ticks) { now_ += ticks; }
  void advanceMs(double ms) { now_ += static_cast<int64_t>(ms * 1e6); }

 private:
  int64_t now_ = 1'000'000'000;  // never 0: 0 means "no mark" to the waits
};

// The program's clock: the real one unless a test installed another.
Clock& clock();
// Installs `c` (nullptr restores the real clock). The caller keeps ownership.
void setClock(Clock* c);
// Changes at every setClock: a reading kept from before belongs to another clock.
uint64_t clockEpoch();
// Whether the program's clock is the real one: only then does time pass while a wait sleeps.
bool clockIsReal();

// Installs a fresh virtual clock for the lifetime of the guard.
class ScopedVirtualClock {
 public:
  ScopedVirtualClock() { setClock(&clock_); }
  ~ScopedVirtualClock() { setClock(nullptr); }
  ScopedVirtualClock(const ScopedVirtualClock&) = delete;
  ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;
  VirtualClock& operator*() { return clock_; }
  VirtualClock* operator->() { return &clock_; }

 private:
  VirtualClock clock_;
};

}  // namespace sys
