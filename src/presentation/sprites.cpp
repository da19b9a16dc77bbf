#include "presentation/sprites.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "data/game_data.h"
#include "gfx/blit.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "presentation/status_panel.h"
#include "sys/number.h"
#include "sys/text.h"
#include "system/bitmap.h"
#include "system/media.h"
#include "system/picture_store.h"
#include "system/utility.h"

namespace {

constexpr int kCell = 32;
constexpr int kBoardWidth = kPlayColumns * kCell;

bool isSeat(int32_t id) { return id >= 0 && id <= 3; }

}  // namespace

void WriteChara(int32_t ID, int32_t Ptn, int32_t xAdd, int32_t yAdd, int32_t Active) {
  if (!isSeat(ID)) return;
  PlayerRecord& p = Game().Players[static_cast<size_t>(ID)];
  if (p.sUser == 0) return;
  p.sPtn = Ptn;
  p.xPos = sys::clampInt(int64_t{p.xPos} + xAdd);
  p.yPos = sys::clampInt(int64_t{p.yPos} + yAdd);
  // 768 itself stays: a piece stepping off the right edge is seen leaving before it wraps.
  if (p.xPos < 0) p.xPos += kBoardWidth;
  if (p.xPos > kBoardWidth) p.xPos -= kBoardWidth;
  if (p.yPos >= 0) {
    gfx::Surface& board = frmMain().PicMap.surface();
    const PictureStore& pic = frmPic();
    const int mx = p.sChara * kCell, my = Active * kCell;
    TransBlt(board, board, pic.PicWaku.surface(), mx, my, mx + kCell, my + kCell, p.xPos, p.yPos + 2, -1);
    const int cx = p.sPtn * kCell, cy = p.sChara * kCell;
    TransBlt(board, board, pic.PicChara.surface(), cx, cy, cx + kCell, cy + kCell, p.xPos, p.yPos + 2, -1);
  }
  p.xPosMap = sys::divInt(p.xPos, kCell);
  p.yPosMap = sys::divInt(p.yPos, kCell);
}

void WriteCharaSet(int32_t ID, int32_t Ptn, int32_t xAdd, int32_t yAdd) {
  GameData& g = Game();
  MainForm& f = frmMain();
  gfx::Surface& board = f.PicMap.surface();
  const gfx::Surface& clean = f.PicMapUra.surface();
  MainForm::DrawnPlayers& drawn = f.BoardPlayers;
  const gfx::Rect area{0, 0, f.PicMap.width(), f.PicMap.height()};
  // The clean board under the players; when only they have changed it since, under their squares.
  if (drawn.known && drawn.board == board.generation() && drawn.clean == clean.generation() && !board.clip()) {
    for (const gfx::Rect& r : drawn.squares) {
      const gfx::Rect s = r.intersect(area);
      if (!s.empty()) gfx::bitBlt(board, s.left, s.top, s.width(), s.height(), clean, s.left, s.top);
    }
  } else {
    gfx::bitBlt(board, 0, 0, area.width(), area.height(), clean, 0, 0);
  }
  drawn.squares.clear();
  auto draw = [&](int32_t id, int32_t ptn, int32_t dx, int32_t dy, int32_t active) {
    WriteChara(id, ptn, dx, dy, active);
    const PlayerRecord& p = g.Players[static_cast<size_t>(id)];
    if (p.sUser != 0 && p.yPos >= 0) drawn.squares.push_back(gfx::Rect::xywh(p.xPos, p.yPos + 2, kCell, kCell));
  };
  for (int k = 3; k >= 0; --k) {
    const int32_t other = g.DrawOrder[static_cast<size_t>(k)];
    if (other != ID && isSeat(other)) draw(other, g.Players[static_cast<size_t>(other)].sPtn, 0, 0, 0);
  }
  if (isSeat(ID) && g.Players[static_cast<size_t>(ID)].sUser != 0) {
    draw(ID, Ptn, xAdd, yAdd, 1);
    WriteWindowMini(ID);
  }
  f.PicMap.refresh();
  drawn.known = true;
  drawn.board = board.generation();
  drawn.clean = clean.generation();
}

void CharaZorder(int32_t ID) {
  GameData& g = Game();
  for (size_t i = 0; i < 4; ++i) g.Players[i].zPos = sys::clampInt(int64_t{g.Players[i].zPos} + 10);
  if (isSeat(ID)) g.Players[static_cast<size_t>(ID)].zPos = 1;
  // Sorted as text, the way the hidden sorted list orders them: equal places keep seat order.
  std::vector<std::string> items;
  for (int i = 0; i < 4; ++i)
    items.push_back(sys::format(static_cast<double>(g.Players[static_cast<size_t>(i)].zPos), "00") + "," +
                    sys::format(static_cast<double>(i), "00"));
  std::sort(items.begin(), items.end());
  for (size_t k = 0; k < items.size(); ++k) {
    const int32_t j = static_cast<int32_t>(sys::val(GetField(items[k], 2, ",")));
    g.DrawOrder[k] = j;
    g.Players[static_cast<size_t>(j)].zPos = static_cast<int32_t>(k);
  }
}

void PlayAnime(int32_t ID, const std::vector<int32_t>& Vr, sys::Fixed Wt) {
  for (int32_t ptn : Vr) {
    // Each frame lasts Wt including its drawing.
    WaitSec(0);
    WriteCharaSet(ID, ptn, 0, 0);
    WriteWindowMini(ID);
    frmMain().PicMap.refresh();
    WaitSec(Wt);
  }
}

namespace {

// The turn through front, left, back and right that ends the falls and the flight.
const std::vector<int32_t> kSpin = {0, 3, 9, 10, 6, 0, 3, 9, 10, 6};
const sys::Fixed kStepWait = 0.05;  // a step of the climbs, falls and flight

PlayerRecord& seat(int32_t ID) { return Game().Players[static_cast<size_t>(ID)]; }

// The mini views of every seat but ID: the moving piece shows in theirs too.
void MiniViewsOfOthers(int32_t ID) {
  for (int32_t i = 0; i < 4; ++i)
    if (i != ID) WriteWindowMini(i);
}

// A ladder's climb (yAdd -8) or the way down (+8): one row in four steps. The stop point follows
// the piece, and climbing off the top row finishes the player.
void Climb(int32_t ID, int32_t yAdd) {
  for (int32_t frame : {10, 11, 9, 9}) {
    MiniViewsOfOthers(ID);
    WriteCharaSet(ID, frame, 0, yAdd);
    WriteWindowMini(ID);
    WaitSec(kStepWait);
  }
  PlayerRecord& p = seat(ID);
  if (p.yPosMap < 0) {
    p.EndingFlug = true;
    p.yPosMap = -1;
    p.yPos = -1;
  }
  p.BackMapX = sys::divInt(p.xPos, kCell);
  p.BackMapY = sys::divInt(p.yPos, kCell);
}

// A drop through a hole, spinning: two rows, or one for a name ending in "1"; sideways by a
// column when the name says "左" or "右".
void Fall(int32_t ID, const std::string& name) {
  const int32_t side = name.find("左") != std::string::npos ? -8 : name.find("右") != std::string::npos ? 8 : 0;
  const bool oneRow = name.back() == '1';
  const bool diagonalFirst = oneRow && side != 0;
  static const int32_t kFrames[4] = {0, 3, 9, 6};
  int32_t k = 0;
  for (int pass = 0; pass < (oneRow ? 1 : 2); ++pass) {
    for (int step = 0; step < 4; ++step) {
      MiniViewsOfOthers(ID);
      if (pass == 0) PlaySound(3, Game().WavFolder + "QV-Paun.wav", false, true, false, 0);
      const int32_t xAdd = pass == 1 || diagonalFirst ? side : 0;
      WriteCharaSet(ID, kFrames[++k % 4], xAdd, 8);
      WaitSec(kStepWait);
      WriteWindowMini(ID);
    }
  }
  PlayerRecord& p = seat(ID);
  if (name != "落ちる1") {
    p.BackMapX = sys::divInt(p.xPos, kCell);
    p.BackMapY = sys::divInt(p.yPos, kCell);
  }
  PlayAnime(ID, {0, 3, 9, 6}, 0.1);
}

// The loser of a fight spins, flies sideways back to its stop point's column and spins again.
void BlownAway(int32_t ID) {
  PlayAnime(ID, kSpin, 0.01);
  PlayerRecord& p = seat(ID);
  // A cell or stop point off the board (a damaged record) would be a flight without end.
  p.xPosMap = std::clamp(p.xPosMap, 0, kPlayColumns - 1);
  p.xPos = p.xPosMap * kCell;
  p.yPos = p.yPosMap * kCell;
  const int32_t home = std::clamp(p.BackMapX, 0, kPlayColumns - 1);
  const int32_t dir = p.xPosMap < home ? 1 : p.xPosMap > home ? -1 : 0;
  const int32_t cells = std::abs(home - p.xPosMap);
  p.yPosMap = p.BackMapY;
  frmMain().PicWinBase.setVisible(false);
  for (int32_t c = 0; c < cells; ++c) {
    sys::Fixed delay = 0.02;  // the flight speeds up within each cell
    for (int step = 0; step < 4; ++step) {
      WriteCharaSet(ID, dir < 0 ? 12 : 19, dir * 8, 0);
      if (delay < sys::Fixed()) delay = 0.0001;
      WaitSec(delay);
      delay -= 0.005;
      WriteWindowMini(ID);
      WriteScore(0, false, false);
    }
    p.xPosMap = std::max(sys::divInt(p.xPos, kCell), 0);
    p.yPosMap = std::max(sys::divInt(p.yPos, kCell), 0);
    WaitSec(kStepWait);
  }
  p.xPosMap = home;
  p.yPosMap = p.BackMapY;
  p.xPos = home * kCell;
  std::vector<int32_t> landing = kSpin;
  landing.back() = 14;
  PlayAnime(ID, landing, 0.001);
  PlayAnime(ID, landing, kStepWait);
}

struct Pose {
  const char* name;
  std::vector<int32_t> frames;
};

// The short poses, shown at 0.1 s a frame.
const std::vector<Pose>& Poses() {
  static const std::vector<Pose> poses = {
      {"ハッピー", {15, 0, 15, 0, 15}},
      {"転ぶ", {12, 13, 14, 0, 14}},
      {"発見", {18, 0, 18, 0}},
      {"泣く", {0, 17, 0}},
      {"勝利", {0, 16, 15}},
      {"敗北", {14}},
      {"回転", kSpin},
      {"回転えーん", {0, 3, 9, 10, 6, 0, 3, 9, 10, 6, 0, 18, 15}},
      {"回転ピース", {0, 3, 9, 6, 0, 3, 9, 6, 0}},
      {"あ", {9, 8, 9, 3, 9, 10, 11, 10, 9, 0, 16, 15, 16, 9}},
      {"落ちる", {18, 0, 18, 0, 17, 18, 0, 18, 0, 17, 18, 0, 18, 0, 17, 18, 0, 18, 0, 17}},
      {"水", {6, 9, 6, 9, 0, 6, 9, 6, 9, 0}},
      {"A", {0, 18, 16}},
  };
  return poses;
}

}  // namespace

void WriteAnimation(int32_t ID, const std::string& name) {
  if (!isSeat(ID)) return;
  // Names are told apart without regard to the case of their Latin letters.
  auto is = [&](std::string_view n) { return sys::equalsIgnoreCase(name, n); };
  if (is("のぼる")) return Climb(ID, -8);
  if (is("おりる")) return Climb(ID, 8);
  for (const char* fall : {"落ちる1", "落ちる2", "落ちる左", "落ちる右", "落ちる左1", "落ちる右1"})
    if (is(fall)) return Fall(ID, fall);
  if (is("とばされる")) return BlownAway(ID);
  for (const Pose& pose : Poses())
    if (is(pose.name)) return PlayAnime(ID, pose.frames, 0.1);
}
