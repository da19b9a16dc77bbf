#include "engine/time_attack.h"

#include <array>
#include <string>

#include "data/game_data.h"
#include "engine/minigames.h"
#include "gfx/blit.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "sys/text.h"
#include "system/chances.h"
#include "system/input.h"
#include "system/picture_store.h"
#include "system/utility.h"

namespace {

// Space, the number pad's 0 to 4 and Enter, Enter, the main keys 0 to 6, then Z, X, C and V.
constexpr std::array<int32_t, 19> kStartKeys{57, 82, 79, 80, 81, 75, 156, 28, 11, 2, 3, 4, 5, 6, 7, 44, 45, 46, 47};
constexpr int32_t kMouse = -1;

const PrizeRung kLadder[] = {
    {.message = "OK! 薬草1個あげよう", .drug = 1},
    {.message = "ついてるねぇ。運が1あがるよ!", .luck = 1},
    {.message = "OK! さらに薬草3個あげよう", .drug = 3},
    {.message = "うーん。力も2ついちゃうね", .str = 2},
    {.message = "すごいねぇ。最大体力も5アップだね!", .lifeMax = 5},
    {.message = "うーん。スコア10点つけちゃう", .score = 10},
};
const char* const kGradeMessages[7] = {"ちょっと、遠いなぁ。", "OK", "OK", "OK", "OK", "GREAT!", "すごい!"};

bool held(const InputState& s, int32_t input) {
  return input == kMouse ? s.MouseButtons != 0 : s.Keys[static_cast<size_t>(input)] != 0;
}

// The first start key down, else the mouse if a button is, else 0 (which is never held).
int32_t pressedInput(const InputState& s) {
  for (int32_t k : kStartKeys)
    if (held(s, k)) return k;
  return s.MouseButtons != 0 ? kMouse : 0;
}

Fixed readStopWatch() { return Fixed::fromDouble(sys::val(StopWatch(6, false))); }

void drawClock(const std::string& text) {
  MainForm& f = frmMain();
  gfx::bitBlt(f.PicWin.surface(), 0, 0, 200, 200, frmPic().PicDummy.surface(), 0, 0);
  f.UCFt.SetFontSize(20);
  f.UCFt.FontWrite(f.PicWin.surface(), text, 0, 120, 200, 40, "CV");
  f.PicWin.refresh();
}

}  // namespace

int32_t TimeAttackGrade(Fixed t, Fixed s) {
  if (t == s) return 6;
  static const int64_t kBands[5] = {10, 100, 1000, 3000, 5000};  // 0.001 to 0.5 seconds
  for (int32_t i = 0; i < 5; ++i) {
    const Fixed band = Fixed::fromRaw(kBands[i]);
    if (s - band < t && t < s + band) return 5 - i;
  }
  return 0;
}

TimeAttackTiming::TimeAttackTiming(int32_t wkID, Fixed Target)
    : s_(Target), human_(Game().Players[static_cast<size_t>(wkID)].sUser == 1) {}

bool TimeAttackTiming::Start() {
  InputState state;
  // A human starts with a press; the wait ends too when the game is left. A click on "はい" (or
  // a tap of its keys) whose release came in the same pump as the press is a start all the
  // same, released at once, rather than a press lost while the wait goes on.
  WaitForHuman([&] {
    ReadInputState(state);
    input_ = pressedInput(state);
    return !human_ || input_ != 0 || Menu().MenuCommand != "はい";
  });
  if (!GameRunning()) return false;
  StopWatch(6, true);
  frmMain().UcBtnMenu[0].setVisible(false);
  return true;
}

bool TimeAttackTiming::Frame() {
  WaitSec(0);
  const Fixed t = readStopWatch();
  // Past half a second the clock only pretends, so the player has to count.
  const Fixed shown = t < Fixed::fromRaw(5000) ? t : Fixed::fromRaw(RandomRange(0, sys::Fix(s_) * 10000, 0));
  drawClock(sys::format(shown, "0.0000"));
  InputState state;
  ReadInputState(state);
  // Both of a computer's chances are drawn on every frame, for anybody.
  const bool early = ChanceAnd(Percent(5), s_ - Fixed(2) <= t && t <= s_ + Fixed(2));
  const bool late = ChanceAnd(Percent(99), t >= s_ + Fixed(2));
  const bool released = human_ ? !held(state, input_) : early || late;
  if (released || t > s_ + Fixed(3)) return true;
  WaitSec(Fixed::fromRaw(10));
  return false;
}

Fixed TimeAttack(int32_t wkID, Fixed Target) {
  MainForm& f = frmMain();
  PictureStore& pic = frmPic();
  f.UCFt.SetFontSize(20);
  ShowEventPicture(pic.PicCasino[3].surface());
  gfx::Surface& win = f.PicWin.surface();
  f.UCFt.FontWrite(win, "目標タイム", 0, 10, 200, 40, "CV");
  f.UCFt.FontWrite(win, sys::format(Target, "0") + "秒", 0, 60, 200, 40, "CV");
  f.PicWin.refresh();
  pic.PicDummy.move(pic.PicDummy.left(), pic.PicDummy.top(), 200, 200);
  gfx::bitBlt(pic.PicDummy.surface(), 0, 0, 200, 200, win, 0, 0);

  TimeAttackTiming timing(wkID, Target);
  if (!timing.Start()) return 0;
  do {
    if (!FramePumped()) break;
  } while (!timing.Frame());
  const Fixed t = readStopWatch();
  drawClock(sys::format(t, "0.0000"));
  return t;
}

void Init21TimeAttack(int32_t wkID) {
  if (wkID < 0 || wkID > 3) return;
  WriteWindow(wkID, true, "タイムアタック", true);
  ShowEventPicture(frmPic().PicCasino[3].surface());
  const Fixed s = RandomRange(3, 6, 0);
  WriteMessage("キーを押して" + FormatNum(sys::toText(s), 0, 5) + "秒後に、放してください", false);
  Menu().MenuCommand = "はい";
  MakeMenu("はい", wkID);
  PumpOnce();
  WaitSec(1);

  const Fixed t = TimeAttack(wkID, s);
  if (!GameRunning()) return;
  WriteMessage("あなたのタイム" + sys::format(t, "0.0000") + "秒", false);
  WaitSec(1);
  const int32_t grade = TimeAttackGrade(t, s);
  WriteMessage(kGradeMessages[grade], false);
  ClimbPrizes(wkID, kLadder, grade, Fixed::fromRaw(7000), false);
  WaitSec(Fixed::fromRaw(3000));
}
