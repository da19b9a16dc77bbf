#include "engine/facilities.h"

#include <array>
#include <string>

#include "data/game_data.h"
#include "engine/shooting.h"
#include "engine/slot.h"
#include "engine/stats.h"
#include "engine/time_attack.h"
#include "gfx/color.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "presentation/sprites.h"
#include "sys/text.h"
#include "system/chances.h"
#include "system/utility.h"

namespace {

using Prices = std::array<int32_t, 3>;

// One kind of shop: what it lists and asks, how a computer chooses and what a paid item does.
struct Facility {
  const char* mode;
  const char* title;
  std::array<const char*, 3> items;
  Prices (*prices)();
  // The computer's choice, "0" to "3", from its GP and the prices of this round.
  std::string (*computer)(const PlayerRecord& p, const Prices& price);
  // Item 1 to 3, already paid for where the shop charges.
  void (*buy)(int32_t wkID, int item, int32_t price);
  const char* farewell;
  bool redrawPiece = false;  // the piece is redrawn over the menu's player
  bool pauseAfterList = false;
};

PlayerRecord& player(int32_t wkID) { return Game().Players[static_cast<size_t>(wkID)]; }
int32_t price(int i) { return sys::Fix(Game().SoubaPrice[static_cast<size_t>(i)]); }
int32_t priceTimes(int i, double factor) { return sys::Fix(Game().SoubaPrice[static_cast<size_t>(i)] * Fixed(factor)); }

std::string named(const PlayerRecord& p) { return p.sColor + p.sName + "{0&}"; }

// The markup colours every price list uses: red, green and yellow over white, and a pale green.
void setPalette() {
  UCFont& ft = frmMain().UCFt;
  const int32_t white = static_cast<int32_t>(gfx::rgb(255, 255, 255));
  ft.SetDefaultColor(static_cast<int32_t>(gfx::rgb(255, 0, 0)), white, 1);
  ft.SetDefaultColor(static_cast<int32_t>(gfx::rgb(0, 255, 0)), white, 2);
  ft.SetDefaultColor(static_cast<int32_t>(gfx::rgb(255, 255, 0)), white, 3);
  ft.SetDefaultColor(static_cast<int32_t>(gfx::rgb(200, 255, 120)), static_cast<int32_t>(gfx::rgb(0, 255, 0)), 4);
}

std::string priceList(const Facility& f, const Prices& prices) {
  static const char* const kCircled[3] = {"①", "②", "③"};
  std::string list = f.title;
  for (int k = 0; k < 3; ++k) {
    if (k > 0) list += " ";
    list += std::string("{0&1}") + kCircled[k] + ".{0&}" + f.items[static_cast<size_t>(k)] + "{0&}【{0&3}" +
            sys::strConv(std::to_string(prices[static_cast<size_t>(k)]), sys::kWide) + "{0&}】";
  }
  return list;
}

// The shared visit: list, menu, choice, and either the purchase or the warning and a new round.
void Visit(int32_t wkID, const Facility& f) {
  if (wkID < 0 || wkID > 3) return;
  MainForm& form = frmMain();
  for (;;) {
    setPalette();
    const Prices prices = f.prices();
    PlayerRecord& p = player(wkID);
    WriteMessage(named(p) + ":" + priceList(f, prices), false);
    if (f.pauseAfterList) WaitSec(Fixed::fromRaw(5000));
    if (p.sMoney < prices[0] && p.sMoney < prices[1] && p.sMoney < prices[2]) {
      WarningNomoney();
      return;
    }
    MakeMenu(f.mode, wkID);
    if (f.redrawPiece) WriteCharaSet(wkID, 0, 0, 0);
    if (p.sUser == 1) {
      WaitMenuCommand(f.mode);
      // Left outside a game loop: nothing is bought on a stale menu.
      if (!GameRunning()) return;
    } else {
      Menu().MenuChoice = f.computer(p, prices);
    }
    const std::string choice = Menu().MenuChoice;
    if (choice == "0") {
      form.PicMenu.setVisible(false);
      WriteMessage(f.farewell, false);
      return;
    }
    const int item = choice == "1" ? 1 : choice == "2" ? 2 : choice == "3" ? 3 : 0;
    if (item == 0) break;
    const int32_t cost = prices[static_cast<size_t>(item - 1)];
    if (p.sMoney < cost) {
      WarningNomoney();
      continue;
    }
    form.PicMenu.setVisible(false);
    f.buy(wkID, item, cost);
    return;
  }
  form.PicMenu.setVisible(false);
}

// The first of the items 3, 1, 2 the player can pay for.
std::string firstAffordable(int32_t gp, const Prices& price, std::array<int, 3> order) {
  for (int item : order)
    if (gp >= price[static_cast<size_t>(item - 1)]) return std::to_string(item);
  return "0";
}

void buyDrug(int32_t wkID, int item, int32_t cost) {
  if (item == 3) {
    Init21TimeAttack(wkID);
    return;
  }
  const int32_t herbs = item == 1 ? 1 : 3;
  PlayerPlus(wkID, -cost, herbs);
  WriteMessage(named(player(wkID)) + (item == 1 ? "は、薬草を１個、手に入れた" : "は、薬草を３個、手に入れた"), false);
}

void buyInn(int32_t wkID, int item, int32_t cost) {
  PlayerPlus(wkID, -cost, 0, 0, 0, 0, 0, item == 1 ? player(wkID).sLifeMax : 0);
  if (item == 1) WriteMessage("全回した", false);
  if (item == 2) Init21Slot(wkID);
  if (item == 3) Init21InnShateki(wkID);
}

void buySougou(int32_t wkID, int item, int32_t cost) {
  if (item == 1) {
    PlayerPlus(wkID, -cost, 0, 0, 0, 0, 0, player(wkID).sLifeMax);
    WriteMessage("全快した!", false);
  } else if (item == 2) {
    PlayerPlus(wkID, -cost, 2);
    WriteMessage("2個で、" + std::to_string(cost) + "GP 頂きます", false);
  } else {
    WriteMessage("力と、運と、体力がそれぞれ、1上がった!!", false);
    PlayerPlus(wkID, -cost, 0, 1, 1, 1);
  }
}

void playGame(int32_t wkID, int item, int32_t) {
  if (item == 1) Init21Slot(wkID);
  if (item == 2) Init21InnShateki(wkID);
  if (item == 3) Init21TimeAttack(wkID);
}

void train(int32_t wkID, int item, int32_t cost) {
  const int32_t gain = RandomRange(1, 4, 0);
  const std::string n = std::to_string(gain);
  if (item == 1) {
    PlayerPlus(wkID, -cost, 0, gain);
    WriteMessage("生命力が" + n + "上がった！", false);
  } else if (item == 2) {
    PlayerPlus(wkID, -cost, 0, 0, gain);
    WriteMessage("力が" + n + "上がった！", false);
  } else {
    PlayerPlus(wkID, -cost, 0, 0, 0, gain);
    WriteMessage("運が" + n + "上がった！", false);
  }
}

const Facility kDrug{
    "薬屋",
    "{0&2}薬屋です{0&}:",
    {"１個買う", "３個買う", "勝負"},
    [] {
      return Prices{price(1), priceTimes(1, 2.7), price(4)};
    },
    [](const PlayerRecord& p, const Prices& c) {
      return firstAffordable(p.sMoney, c, {2, 1, 3});
    },
    buyDrug,
    "まいど。",
    true,
};

const Facility kInn{
    "宿屋",
    "{0&2}宿屋です{0&}:",
    {"休憩", "賭博場", "射的場"},
    [] {
      return Prices{price(3), price(4), price(4)};
    },
    [](const PlayerRecord& p, const Prices& c) -> std::string {
      if (p.sLife < sys::divInt(p.sLifeMax, 2) && p.sMoney > c[0]) return "1";
      if (p.sMoney > c[1]) return "2";
      return "0";
    },
    buyInn,
    "またいらっしゃい。",
};

const Facility kSougou{
    "色々",
    "{0&2}色々{0&}:",
    {"休憩", "薬草２個", "訓練"},
    [] {
      return Prices{price(3), priceTimes(1, 1.9), priceTimes(0, 1.5)};
    },
    [](const PlayerRecord& p, const Prices& c) {
      return firstAffordable(p.sMoney, c, {3, 1, 2});
    },
    buySougou,
    "まいど。",
    true,
};

const Facility kGame{
    "ゲームセンター",
    "{0&2}ゲームセンター{0&}:",
    {"賭博場", "射的場", "ﾀｲﾑｱﾀｯｸ"},
    [] {
      return Prices{price(4), price(4), price(4)};
    },
    [](const PlayerRecord& p, const Prices& c) {
      return firstAffordable(p.sMoney, c, {3, 1, 2});
    },
    playGame,
    "まいど。",
    true,
};

const Facility kGymnasium{
    "道場",
    "{0&2}道場{0&}:",
    {"生命力", "攻撃力", "運"},
    [] {
      return Prices{price(0), price(0), price(0)};
    },
    [](const PlayerRecord& p, const Prices& c) {
      // Every chance is drawn; the last one that comes true with its item affordable stands.
      std::string choice = "0";
      if (ChanceAnd(Percent(90), p.sMoney >= c[0])) choice = "1";
      if (ChanceAnd(Percent(80), p.sMoney >= c[1])) choice = "2";
      if (ChanceAnd(Percent(80), p.sMoney >= c[2])) choice = "3";
      return choice;
    },
    train,
    "また寄りな!",
    false,
    true,
};

}  // namespace

void WarningNomoney() {
  WriteMessage("{1&F84}{1&F44}お金が足りませんよ～", false);
  WaitSec(Fixed::fromRaw(8000));
}

void Init20Drug(int32_t wkID) { Visit(wkID, kDrug); }

void Init20Inn(int32_t wkID) { Visit(wkID, kInn); }

void Init20Sougou(int32_t wkID) { Visit(wkID, kSougou); }

void Init20Game(int32_t wkID) { Visit(wkID, kGame); }

void Init20Gymnasium(int32_t wkID, bool) { Visit(wkID, kGymnasium); }
