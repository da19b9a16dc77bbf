// The slot machine of the inn and the game centre: nine reels in a 3 x 3 grid, eight lines, a
// replay line, a ladder of prizes and the payout counted out one GP at a time.
#pragma once

#include <array>
#include <cstdint>

// One visit of player wkID: spins until no replay is due, then the prizes and the payout.
void Init21Slot(int32_t wkID);

// The machine of one visit: nine reels over the strip (reading order), the counter and the
// points won. Init21Slot plays it; a frame alone is measured by the benchmarks.
class SlotMachine {
 public:
  explicit SlotMachine(int32_t wkID);
  // Draws the reels' run-on, opens the machine and asks for the stop.
  void BeginSpin();
  // One frame of the reels, after the frame's pump: the stop when asked for or due, every
  // running reel moved and drawn, a 1 ms beat. True while a reel moved.
  bool Frame();
  // The spin's lines, scored; true when a line of replays asks for another spin.
  bool Evaluate();
  // The counter runs from what it shows to T, a step every 0.05 seconds.
  void Count();

  int32_t T = 0;  // points won in this visit

 private:
  void drawReel(int i);

  int32_t id_;
  bool human_;
  bool taken_ = false;  // the stop was asked for and the run-on set
  int32_t D = 0;        // what the counter shows
  std::array<int32_t, 9> Dist{}, Pos{}, Stopped{};
};

// The symbol a reel shows at strip position `pos` (1 to 266).
int32_t SlotSymbol(int32_t pos);
// Each line's points for the nine symbols in reading order: the symbol's points where the three
// cells of the line agree, 100 for a line of replays, 0 elsewhere.
std::array<int32_t, 8> SlotLineWins(const std::array<int32_t, 9>& symbols);
