#include "engine/chara_setup.h"

#include <array>
#include <cstddef>

#include "data/board.h"
#include "data/game_data.h"
#include "gfx/color.h"
#include "presentation/board_draw.h"
#include "presentation/main_form.h"
#include "sys/number.h"
#include "system/bitmap.h"
#include "system/picture_store.h"

namespace {

struct SeatLook {
  const char* name;
  const char* color;
  gfx::Color rgb;
};
constexpr std::array<SeatLook, 4> kSeats{{
    {"ブルー", "{1&0AF}{2&AFF}", gfx::rgb(50, 50, 255)},
    {"ピンク", "{1&FAF}{2&F5A}", gfx::rgb(255, 100, 100)},
    {"グリーン", "{1&EFE}{2&0E0}", gfx::rgb(100, 255, 100)},
    {"イエロー", "{1&FFA}{2&EE0}", gfx::rgb(255, 255, 100)},
}};

struct GrowthType {
  Fixed lifeMaxAd, strAd, luckAd;
};
constexpr std::array<GrowthType, 3> kGrowth{{
    {Fixed::fromRaw(105000), Fixed::fromRaw(56000), Fixed::fromRaw(34000)},  // attack
    {Fixed::fromRaw(105000), Fixed::fromRaw(55000), Fixed::fromRaw(36000)},  // luck
    {Fixed::fromRaw(105000), Fixed::fromRaw(55000), Fixed::fromRaw(35000)},  // stamina
}};

}  // namespace

void Init05CharaSetup() {
  GameData& g = Game();
  for (size_t i = 0; i < 4; ++i) {
    PlayerRecord& p = g.Players[i];
    const int32_t seat = static_cast<int32_t>(i);
    p.sUser = 1;
    p.sName = kSeats[i].name;
    p.BackMapX = 0;
    p.BackMapY = 8;
    p.xPos = 0;
    p.yPos = 8 * 32;
    p.zPos = seat;
    p.sChara = seat;
    p.sPtn = 6;
    p.sLevel = 1;
    p.sExp = 0;
    p.sColor = kSeats[i].color;
    p.sRGB = static_cast<int32_t>(kSeats[i].rgb);
    Init07CharaSetupData(seat, "");
    g.DrawOrder[i] = seat;
    g.PlayersBackup[i] = p;
  }
}

void Init07CharaSetupData(int32_t wkID, std::string_view /*wkType*/) {
  if (wkID < 0 || wkID > 4) return;
  PlayerRecord& p = Game().Players[static_cast<size_t>(wkID)];
  p.sType += 1;
  // A counter that was never in range (a damaged record) starts the cycle again too.
  if (p.sType > 2 || p.sType < 0) p.sType = 0;
  const GrowthType& t = kGrowth[static_cast<size_t>(p.sType)];
  p.sLifeMaxAd = t.lifeMaxAd;
  p.sStrAd = t.strAd;
  p.sLuckAd = t.luckAd;
  p.sExpAd = Fixed(10);
  p.sLifeMax = p.sLife = sys::roundInt(p.sLifeMaxAd);
  p.sStr = sys::roundInt(p.sStrAd);
  p.sLuck = sys::roundInt(p.sLuckAd);
  p.sExpNext = sys::roundInt(p.sExpAd);
  p.sMoney = 8;
  p.sDrug = 2;
}

void Init06CharaSetup() {
  GameData& g = Game();
  for (size_t i = 0; i < 4; ++i) {
    PlayerRecord& p = g.Players[i];
    const int32_t seat = static_cast<int32_t>(i);
    p.BackMapX = g.StartX;
    p.BackMapY = g.StartY;
    p.zPos = seat;
    p.sChara = seat;
    p.xPos = g.StartX * 32;
    p.yPos = g.StartY * 32;
    p.sPtn = 6;
    p.sLevel = 1;
    p.sExp = 0;
    g.DrawOrder[i] = seat;
  }
}

void Init04() {
  MainForm& f = frmMain();
  const gfx::Surface& sheet = frmPic().PicChara.surface();
  for (int i = 0; i < 4; ++i) {
    ui::PictureBox& mini = f.PicMiniMap[i];
    gfx::Surface& s = mini.surface();
    TransBlt(s, s, sheet, 0, 32 * i, 32, 32 * i + 32, 0, 0, -1, mini.width(), mini.height());
    mini.refresh();
  }
}

void MapClear() {
  NewBlankMap();
  DrawMap();
}
