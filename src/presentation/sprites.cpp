#include "presentation/sprites.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "data/game_data.h"
#include "gfx/blit.h"
#include "presentation/game_windows.h"
#include "presentation/main_form.h"
#include "sys/number.h"
#include "sys/text.h"
#include "system/bitmap.h"
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
  gfx::bitBlt(f.PicMap.surface(), 0, 0, f.PicMap.width(), f.PicMap.height(), f.PicMapUra.surface(), 0, 0);
  for (int k = 3; k >= 0; --k) {
    const int32_t other = g.DrawOrder[static_cast<size_t>(k)];
    if (other != ID && isSeat(other)) WriteChara(other, g.Players[static_cast<size_t>(other)].sPtn, 0, 0, 0);
  }
  if (isSeat(ID) && g.Players[static_cast<size_t>(ID)].sUser != 0) {
    WriteChara(ID, Ptn, xAdd, yAdd, 1);
    WriteWindowMini(ID);
  }
  f.PicMap.refresh();
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

// Not built yet: the procedure arrives with its own change; until then it does nothing.
void PlayAnime(int32_t, const std::vector<int32_t>&, sys::Fixed) {}

void WriteAnimation(int32_t, const std::string&) {}
