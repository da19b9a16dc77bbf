#include "engine/dice.h"

#include <cstddef>

#include "data/game_data.h"
#include "gfx/blit.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "system/input.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/utility.h"
#include "ui/toolkit.h"

namespace {

constexpr int kFace = 100;
// The strip holds 6, 5, 4, 3, 2, 1 and the blank face from the top; the window always stops on
// one of them, never on the repeated 6 at the bottom.
constexpr int kStripFaces = 7;
constexpr int32_t kFaceValue[kStripFaces] = {6, 5, 4, 3, 2, 1, 0};
constexpr int kFramesPerFace = 50;
constexpr int kPixelsPerFrame = kFace / kFramesPerFace;

bool anyInput(const InputState& s) {
  for (uint8_t k : s.Keys)
    if (k) return true;
  return s.Buttons != 0 || s.MouseButtons != 0;
}

}  // namespace

int32_t Dice(int32_t wkID, bool Fastest) {
  GameData& g = Game();
  MainForm& f = frmMain();
  const int steps = RandomRange(1, 6, 0) + 1;
  int pos = RandomRange(0, kStripFaces - 1, 0) * kFace;
  Fixed delay = Fixed::fromRaw(1);

  if (wkID >= 0 && wkID <= 3) f.PicDice.setContainer(&f.PicPlayer[wkID]);
  f.PicDice.move(f.PicMenu.left(), f.PicMenu.top(), f.PicMenu.width(), f.PicMenu.height());
  f.PicDice.zorder(0);
  f.PicDice.setVisible(true);

  const gfx::Surface& strip = frmPic().PicDice.surface();
  for (int r = 0; r <= steps; ++r) {
    for (int frame = 0; frame < kFramesPerFace; ++frame) {
      pos -= kPixelsPerFrame;
      if (pos < 0) pos += kStripFaces * kFace;
      gfx::bitBlt(f.PicDiceIn.surface(), 0, 0, kFace, kFace, strip, 0, pos);
      f.PicDiceIn.refresh();
      // The last four faces slow down.
      if (r >= steps - 3 && frame % 4 == 0) delay += Fixed::fromRaw(1);
      if (!Fastest) WaitSec(delay);
    }
  }

  int32_t value = kFaceValue[pos / kFace];
  if (value == 0) value = RandomRange(1, 10, 0);
  if (wkID >= 0 && wkID <= 4) {
    PlayerRecord& p = g.Players[static_cast<size_t>(wkID)];
    p.sScore = sys::clampInt(int64_t{p.sScore} + value);
  }
  PlaySound(2, g.WavFolder + "QV-Pai.wav", false, true, false, 0);
  return value;
}

void GetAnyKey() {
  WriteMessage("なにか、キーを押して下さい", false);
  InputState state;
  for (int i = 0; i < 10; ++i) ReadInputState(state);
  for (;;) {
    ui::DoEventsWait(10);
    CheckGameLeft();
    state = InputState{};
    ReadInputState(state);
    if (anyInput(state)) return;
  }
}
