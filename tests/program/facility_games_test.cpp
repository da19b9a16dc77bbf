// Whole games on a board of shops: every cell between the start and the goal is a facility, so a
// few seeded games stop at each one and play each of the three games, computers alone and with a
// scripted human; and a game left at a shop or in one of its games unwinds cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "presentation/controls/UCFont.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "presentation/message.h"
#include "support/autoplay.h"
#include "support/floor_map.h"
#include "support/headless_program.h"
#include "ui/keys.h"

namespace {

using testing_support::Autoplay;
using testing_support::AutoplayOptions;
using testing_support::PlayedGame;

// The herb shop, the inn, the general store, the game centre, the dojo and the dark dojo, twice.
const std::vector<std::string> kShops = {"82", "80", "90", "92", "81", "91", "82", "80", "90", "92", "81", "91"};

// What a line of the turn log shows: a shop's price list, or a game's first or last line.
const std::map<std::string, std::vector<std::string>> kSigns = {
    {"herb shop", {"薬屋です"}},
    {"inn", {"宿屋です"}},
    {"general store", {"色々:"}},
    {"game centre", {"ゲームセンター:"}},
    {"dojo", {"道場:"}},
    {"slot", {"5秒以内にストップって、言って下さい。"}},
    {"slot ends", {"惜しかったねぇ。", "はーい。おめでとさんね。"}},
    {"gallery", {"店主「当たったらあげるよ。"}},
    {"gallery ends", {"店主「お見事」", "店主「よくぞ挑んだ」", "店主「ありゃー"}},
    {"time attack", {"秒後に、放してください"}},
    {"time attack ends", {"あなたのタイム"}},
};

std::string signOf(const std::string& event) {
  for (const auto& [what, signs] : kSigns)
    for (const std::string& s : signs)
      if (event.find(s) != std::string::npos) return what;
  return "";
}

// The sanitizer build plays one game where the other plays four, and leaves by "戻る" only.
#ifdef __SANITIZE_ADDRESS__
constexpr uint64_t kGames = 1;
constexpr bool kLeaveKeys[] = {false};
#else
constexpr uint64_t kGames = 4;
constexpr bool kLeaveKeys[] = {false, true};
#endif

class ShopGames : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::WriteFloorMap(program.folder().path(), "98-Shops.map", kShops);
    program.start(1);
  }
  // Plays the game to its goal and counts what its turns show.
  void play(const AutoplayOptions& o) {
    SCOPED_TRACE(o.seed);
    const PlayedGame g = Autoplay(program, o);
    ASSERT_TRUE(g.faults.empty()) << g.report();
    ASSERT_TRUE(g.goal) << g.log();
    for (const testing_support::Turn& t : g.turns) {
      // Each game begun in a turn (the slot's replays begin it again) ends in that turn.
      std::string open;
      for (const std::string& e : t.events) {
        const std::string what = signOf(e);
        ++seen[what];
        if (what == "slot" || what == "gallery" || what == "time attack") open = what;
        if (!open.empty() && what == open + " ends") open.clear();
      }
      EXPECT_EQ(open, "") << t.text();
    }
  }

  testing_support::HeadlessProgram program{false};
  std::map<std::string, int> seen;
};

TEST_F(ShopGames, ComputersStopAtEveryShopAndPlayTheSlotAndTheTimeAttack) {
  for (uint64_t seed = 1; seed <= kGames; ++seed) play({.seed = seed, .map = 4});
  if (kGames == 4)
    for (const char* what : {"herb shop", "inn", "general store", "game centre", "dojo", "slot", "time attack"})
      EXPECT_GT(seen[what], 0) << what;
  // A computer never chooses the gallery.
  EXPECT_EQ(seen["gallery"], 0);
}

TEST_F(ShopGames, AHumanStopsAtEveryShopAndPlaysEachGame) {
  for (uint64_t seed = 1; seed <= kGames; ++seed)
    play({.seed = seed, .map = 4, .seats = {1, 2, 2, 0}, .humanSeed = seed});
  if (kGames == 4)
    for (const auto& [what, signs] : kSigns) EXPECT_GT(seen[what], 0) << what;
}

// Left at a shop's menu or in the middle of one of its games, by "戻る" and by Escape: the
// autoplay's checks hold (no tally, nothing of the game on show, the next game fresh) and nothing
// is acted on after the leave: the shop's list or the game's first line is the game's last line
// before the title's.
TEST_F(ShopGames, AGameLeftAtAShopOrInAGameUnwinds) {
  std::string last;  // what the last line written shows
  messageWindow().onWrite = [&](std::string_view text, bool) { last = signOf(UCFont::GetTextNatural(text)); };
  auto menu = [](const char* mode) { return [mode] { return Menu().MenuCommand == mode; }; };
  auto playing = [&last](const char* game) { return [&last, game] { return last == game; }; };
  const std::pair<const char*, std::function<bool()>> cases[] = {
      {"herb shop", menu("薬屋")},     {"inn", menu("宿屋")},
      {"general store", menu("色々")}, {"game centre", menu("ゲームセンター")},
      {"dojo", menu("道場")},          {"slot", playing("slot")},
      {"gallery", playing("gallery")}, {"time attack", playing("time attack")},
  };
  for (bool escape : kLeaveKeys) {
    for (const auto& [where, now] : cases) {
      SCOPED_TRACE(std::string(where) + (escape ? " Escape" : " 戻る"));
      // The human's choices are its own numbers: the first of them that comes there.
      PlayedGame g;
      for (uint64_t human = 1; human <= 20 && !g.left; ++human) {
        last.clear();
        bool leaving = false;
        auto leave = [&, escape = escape, now = now](int32_t) {
          if (leaving || !now()) return false;
          leaving = true;
          if (escape) {
            program.backend().key(ui::kVkEscape);
          } else {
            const gfx::Rect r = frmMain().UcBtnClose[GetTagToIndex("戻る")].frameRect();
            program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
          }
          return true;
        };
        g = Autoplay(program, {.seed = 2, .map = 4, .seats = {1, 2, 0, 0}, .humanSeed = human, .atHumanWait = leave});
        ASSERT_TRUE(g.faults.empty()) << g.report();
      }
      ASSERT_TRUE(g.left) << "never came there";
      EXPECT_EQ(g.tallies, 0);
      ASSERT_FALSE(g.turns.empty());
      // The title's lines follow the game's last.
      const std::vector<std::string>& e = g.turns.back().events;
      const auto title =
          std::find_if(e.begin(), e.end(), [](const std::string& s) { return s.starts_with("選択中のマップ"); });
      ASSERT_NE(title, e.begin()) << g.turns.back().text();
      EXPECT_EQ(signOf(*(title - 1)), where) << g.turns.back().text();
    }
  }
}

}  // namespace
