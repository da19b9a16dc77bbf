#include "support/random_human.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "data/game_data.h"
#include "data/save_slot.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "screens/frmLoad.h"
#include "screens/map_editor.h"
#include "screens/top_menu.h"
#include "support/autoplay.h"
#include "sys/path.h"
#include "system/startup.h"
#include "ui/keys.h"
#include "ui/toolkit.h"
#include "ui/window.h"

namespace testing_support {

namespace {

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string before(const std::string& s, std::string_view end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0
             ? s.substr(0, s.size() - end.size())
             : "";
}

// Anywhere below the top strip: the bar is pressed on purpose only, at its own odds.
const gfx::Rect kBelowTheBar = gfx::Rect::xywh(0, 24, 800, 576);

// The menu keys of the main window, the arrows and the blank keys among them.
const std::vector<int> kMenuKeys = {ui::kVkReturn, ui::kVkSpace, '1', '2', '3', '0', 'Z',         'X',
                                    'C',           'V',          97,  98,  99,  96,  ui::kVkLeft, ui::kVkRight};
const std::vector<int> kDialogKeys = {ui::kVkReturn, ui::kVkEscape, ui::kVkTab,  ui::kVkDelete,
                                      ui::kVkDown,   ui::kVkUp,     ui::kVkSpace};
// Pieces of slot names: plain, wide, the characters no file name may hold, blanks, dots.
const std::vector<std::string> kNameBits = {"a", "Z", "7", "セーブ", "勇者", "ｶﾅ", " ", ".",    "..",   "\\", "/",
                                            ":", "*", "?", "\"",     "<",    "|",  "~", ".dat", ".MAP", "\t", "名前"};

}  // namespace

RandomHuman::RandomHuman(uint64_t seed) : random_(seed) {}

RandomHuman::~RandomHuman() { detach(); }

void RandomHuman::attach(ui::HeadlessBackend& backend) {
  detach();
  backend_ = &backend;
  backend_->onIdle = [this] { act(); };
}

void RandomHuman::detach() {
  if (backend_) backend_->onIdle = nullptr;
  backend_ = nullptr;
}

bool RandomHuman::chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }

void RandomHuman::clickIn(const gfx::Rect& r) {
  if (r.width() <= 0 || r.height() <= 0) return;
  const int x = r.left + std::uniform_int_distribution<int>(0, r.width() - 1)(random_);
  const int y = r.top + std::uniform_int_distribution<int>(0, r.height() - 1)(random_);
  backend_->click(x, y);
}

void RandomHuman::pressTop(const std::string& tag) {
  if (!frmMainExists()) return;
  UcButton* b = frmMain().UcBtnClose.find(GetTagToIndex(tag));
  if (b && b->Tag == tag && b->effectivelyVisible()) clickIn(b->frameRect());
}

std::string RandomHuman::randomName() {
  if (!names_.empty() && chance(0.2)) return pick(names_);
  std::string name;
  const int length = chance(0.02) ? 300 : std::uniform_int_distribution<int>(0, 8)(random_);
  for (int i = 0; i < length; ++i) name += pick(kNameBits);
  names_.push_back(name);
  return name;
}

void RandomHuman::betweenFrames() {
  if (!backend_ || !chance(0.003)) return;
  ++actions;
  const int r = std::uniform_int_distribution<int>(0, 99)(random_);
  if (r < 60) {
    backend_->key(pick(kMenuKeys));
  } else if (r < 85) {
    clickIn(kBelowTheBar);
  } else if (r < 95) {
    pressTop(chance(0.5) ? "保存" : "画面");
  } else if (chance(leaveChance * 50)) {
    backend_->key(ui::kVkEscape);
  }
}

void RandomHuman::act() {
  if (!backend_) return;
  ++actions;
  if (backend_->minimized()) {
    backend_->restore();
    return;
  }
  ui::Window* active = ui::activeWindow();
  if (!active) return;
  if (active == ui::mainWindow())
    actInMain();
  else
    actInDialog();
}

void RandomHuman::actInMain() {
  if (!frmMainExists()) return;
  MainForm& f = frmMain();
  // Waiting for input inside a game that was left, or a game's bar with no game behind it.
  if (GameLoopRunning() && !GameRunning()) faults.push_back("a wait for input inside a game that was left");
  if (!GameLoopRunning() && f.PicStatusUp.Tag == "開始" && f.UcBtnClose[GetTagToIndex("保存")].visible())
    faults.push_back("the game's bar on show with no game running");

  if (chance(leaveChance)) {
    if (chance(0.5))
      pressTop("戻る");
    else
      backend_->key(ui::kVkEscape);
    return;
  }
  const int r = std::uniform_int_distribution<int>(0, 999)(random_);
  if (r < 40) {
    const std::vector<std::string> top = {"保存", "保存", "保存", "画面", "最小化"};
    pressTop(pick(top));
    return;
  }
  if (r < 90) {
    clickIn(kBelowTheBar);
    return;
  }
  if (r < 180) {
    backend_->key(pick(kMenuKeys));
    return;
  }
  std::vector<const UcButton*> shown;
  for (const auto& [i, b] : f.UcBtnMenu)
    if (b->effectivelyVisible() && b->effectivelyEnabled()) shown.push_back(b);
  if (shown.empty()) {
    backend_->key(pick(kMenuKeys));
    return;
  }
  clickIn(pick(shown)->frameRect());
}

// What the message boxes say of the slots: a save done, a deletion asked for.
void RandomHuman::watchDialog() {
  ui::Window* w = ui::activeWindow();
  if (w->caption() == "保存完了") {
    const std::string name = before(w->Tag, "を保存しました");
    if (!name.empty() && saved_.insert(lower(name)).second) ++saves;
  } else if (w->caption() == "削除の確認") {
    saved_.erase(lower(before(w->Tag, "を削除してもよろしいですか?")));
  }
}

void RandomHuman::actInDialog() {
  ui::Window* w = ui::activeWindow();
  watchDialog();
  ui::Control* focus = w->activeControl();
  const int r = std::uniform_int_distribution<int>(0, 99)(random_);
  if (focus && focus->wantsTextInput() && r < 35) {
    backend_->text(randomName());
    return;
  }
  if (r < 55) {
    backend_->key(pick(kDialogKeys));
    return;
  }
  std::vector<const ui::Control*> shown;
  for (const auto& c : w->controls())
    if (c->effectivelyVisible() && c->effectivelyEnabled()) shown.push_back(c.get());
  if (shown.empty())
    backend_->key(pick(kDialogKeys));
  else
    clickIn(pick(shown)->frameRect());
}

std::vector<std::string> CheckSavedSlots(const RandomHuman& human) {
  std::vector<std::string> faults;
  std::set<std::string> names;
  for (const std::string& name : human.saved()) names.insert(name);
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(sys::resolvePath(Game().DatFolder), ec)) {
    const std::string file = e.path().filename().string();
    if (file.size() > 4 && lower(file.substr(file.size() - 4)) == ".dat")
      names.insert(lower(file.substr(0, file.size() - 4)));
  }
  for (const std::string& name : names)
    if (CheckSlot(name) != SlotStatus::Ok)
      faults.push_back("the slot \"" + name + "\" no longer loads" + (human.saved().count(name) ? " (saved)" : ""));
  return faults;
}

RandomGames PlayRandomGames(HeadlessProgram& program, const RandomGamesOptions& options) {
  RandomGames run;
  std::mt19937_64 random(options.seed);
  RandomHuman human(options.seed + 1);
  bool lastLeft = false;
  int ends = program.ends();
  for (int n = 0; n < options.games; ++n) {
    // Presses queued as a game was left act on the title: "終了" may end the program (it starts
    // again over the same folder), "マップ" open the editor, "最小化" hide the window.
    if (program.ends() != ends || AppEnded()) {
      ++run.quits;
      program.restart(options.seed + static_cast<uint64_t>(n));
      ends = program.ends();
    }
    if (program.backend().minimized()) program.backend().restore();
    if (frmMain().PicStatusUp.Tag != "ゲーム") {
      SetMapChanged(false);
      MakeTopMenu("ゲーム");
    }
    program.pump();
    AutoplayOptions o;
    o.seed = random() % 1000000;
    o.map = static_cast<int32_t>(random() % 3 + 1);
    o.passLimit = options.passLimit;
    o.withoutBosses = options.withoutBosses;
    o.randomHuman = &human;
    for (int32_t& kind : o.seats) kind = static_cast<int32_t>(random() % 3);
    o.seats[random() % 4] = 1;
    const double leaveChances[] = {0, 0.002, 0.01};
    human.leaveChance = leaveChances[random() % 3];
    o.resume = lastLeft && !human.saved().empty() && random() % 2 == 0;

    const PlayedGame g = Autoplay(program, o);
    std::string seats;
    for (int32_t kind : o.seats) seats += std::to_string(kind);
    const std::string game = "game " + std::to_string(n + 1) + " (map " + std::to_string(o.map) + ", seats " + seats +
                             ", seed " + std::to_string(o.seed) + (o.resume ? ", 読込み" : "") + ")";
    const char* end = g.hung ? "hung" : !g.started ? "nothing loaded" : g.goal ? "goal" : "left";
    ++run.played;
    run.goals += g.goal;
    run.left += g.started && g.left;
    run.resumed += o.resume && g.started;
    run.notLoaded += !g.started;
    lastLeft = !g.started || (g.left && g.passes <= options.passLimit);
    std::vector<std::string> faults = g.faults;
    faults.insert(faults.end(), human.faults.begin(), human.faults.end());
    human.faults.clear();
    for (const std::string& f : CheckSavedSlots(human)) faults.push_back(f);
    if (GameLoopRunning()) faults.push_back("a game loop left on the stack");
    if (ui::activeWindow() != ui::mainWindow()) faults.push_back("a dialog still open on the title");
    if (!o.resume && !g.started && !g.hung) faults.push_back("\"開始\" started no game");
    for (const std::string& f : faults) run.faults.push_back(game + ": " + f);
    if (options.print) {
      std::printf("%s: %s after %d passes, %zu turns; %zu slots kept\n", game.c_str(), end, g.passes, g.turns.size(),
                  human.saved().size());
      for (const std::string& f : faults) std::printf("  FAULT %s\n", f.c_str());
      std::fflush(stdout);
    }
  }
  run.actions = human.actions;
  run.saves = human.saves;
  return run;
}

}  // namespace testing_support
