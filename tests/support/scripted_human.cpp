#include "support/scripted_human.h"

#include "data/game_data.h"
#include "presentation/main_form.h"

namespace testing_support {

ScriptedHuman::ScriptedHuman(ui::HeadlessBackend& backend, uint64_t seed) : backend_(backend), random_(seed) {
  backend_.onIdle = [this] { act(); };
}

ScriptedHuman::~ScriptedHuman() { backend_.onIdle = nullptr; }

void ScriptedHuman::act() {
  if (before && before()) return;
  if (!frmMainExists()) return;
  MainForm& f = frmMain();
  if (!f.PicMenu.effectivelyVisible()) return;
  // A menu shown for a computer's turn (the sight of its shot, say) is not the human's to press.
  const GameData& g = Game();
  if (g.CurrentPlayer >= 0 && g.CurrentPlayer < 4 && g.Players[static_cast<size_t>(g.CurrentPlayer)].sUser == 2) return;
  std::vector<int> indexes;
  std::vector<std::string> keys;
  for (const auto& [i, b] : f.UcBtnMenu) {
    if (b->effectivelyVisible() && b->Enabled()) {
      indexes.push_back(i);
      keys.push_back(b->Tag);
    }
  }
  if (indexes.empty()) return;
  int pick = indexes[std::uniform_int_distribution<size_t>(0, indexes.size() - 1)(random_)];
  if (choose) pick = choose(indexes, keys);
  const UcButton* b = f.UcBtnMenu.find(pick);
  if (!b) return;
  const gfx::Rect r = b->frameRect();
  backend_.click(r.left + r.width() / 2, r.top + r.height() / 2);
  ++presses_;
  lastKey_ = b->Tag;
}

}  // namespace testing_support
