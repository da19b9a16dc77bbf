// The real program without a screen or a sound card: the headless backend, a virtual clock, a
// game folder of its own (the shipped maps copied, pictures and sounds linked), sounds that keep
// their time but mix nothing, and an end of the program that is only counted. Tests and
// benchmarks share it; nothing here depends on a test framework.
//
//   testing_support::HeadlessProgram p;
//   p.start(42);                 // Main(), then the game's random numbers seeded with 42
//   p.click(frmMain().UcBtnClose[GetTagToIndex("終了")]);
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "backend/headless/headless_backend.h"
#include "support/temp_dir.h"
#include "sys/clock.h"

namespace ui {
class Control;
}

namespace testing_support {

// A game folder in a fresh temporary folder: the shipped maps copied (tests may change them),
// the pictures and sounds linked; the data folder is made by the program.
class GameFolder : public TempDir {
 public:
  GameFolder();
  // Points the program's folder here (done by the constructor; again after a test reset it).
  void use() const;
};

class HeadlessProgram {
 public:
  // presenting false: frames are drawn into the controls but never composed or shown.
  explicit HeadlessProgram(bool presenting = true);
  ~HeadlessProgram();
  HeadlessProgram(const HeadlessProgram&) = delete;
  HeadlessProgram& operator=(const HeadlessProgram&) = delete;

  // Runs Main() (which seeds from the clock, as the real program does), then seeds the game's
  // random numbers with `seed`, and pumps once.
  void start(uint64_t seed);
  // Ends this program's state and starts it again over the same folder (settings kept).
  void restart(uint64_t seed);

  ui::HeadlessBackend& backend() { return *backend_; }
  sys::VirtualClock& clock() { return clock_; }
  const GameFolder& folder() const { return folder_; }
  // How many times the program asked to end.
  int ends() const { return ends_; }

  // Advances the clock and pumps once.
  void pump(double ms = 20);
  // Clicks the middle of a control through the toolkit (pumps before and after).
  void click(const ui::Control& c);
  // A key press and release (virtual-key code), then a pump.
  void press(int vk);

 private:
  void installBackend();
  void reset();

  sys::VirtualClock clock_;
  GameFolder folder_;
  ui::HeadlessBackend* backend_ = nullptr;
  bool presenting_;
  int ends_ = 0;
};

}  // namespace testing_support
