#include "engine/facilities.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "engine/facility_fixture.h"
#include "presentation/menu.h"
#include "support/draws.h"
#include "support/new_game.h"
#include "support/scripted_human.h"
#include "system/random.h"

using namespace testing_support;

namespace {

using Visit = void (*)(int32_t);
void dojo(int32_t id) { Init20Gymnasium(id, false); }

std::string named(const PlayerRecord& p) { return p.sColor + p.sName + "{0&}"; }

// The prices of a list, in order, as written (full-width digits).
std::vector<std::string> pricesIn(const std::string& list) {
  std::vector<std::string> out;
  static const std::regex price("【\\{0&3\\}([^{]*)\\{0&\\}】");
  for (auto it = std::sregex_iterator(list.begin(), list.end(), price); it != std::sregex_iterator(); ++it)
    out.push_back((*it)[1]);
  return out;
}

// A human at seat 0 who presses the menu buttons in `order` (0 to 3, the fourth leaves), then
// leaves.
struct Shopper {
  Shopper(PlayerRecord& seat, HeadlessProgram& p, std::vector<int> order)
      : human(p.backend(), 3), order_(std::move(order)) {
    seat.sUser = 1;
    human.choose = [this](const std::vector<int>&, const std::vector<std::string>&) {
      return next_ < order_.size() ? order_[next_++] : 3;
    };
  }
  ScriptedHuman human;

 private:
  std::vector<int> order_;
  size_t next_ = 0;
};

TEST_F(FacilityTest, EachShopListsItsThreePricesFromTheMarketAndSendsAwayThePenniless) {
  // Prices 15, 4, 2, 3, 3: three herbs Fix(4 x 2.7) = 10, two herbs Fix(4 x 1.9) = 7, training
  // Fix(15 x 1.5) = 22.
  struct Case {
    Visit visit;
    const char* title;
    std::vector<std::string> prices;
  };
  const Case cases[] = {
      {Init20Drug, "{0&2}薬屋です{0&}:", {"４", "１０", "３"}},
      {Init20Inn, "{0&2}宿屋です{0&}:", {"３", "３", "３"}},
      {Init20Sougou, "{0&2}色々{0&}:", {"３", "７", "２２"}},
      {Init20Game, "{0&2}ゲームセンター{0&}:", {"３", "３", "３"}},
      {dojo, "{0&2}道場{0&}:", {"１５", "１５", "１５"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    messages.clear();
    seat().sMoney = 2;
    const double start = seconds();
    c.visit(0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind(named(seat()) + ":" + c.title, 0), 0u) << messages[0];
    EXPECT_EQ(pricesIn(messages[0]), c.prices);
    EXPECT_EQ(messages[1], "{1&F84}{1&F44}お金が足りませんよ～");
    EXPECT_FALSE(frmMain().PicMenu.visible());
    EXPECT_EQ(seat().sMoney, 2);
    EXPECT_GE(seconds() - start, 0.8);
  }
  messages.clear();
  Init20Drug(0);
  EXPECT_EQ(messages[0], named(seat()) +
                             ":{0&2}薬屋です{0&}:{0&1}①.{0&}１個買う{0&}【{0&3}４{0&}】 {0&1}②.{0&}３個買う{0&}【{0&3}"
                             "１０{0&}】 {0&1}③.{0&}勝負{0&}【{0&3}３{0&}】");
}

TEST_F(FacilityTest, AnExactPriceBuysAndOneGpLessWarnsAndListsAgain) {
  struct Case {
    Visit visit;
    int button;
    int32_t price;
    const char* bought;
  };
  const Case cases[] = {
      {Init20Drug, 1, 10, "は、薬草を３個、手に入れた"},
      {Init20Sougou, 2, 22, "力と、運と、体力がそれぞれ、1上がった!!"},
      {Init20Sougou, 1, 7, "2個で、7GP 頂きます"},
  };
  for (const Case& c : cases) {
    for (int32_t less : {0, 1}) {
      SCOPED_TRACE(std::string(c.bought) + (less ? " short" : " exact"));
      messages.clear();
      seat().sMoney = c.price - less;
      Shopper shopper(seat(), program, {c.button});
      c.visit(0);
      if (less == 0) {
        EXPECT_EQ(seat().sMoney, 0);
        EXPECT_TRUE(said(c.bought) || said(named(seat()) + c.bought));
        EXPECT_EQ(messages.size(), 2u);
      } else {
        EXPECT_EQ(seat().sMoney, c.price - 1);
        ASSERT_EQ(messages.size(), 4u);
        EXPECT_EQ(messages[1], "{1&F84}{1&F44}お金が足りませんよ～");
        EXPECT_EQ(messages[2], messages[0]);
        EXPECT_EQ(messages[3], "まいど。");
      }
    }
  }
}

TEST_F(FacilityTest, TheComputersChoicesAtTheHerbShopAndTheInn) {
  // Herb shop, one herb 4 and three 10: three herbs when it holds 10, else one.
  struct Herbs {
    int32_t gp, herbs, left;
  };
  for (const Herbs& c : {Herbs{10, 3, 0}, Herbs{9, 1, 5}, Herbs{4, 1, 0}}) {
    SCOPED_TRACE(c.gp);
    seat().sMoney = c.gp;
    seat().sDrug = 0;
    Init20Drug(0);
    EXPECT_EQ(seat().sDrug, c.herbs);
    EXPECT_EQ(seat().sMoney, c.left);
  }

  // The inn rests below half the maximum (25 \ 2 = 12), only with more GP than the rest costs.
  Game().SoubaPrice[3] = Fixed(1);
  Game().SoubaPrice[4] = Fixed(4);
  struct Rest {
    int32_t life, gp;
    bool rests;
  };
  for (const Rest& c : {Rest{11, 3, true}, Rest{12, 3, false}, Rest{11, 1, false}}) {
    SCOPED_TRACE(std::to_string(c.life) + " " + std::to_string(c.gp));
    messages.clear();
    seat().sLifeMax = 25;
    seat().sLife = c.life;
    seat().sMoney = c.gp;
    Init20Inn(0);
    EXPECT_EQ(seat().sLife, c.rests ? 25 : c.life);
    EXPECT_EQ(seat().sMoney, c.rests ? c.gp - 1 : c.gp);
    EXPECT_EQ(messages.back(), c.rests ? "全回した" : "またいらっしゃい。");
  }
}

TEST_F(FacilityTest, ARestFillsLifeAtTheInnAndTheStore) {
  struct Case {
    Visit visit;
    const char* message;
  };
  for (const Case& c : {Case{Init20Inn, "全回した"}, Case{Init20Sougou, "全快した!"}}) {
    SCOPED_TRACE(c.message);
    seat().sLife = 3;
    seat().sMoney = 5;
    Shopper shopper(seat(), program, {0});
    c.visit(0);
    EXPECT_EQ(seat().sLife, 40);
    EXPECT_EQ(seat().sMoney, 2);
    EXPECT_EQ(messages.back(), c.message);
  }
}

TEST_F(FacilityTest, TheDojoGainIsTheSameInTheMessageAndTheRecord) {
  struct Case {
    int button, gain;
    const char* message;
  };
  const Case cases[] = {{0, 1, "生命力が1上がった！"}, {1, 4, "力が4上がった！"}, {2, 3, "運が3上がった！"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    seat().sMoney = 20;
    const PlayerRecord before = seat();
    Shopper shopper(seat(), program, {c.button});
    ScriptedRandom gain{Range(1, 4, c.gain)};
    Init20Gymnasium(0, c.button == 1);
    EXPECT_EQ(messages.back(), c.message);
    EXPECT_EQ(seat().sMoney, 5);
    EXPECT_EQ(seat().sLifeMax - before.sLifeMax, c.button == 0 ? c.gain : 0);
    EXPECT_EQ(seat().sStr - before.sStr, c.button == 1 ? c.gain : 0);
    EXPECT_EQ(seat().sLuck - before.sLuck, c.button == 2 ? c.gain : 0);
  }
}

TEST_F(FacilityTest, TheComputerAtTheDojoDrawsAllThreeChancesAndTheLastHitStands) {
  struct Case {
    double life, str, luck;
    const char* message;
  };
  const Case cases[] = {
      {kYes, kYes, kYes, "運が2上がった！"},
      {kYes, kYes, kNo, "力が2上がった！"},
      {kYes, kNo, kNo, "生命力が2上がった！"},
      {kNo, kNo, kNo, "また寄りな!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    seat().sMoney = 15;
    ScriptedRandom script{c.life, c.str, c.luck, Range(1, 4, 2)};
    Init20Gymnasium(0);
    EXPECT_EQ(messages.back(), c.message);
    EXPECT_EQ(script.draws(), c.luck == kNo && c.str == kNo && c.life == kNo ? 3u : 4u);
  }
}

TEST_F(FacilityTest, TheInnChargesForItsGamesWhileTheOtherHallsOnlyAskThePrice) {
  struct Case {
    Visit visit;
    int button;
    const char* greeting;
    int32_t charged;
  };
  const Case cases[] = {
      {Init20Inn, 1, "5秒以内にストップって、言って下さい。", 3},
      {Init20Inn, 2, "店主「当たったらあげるよ。用意はいいかい？", 3},
      {Init20Game, 0, "5秒以内にストップって、言って下さい。", 0},
      {Init20Game, 1, "店主「当たったらあげるよ。用意はいいかい？", 0},
      {Init20Game, 2, "キーを押して３秒後に、放してください", 0},
      {Init20Drug, 2, "キーを押して３秒後に、放してください", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.greeting);
    seat().sMoney = 3;
    int32_t atGreeting = -1;
    onMessage = [&](const std::string& m) {
      if (m == c.greeting) atGreeting = seat().sMoney;
    };
    Shopper shopper(seat(), program, {c.button});
    ScriptedRandom target{Range(3, 6, 3)};
    c.visit(0);
    EXPECT_EQ(atGreeting, 3 - c.charged);
  }
}

// Leaving the game while a shop waits for its human ends the visit at once, in every shop.
TEST_F(FacilityTest, LeavingTheGameEndsEveryShopsWait) {
  testing_support::LayOutNewGame();
  for (Visit visit : {Init20Drug, Init20Inn, Init20Sougou, Init20Game, dojo}) {
    testing_support::LayOutNewGame();
    seat().sUser = 1;
    seat().sMoney = 50;
    ScriptedHuman human(program.backend(), 1);
    human.before = [&] {
      clickAt(frmMain().UcBtnClose[GetTagToIndex("戻る")]);
      human.before = nullptr;
      return true;
    };
    GameLoopScope loop;
    EXPECT_THROW(visit(0), GameLeft);
    EXPECT_EQ(seat().sMoney, 50);
    EXPECT_EQ(human.presses(), 0);
  }
}

}  // namespace
