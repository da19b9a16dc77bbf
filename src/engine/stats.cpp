#include "engine/stats.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "data/game_data.h"
#include "presentation/status_panel.h"
#include "sys/number.h"
#include "sys/text.h"
#include "system/utility.h"

void PlayerPlus(int32_t wkID, int32_t wkGp, int32_t wkDrug, int32_t wkLifeMax, int32_t wkStr, int32_t wkLuck,
                int32_t wkExp, int32_t wkLife, int32_t wkScore, int32_t wkScoreAll, bool AllScore) {
  if (wkID < 0 || wkID > 4) return;
  PlayerRecord& p = Game().Players[static_cast<size_t>(wkID)];
  // Sums saturate rather than wrap: a wrapped total would turn a rich player poor.
  auto add = [](int32_t& field, int32_t amount) { field = sys::clampInt(int64_t{field} + amount); };
  add(p.sMoney, wkGp);
  add(p.sDrug, wkDrug);
  add(p.sLifeMax, wkLifeMax);
  add(p.sLife, wkLife);
  add(p.sStr, wkStr);
  add(p.sLuck, wkLuck);
  add(p.sExp, wkExp);
  add(p.sScore, wkScore);
  add(p.sScoreAll, wkScoreAll);
  if (wkID != 4) WriteScore(wkID, AllScore, false);
}

void LevelUp(int32_t ID) {
  if (ID < 0 || ID > 4) return;
  PlayerRecord& p = Game().Players[static_cast<size_t>(ID)];
  // Real division, truncated: the raw fixed-point value keeps whole quotients exact.
  const double life = static_cast<double>(p.sLifeMaxAd.raw()) / (5.0 * Fixed::kScale) + p.sLevel / 2.0;
  const int32_t gain = sys::Fix(life);
  const int32_t str = sys::Fix(p.sStrAd);
  const int32_t luck = sys::Fix(p.sLuckAd);
  p.sLevel = sys::clampInt(int64_t{p.sLevel} + 1);
  PlayerPlus(ID, 0, 0, gain, str, luck, 0, gain, 0, 0, false);
}

int32_t SetRanking() {
  GameData& g = Game();
  // The eight-digit text with the seat after a comma sorts as the hidden sorted list did:
  // ascending total, and on equal totals the higher seat later.
  std::vector<std::string> items;
  for (int i = 0; i < 4; ++i) {
    const PlayerRecord& p = g.Players[static_cast<size_t>(i)];
    if (p.sUser != 0)
      items.push_back(sys::format(static_cast<double>(p.sScoreAll), "00000000") + "," + std::to_string(i));
  }
  if (items.empty()) return 0;
  std::sort(items.begin(), items.end());
  const int32_t n = static_cast<int32_t>(items.size());
  int32_t seat = 0;
  for (int32_t j = 0; j < n; ++j) {
    seat = static_cast<int32_t>(sys::val(GetField(items[static_cast<size_t>(j)], 2, ",")));
    g.Players[static_cast<size_t>(seat)].sRank = n - j;
  }
  return seat;
}

void PlayerPlusAll() {
  GameData& g = Game();
  for (;;) {
    WaitSec(0);
    bool moved = false;
    for (int i = 0; i < 4; ++i) {
      PlayerRecord& p = g.Players[static_cast<size_t>(i)];
      if (p.sUser == 0 || p.sBonus <= 0) continue;
      const int32_t step = p.sBonus >= 100 ? 100 : p.sBonus >= 10 ? 10 : 1;
      p.sScoreAll = sys::clampInt(int64_t{p.sScoreAll} + step);
      p.sBonus -= step;
      moved = true;
      SetRanking();
      WriteScore(i, true, true);
    }
    if (!moved) break;
    WaitSec(Fixed::fromRaw(50));
  }
  SetRanking();
  for (int i = 0; i < 4; ++i)
    if (g.Players[static_cast<size_t>(i)].sUser != 0) WriteScore(i, true, true);
}
