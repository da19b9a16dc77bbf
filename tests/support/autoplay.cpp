#include "support/autoplay.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "data/board.h"
#include "data/game_data.h"
#include "presentation/controls/UCFont.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "screens/frmLoad.h"
#include "screens/map_select.h"
#include "screens/top_menu.h"
#include "support/random_human.h"
#include "support/scripted_human.h"
#include "sys/clock.h"
#include "sys/number.h"
#include "sys/text.h"
#include "system/picture_store.h"
#include "system/random.h"
#include "ui/keys.h"

namespace testing_support {

namespace {

constexpr std::string_view kTurnLineEnd = "の番{0&}:";
constexpr std::string_view kTallyLine = "おつかれさまでした。それでは、スコア集計です";
constexpr std::string_view kLastLine = "おつかれさまでした";

// Thrown from a wait when the watchdog sees no progress.
struct Hung {};

// The program's clock, counting its timed waits; the watchdog runs on each.
class CountingClock final : public sys::Clock {
 public:
  CountingClock(sys::Clock& inner, int64_t bound) : inner_(inner), bound_(bound) {}
  int64_t now() override { return inner_.now(); }
  int64_t frequency() const override { return inner_.frequency(); }
  void waitUntil(int64_t tick) override {
    if (++waits - progress > bound_) throw Hung{};
    if (onWait) onWait();
    inner_.waitUntil(tick);
  }
  int64_t waits = 0;
  int64_t progress = 0;  // the count when the game last wrote a message
  std::function<void()> onWait;

 private:
  sys::Clock& inner_;
  int64_t bound_;
};

bool endsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// "５コマ右へ": the distance of a roll, in full-width digits.
std::optional<int32_t> rollOf(const std::string& plain) {
  const size_t koma = plain.find("コマ");
  if (koma == std::string::npos || koma == 0 || !endsWith(plain, "へ")) return std::nullopt;
  const std::optional<double> n = sys::parseNumber(sys::strConv(plain.substr(0, koma), sys::kNarrow));
  if (!n) return std::nullopt;
  return static_cast<int32_t>(*n);
}

class Watch {
 public:
  Watch(PlayedGame& game, const AutoplayOptions& options) : game_(game), options_(options) {}

  void message(std::string_view text, bool keepOpen) {
    last_ = text;
    closed_ = closed_ || text == kLastLine;
    if (keepOpen && endsWith(text, kTurnLineEnd)) {
      turnLine();
      return;
    }
    const std::string plain = UCFont::GetTextNatural(text);
    if (plain == kTallyLine) {
      finishTurn();
      ++game_.tallies;
      return;
    }
    if (!current_) return;
    fights(plain);
    if (current_->roll == 0 && current_->events.empty())
      if (std::optional<int32_t> roll = rollOf(plain)) {
        current_->roll = *roll;
        return;
      }
    current_->events.push_back(plain);
  }

  bool leftAtBound() const { return leftAtBound_; }
  // Nothing written since the game was asked for.
  bool quiet() const { return last_.empty(); }

  // After the game: the closing checks.
  void end() {
    const GameData& g = Game();
    left_ = left_ || frmMain().PicStatusUp.Tag != "開始";
    game_.left = left_;
    if (left_ && fight_ != Fight::None) {
      game_.leftIn = fight_ == Fight::Battle ? "battle" : "duel";
      // A fight left has no winner: a boss stays unbeaten.
      if (boss_ > 0) checkBoss(false);
      fight_ = Fight::None;
    }
    // A turn cut short by a leave is not checked: the title has put its own map on the board.
    finishTurn(!left_);
    game_.passes = g.TurnCount;
    // A random human's presses after the leave act on the title and may write after the game.
    if (options_.randomHuman ? !closed_ : last_ != kLastLine) fault("the last line is \"" + last_ + "\"");
    if (GameLoopRunning()) fault("a game loop is still on the stack");
    if (left_) {
      if (game_.tallies != 0) fault("a tally after the game was left");
      const MainForm& f = frmMain();
      if (f.PicMenu.visible() || f.PicDice.visible() || f.PicWinBase.visible())
        fault("the menu, the die or the event window is still up after leaving");
      return;
    }
    game_.goal = game_.tallies == 1;
    if (game_.tallies != 1) fault(std::to_string(game_.tallies) + " tallies");
    bool finished = false;
    for (size_t i = 0; i < 4; ++i) finished = finished || (g.Players[i].sUser != 0 && g.Players[i].EndingFlug);
    if (!finished) fault("the game ended with nobody at the goal");
    if (!game_.turns.empty() && game_.turns.back().pass != g.TurnCount)
      fault("the pass of the goal was counted: " + std::to_string(g.TurnCount));
    for (size_t i = 0; i < 4; ++i) {
      const PlayerRecord& p = g.Players[i];
      const int64_t want = p.sUser == 0 ? 0
                                        : int64_t{p.sScore} + (int64_t{p.sStr} + p.sLuck) * 2 + p.sDrug +
                                              int64_t{p.sMoney} * 2 + int64_t{p.sLevel} * 5 + (p.EndingFlug ? 300 : 0);
      if (p.sScoreAll != want)
        fault("seat " + std::to_string(i) + " totals " + std::to_string(p.sScoreAll) + ", not " + std::to_string(want));
    }
  }

 private:
  void turnLine() {
    const GameData& g = Game();
    const int32_t seat = g.CurrentPlayer, pass = g.TurnCount;
    // The same seat asked again in its own turn (after a herb).
    if (current_ && current_->seat == seat && current_->pass == pass) return;
    finishTurn();
    const Turn* before = game_.turns.empty() ? nullptr : &game_.turns.back();
    const int32_t want = before ? before->pass + (seat <= before->seat ? 1 : 0) : 1;
    current_.emplace();
    current_->pass = pass;
    current_->seat = seat;
    times_ = g.Players[static_cast<size_t>(seat)].sTimes;
    // A loaded game goes on from the pass it was saved in.
    const bool resumed = !before && (!options_.load.empty() || options_.resume);
    if (!before)
      for (size_t i = 0; i < 4; ++i) {
        if (g.Players[i].sScore != 0 && !resumed) fault("a new game starts with a score");
        seats_[i] = g.Players[i];
      }
    if (pass != want && !resumed)
      fault("the pass counter reads " + std::to_string(pass) + ", not " + std::to_string(want));
    if (pass > options_.passLimit && !left_) {
      // Leave as the top bar does: the mark changes and every wait of the game sees it.
      left_ = leftAtBound_ = true;
      frmMain().PicStatusUp.Tag = "ゲーム";
    }
  }

  // The battles and duels of the turn, by their opening and closing lines.
  void fights(const std::string& plain) {
    const GameData& g = Game();
    const size_t seat = static_cast<size_t>(current_->seat);
    const bool battle = endsWith(plain, "だっ!") || endsWith(plain, "が、いきなり襲ってきた!");
    const bool duel = endsWith(plain, "と遭遇した!");
    if (battle || duel) {
      if (fight_ != Fight::None) fault("a fight starts inside another: " + plain);
      if (boss_ > 0) checkBoss(won_);
      // A later fight of the turn is still the mover's, whatever the last one left behind.
      if (g.CurrentPlayer != current_->seat)
        fault("a fight starts with player " + std::to_string(g.CurrentPlayer) + " current: " + plain);
      fight_ = battle ? Fight::Battle : Fight::Duel;
      // Only a boss meeting counts a meeting (its greeting comes before the battle's line).
      boss_ = 0;
      const PlayerRecord& p = g.Players[seat];
      for (size_t n = 1; n < p.sTimes.size(); ++n)
        if (battle && p.sTimes[n] != times_[n]) boss_ = static_cast<int32_t>(n);
      return;
    }
    const bool battleWon = endsWith(plain, "の勝利!:"), battleLost = endsWith(plain, "は、敗れた・・・");
    if (battleWon || battleLost) {
      if (fight_ != Fight::Battle) fault("a battle's outcome with no battle running: " + plain);
      ++game_.battles;
      won_ = battleWon;
      if (boss_ > 0 && won_) ++game_.bossesBeaten;
      fight_ = Fight::None;
    } else if (endsWith(plain, "の勝利!")) {
      if (fight_ != Fight::Duel) fault("a duel's outcome with no duel running: " + plain);
      ++game_.duels;
      fight_ = Fight::None;
    }
  }

  // A boss is marked beaten (its meetings read 10) after a win, and only then.
  void checkBoss(bool beaten) {
    const PlayerRecord& p = Game().Players[static_cast<size_t>(current_->seat)];
    const int32_t n = boss_, met = p.sTimes[static_cast<size_t>(n)];
    const int32_t want = beaten ? 10 : times_[static_cast<size_t>(n)] + 1;
    if (met != want)
      fault("boss " + std::to_string(n) + " met " + std::to_string(met) + " times after a " +
            (beaten ? "win" : "fight without a win") + ", not " + std::to_string(want));
    boss_ = 0;
    times_ = p.sTimes;
  }

  void finishTurn(bool check = true) {
    if (!current_) return;
    if (fight_ != Fight::None) fault(std::string(fight_ == Fight::Battle ? "a battle" : "a duel") + " with no outcome");
    fight_ = Fight::None;
    if (boss_ > 0) checkBoss(won_);
    const PlayerRecord& p = Game().Players[static_cast<size_t>(current_->seat)];
    current_->column = p.xPosMap;
    current_->row = p.EndingFlug ? -1 : p.yPosMap;
    game_.turns.push_back(*current_);
    current_.reset();
    if (check) checkSeats();
  }

  void checkSeats() {
    const GameData& g = Game();
    for (size_t i = 0; i < 4; ++i) {
      const PlayerRecord& p = g.Players[i];
      if (p.sUser == 0) continue;
      const std::string who = "seat " + std::to_string(i) + " ";
      const PlayerRecord& was = seats_[i];
      if (p.sName != was.sName || p.sColor != was.sColor || p.sChara != was.sChara || p.sUser != was.sUser)
        fault(who + "is now " + p.sName + " (" + std::to_string(p.sUser) + "), not " + was.sName);
      auto within = [&](const char* name, int64_t v, int64_t low, int64_t high) {
        if (v < low || v > high)
          fault(who + name + " " + std::to_string(v) + " outside " + std::to_string(low) + ".." + std::to_string(high));
      };
      within("level", p.sLevel, 1, 99);
      within("GP", p.sMoney, 0, 999);
      within("herbs", p.sDrug, 0, 999);
      within("maximum life", p.sLifeMax, 1, 129);
      within("life", p.sLife, 0, p.sLifeMax);
      within("strength", p.sStr, 1, 99);
      within("luck", p.sLuck, 1, 99);
      within("experience", p.sExp, 0, int64_t{p.sExpNext} - 1);
      if (p.EndingFlug) continue;
      const int32_t c = p.xPosMap, r = p.yPosMap;
      if (c < 0 || c >= kPlayColumns || r < 0 || r >= kPlayRows || p.xPos != c * 32 || p.yPos != r * 32) {
        fault(who + "stands at pixel " + std::to_string(p.xPos) + "," + std::to_string(p.yPos) + ", cell " +
              std::to_string(c) + "," + std::to_string(r));
        continue;
      }
      const std::string kind = CellKindName(g.Board[static_cast<size_t>(c)][static_cast<size_t>(r)].Code);
      if (kind == "壁" || kind == "ハシゴ")
        fault(who + "stands on " + kind + " at " + std::to_string(c) + "," + std::to_string(r));
    }
  }

  void fault(const std::string& what) {
    const std::string where = game_.turns.empty() ? "before the first turn"
                                                  : "after turn " + std::to_string(game_.turns.back().pass) + "." +
                                                        std::to_string(game_.turns.back().seat);
    game_.faults.push_back(what + " (" + where + ")");
  }

  enum class Fight { None, Battle, Duel };

  PlayedGame& game_;
  const AutoplayOptions& options_;
  std::optional<Turn> current_;
  std::array<PlayerRecord, 4> seats_;  // the seats as the game began
  Fight fight_ = Fight::None;
  int32_t boss_ = 0;                // the boss of the battle fought or just over
  bool won_ = false;                // the last battle's outcome for the seat
  std::array<int32_t, 6> times_{};  // the seat's boss meetings before the boss's greeting
  std::string last_;
  bool left_ = false, leftAtBound_ = false, closed_ = false;
};

}  // namespace

std::string Turn::text() const {
  std::string s = std::to_string(pass) + "." + std::to_string(seat) + " r" + std::to_string(roll) + " (" +
                  std::to_string(column) + "," + std::to_string(row) + ")";
  for (size_t i = 0; i < events.size(); ++i) s += (i ? "|" : " ") + events[i];
  return s;
}

std::string PlayedGame::log() const {
  std::string s;
  for (const Turn& t : turns) s += t.text() + "\n";
  return s;
}

std::string PlayedGame::report() const {
  std::string s;
  for (const std::string& f : faults) s += f + "\n";
  return s + log();
}

PlayedGame Autoplay(HeadlessProgram& program, const AutoplayOptions& options) {
  GameData& g = Game();
  const bool load = !options.load.empty();
  if (!load) {
    g.PlayerKinds = options.seats;
    g.StageNo = options.map;
    Init05MapSelect(g.StageNo);
    if (options.withoutBosses) {
      for (auto& column : g.Board)
        for (MapCell& cell : column)
          if (CellKindName(cell.Code) == "ヴォラク") SetMapCell(cell, "00");
      Hooks().DrawMap();
    }
  }

  PlayedGame game;
  Watch watch(game, options);
  CountingClock counting(program.clock(), options.waitsWithoutMessage);
  MessageWindow& mw = messageWindow();
  auto before = mw.onWrite;
  mw.onWrite = [&](std::string_view text, bool keepOpen) {
    if (before) before(text, keepOpen);
    counting.progress = counting.waits;
    watch.message(text, keepOpen);
  };
  std::unique_ptr<ScriptedHuman> human;
  if (RandomHuman* r = options.randomHuman) {
    r->attach(program.backend());
    counting.onWait = [r] { r->betweenFrames(); };
  } else {
    // A loaded game's seats are not known before the load: its human is there in case.
    for (int32_t kind : options.seats)
      if ((kind == 1 || load) && !human) human = std::make_unique<ScriptedHuman>(program.backend(), options.humanSeed);
  }
  auto click = [&](const ui::Control& c) {
    const gfx::Rect r = c.frameRect();
    program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
  };
  int32_t waits = 0;
  bool loadAsked = false;
  if (human)
    human->before = [&] {
      // The dialog of the title's "読込み": the slot's name, then its "開始". A refused slot
      // leaves its box and the dialog up, and Escape closes each.
      if (load && frmLoadExists() && frmLoad().window.visible()) {
        if (loadAsked) {
          program.backend().key(ui::kVkEscape);
        } else {
          loadAsked = true;
          frmLoad().txtName.setText(options.load);
          click(frmLoad().cmdStart[0]);
        }
        return true;
      }
      ++waits;
      if (options.atHumanWait && options.atHumanWait(waits)) return true;
      if (waits != options.leaveAtWait) return false;
      if (waits % 2)
        click(frmMain().UcBtnClose[GetTagToIndex("戻る")]);
      else
        program.backend().key(ui::kVkEscape);
      return true;
    };

  sys::setClock(&counting);
  const int64_t start = counting.now();
  RandomSeed(options.seed);
  bool started = false;
  try {
    program.click(frmMain().UcBtnClose[GetTagToIndex(load || options.resume ? "読込み" : "開始")]);
    started = GameLoopRunning() || !watch.quiet();
  } catch (const Hung&) {
    game.hung = true;
  }
  if (options.randomHuman) options.randomHuman->detach();
  game.gameSeconds = static_cast<double>(counting.now() - start) / static_cast<double>(counting.frequency());
  game.waits = counting.waits;
  sys::setClock(&program.clock());
  if (game.hung) {
    mw.onWrite = before;
    human.reset();
    game.faults.push_back("hung: " + std::to_string(options.waitsWithoutMessage) +
                          " waits without a message after turn " +
                          (game.turns.empty() ? std::string("none") : game.turns.back().text()));
    program.restart(options.seed);
    return game;
  }
  if (options.resume && !started) {
    // The human closed the dialog without a load: no game to check.
    game.started = false;
    mw.onWrite = before;
    return game;
  }
  if (load && frmPic().window.Tag != "OK") {
    mw.onWrite = before;
    game.faults.push_back("the slot " + options.load + " was not loaded");
    return game;
  }

  watch.end();
  mw.onWrite = before;
  human.reset();
  // Back to the title: an ended game waits for "戻る"; the bar's leave built the title already,
  // the driver's own leave did not.
  if (!game.left)
    program.click(frmMain().UcBtnClose[GetTagToIndex("戻る")]);
  else if (watch.leftAtBound())
    MakeTopMenu("ゲーム");
  return game;
}

}  // namespace testing_support
