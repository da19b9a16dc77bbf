#include "support/scripted_human.h"

#include "data/game_data.h"
#include "presentation/main_form.h"
#include "sys/clock.h"
#include "ui/keys.h"

namespace testing_support {

namespace {

// The "はい" button when a human seat's one-button menu shows it ready for a press.
const UcButton* yesButton() {
  if (!frmMainExists()) return nullptr;
  MainForm& f = frmMain();
  if (f.PicMenu.Tag != "はい" || !f.PicMenu.effectivelyVisible()) return nullptr;
  const UcButton* b = f.UcBtnMenu.find(0);
  if (!b || !b->effectivelyVisible() || !b->Enabled()) return nullptr;
  for (int i = 0; i < 4; ++i)
    if (f.PicMenu.container() == &f.PicPlayer[i])
      return Game().Players[static_cast<size_t>(i)].sUser == 1 ? b : nullptr;
  return nullptr;
}

}  // namespace

ScriptedHuman::ScriptedHuman(ui::HeadlessBackend& backend, uint64_t seed) : backend_(backend), random_(seed) {
  backend_.onIdle = [this] { act(); };
  backend_.onPoll = [this] { hold(); };
}

ScriptedHuman::~ScriptedHuman() {
  backend_.onIdle = nullptr;
  backend_.onPoll = nullptr;
}

void ScriptedHuman::hold() {
  sys::Clock& clock = sys::clock();
  if (holding_) {
    if (clock.now() < releaseAt_) return;
    holding_ = false;
    if (heldKey_ != 0) {
      backend_.keyUp(heldKey_);
    } else {
      backend_.mouseUp(heldX_, heldY_);
    }
    return;
  }
  const UcButton* b = yesButton();
  if (!b) return;
  static const int kKeys[] = {0, ui::kVkSpace, ui::kVkReturn, 'Z'};
  heldKey_ = kKeys[std::uniform_int_distribution<size_t>(0, 3)(random_)];
  const double seconds = std::uniform_real_distribution<double>(holdMin, holdMax)(random_);
  releaseAt_ = clock.now() + static_cast<int64_t>(seconds * static_cast<double>(clock.frequency()));
  holding_ = true;
  if (heldKey_ != 0) {
    backend_.keyDown(heldKey_);
  } else {
    const gfx::Rect r = b->frameRect();
    heldX_ = r.left + r.width() / 2;
    heldY_ = r.top + r.height() / 2;
    backend_.mouseMove(heldX_, heldY_);
    backend_.mouseDown(heldX_, heldY_);
  }
  ++presses_;
  lastKey_ = b->Tag;
}

void ScriptedHuman::act() {
  if (before && before()) return;
  if (holding_) return;
  if (!frmMainExists()) return;
  MainForm& f = frmMain();
  if (!f.PicMenu.effectivelyVisible() || yesButton()) return;
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
