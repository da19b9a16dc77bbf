// The status panels: where they stand, what they draw, the limits they write back and the
// level-ups they perform.
#include "presentation/status_panel.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "engine/chara_setup.h"
#include "presentation/panels_fixture.h"

namespace {

class StatusPanelTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    Init05CharaSetup();
  }
  PlayerRecord& player(int i) { return Game().Players[static_cast<size_t>(i)]; }
  const gfx::Surface& panel(int i) { return frmMain().PicPlayer[i].surface(); }
  const gfx::Surface& bar() { return frmPic().PicBar.surface(); }
  // The panel's pixel at (x, y) shows strip row `stripY` of the bars at column `barX`.
  void expectBar(const gfx::Surface& s, int x, int y, int barX, int stripY) {
    EXPECT_EQ(s.pixel(x, y), bar().pixel(barX, stripY)) << "at " << x << "," << y;
  }
};

TEST_F(StatusPanelTest, RedrawWritesTheLimitsBack) {
  struct Case {
    const char* what;
    std::function<void(PlayerRecord&)> set;
    std::function<void(const PlayerRecord&)> check;
  };
  const Case cases[] = {
      {"life max above 129", [](PlayerRecord& p) { p.sLifeMax = 150, p.sLife = 140; },
       [](const PlayerRecord& p) {
         EXPECT_EQ(p.sLifeMax, 129);
         EXPECT_EQ(p.sLife, 129);
       }},
      {"life max 129 stays", [](PlayerRecord& p) { p.sLifeMax = 129, p.sLife = 129; },
       [](const PlayerRecord& p) {
         EXPECT_EQ(p.sLifeMax, 129);
         EXPECT_EQ(p.sLife, 129);
       }},
      {"life above its max", [](PlayerRecord& p) { p.sLife = 11; },
       [](const PlayerRecord& p) { EXPECT_EQ(p.sLife, 10); }},
      {"life below 0", [](PlayerRecord& p) { p.sLife = -5; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sLife, 0); }},
      {"strength 0", [](PlayerRecord& p) { p.sStr = 0; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sStr, 1); }},
      {"strength 100", [](PlayerRecord& p) { p.sStr = 100; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sStr, 99); }},
      {"luck 120", [](PlayerRecord& p) { p.sLuck = 120; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sLuck, 99); }},
      {"luck -3", [](PlayerRecord& p) { p.sLuck = -3; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sLuck, 1); }},
      {"level 0", [](PlayerRecord& p) { p.sLevel = 0; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sLevel, 1); }},
      {"level 150", [](PlayerRecord& p) { p.sLevel = 150; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sLevel, 99); }},
      {"GP 1500", [](PlayerRecord& p) { p.sMoney = 1500; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sMoney, 999); }},
      {"GP -1", [](PlayerRecord& p) { p.sMoney = -1; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sMoney, 0); }},
      {"herbs -2", [](PlayerRecord& p) { p.sDrug = -2; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sDrug, 0); }},
      {"herbs 1000", [](PlayerRecord& p) { p.sDrug = 1000; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sDrug, 999); }},
      {"experience -4", [](PlayerRecord& p) { p.sExp = -4; }, [](const PlayerRecord& p) { EXPECT_EQ(p.sExp, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Init05CharaSetup();
    c.set(player(1));
    WriteScore(1, false, false);
    c.check(player(1));
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(StatusPanelTest, BarsAreCutToTheirValues) {
  PlayerRecord& p = player(0);
  p.sLifeMax = 100;
  p.sLife = 40;
  p.sExp = 5;  // 153 / 10 * 5 = 76.5: half to even, 76
  p.sStr = 50;
  p.sLuck = 99;  // 47.52: the full 48
  WriteScore(0, false, false);
  const gfx::Surface& s = panel(0);
  expectBar(s, 35 + 39, 40, 39, 32 + 8);   // life
  expectBar(s, 35 + 40, 40, 40, 16 + 8);   // maximum life beyond it
  expectBar(s, 35 + 100, 40, 100, 0 + 8);  // the empty frame beyond that
  expectBar(s, 35 + 75, 59, 75, 48 + 8);   // experience
  expectBar(s, 35 + 76, 59, 76, 0 + 8);
  expectBar(s, 35 + 23, 71, 23, 72 + 2);  // strength: 24 of 48
  expectBar(s, 35 + 24, 71, 24, 64 + 2);
  expectBar(s, 35 + 47, 79, 47, 80 + 3);  // luck, full
}

TEST_F(StatusPanelTest, ExperienceBarIsFullBeforeTheLevelUpAndNeverDividesByZero) {
  std::optional<gfx::Surface> atMessage;
  messageWindow().onWrite = [&](std::string_view t, bool) {
    messages.emplace_back(t);
    if (!atMessage) atMessage = panel(2);
  };
  player(2).sExp = 25;
  WriteScore(2, false, false);
  ASSERT_TRUE(atMessage);
  expectBar(*atMessage, 35 + 152, 59, 152, 48 + 8);
  EXPECT_EQ(player(2).sExp, 15);
  EXPECT_EQ(player(2).sExpNext, 20);
  ASSERT_EQ(messages.size(), 1u);

  // A damaged mark of 0 or below counts as 1: one level-up, then the normal growth.
  for (int32_t mark : {0, -4}) {
    SCOPED_TRACE(mark);
    Init05CharaSetup();
    messages.clear();
    player(3).sExpNext = mark;
    player(3).sExp = 3;
    WriteScore(3, false, false);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(player(3).sExp, 2);
    EXPECT_EQ(player(3).sExpNext, 11);
    EXPECT_EQ(player(3).sLevel, 2);
  }
  Init05CharaSetup();
  player(3).sExpNext = 0;
  WriteScore(3, false, false);
  EXPECT_EQ(player(3).sExpNext, 1);
  expectBar(panel(3), 35, 59, 0, 0 + 8);
}

TEST_F(StatusPanelTest, EmptySeatShowsOnlyItsBackgroundWithoutMiniView) {
  player(1).sUser = 0;
  player(1).sMoney = 5000;
  WriteScore(1, false, false);
  WriteScore(2, false, false);
  const gfx::Surface& art = frmPic().PicPlayer.surface();
  for (int y = 0; y < 176; ++y)
    for (int x = 0; x < 192; ++x) ASSERT_EQ(panel(1).pixel(x, y), art.pixel(192 + x, y)) << x << "," << y;
  EXPECT_EQ(player(1).sMoney, 5000);
  EXPECT_FALSE(frmMain().PicMiniMap[1].visible());
  EXPECT_TRUE(frmMain().PicMiniMap[2].visible());
  // An occupied panel carries its numbers over the art.
  int differs = 0;
  for (int y = 0; y < 176; ++y)
    for (int x = 0; x < 192; ++x) differs += panel(2).pixel(x, y) != art.pixel(384 + x, y);
  EXPECT_GT(differs, 1000);
}

TEST_F(StatusPanelTest, ScoreShowsTheTotalInTheTallyAndOnlyFiveDigits) {
  auto drawn = [&](int32_t score, int32_t total, bool last, bool rank) {
    player(0).sScore = score;
    player(0).sScoreAll = total;
    player(0).sRank = 1;
    WriteScore(0, last, rank);
    return panel(0).pixels();
  };
  const auto plain = drawn(123, 0, false, false);
  EXPECT_EQ(drawn(0, 123, true, false), plain);
  EXPECT_NE(drawn(0, 124, true, false), plain);
  EXPECT_EQ(drawn(1234567, 0, false, false), drawn(34567, 0, false, false));
  EXPECT_NE(drawn(123, 0, false, true), plain);  // the place is drawn only when asked for
}

TEST_F(StatusPanelTest, PanelsStandByTheScreenAndTheSeatsInPlay) {
  struct Case {
    const char* mode;
    std::array<int32_t, 4> users;
    std::array<int, 4> lefts;  // -1: hidden
  };
  const Case cases[] = {
      {"開始", {1, 0, 2, 1}, {16, -1, 304, 594}},    {"開始", {0, 0, 1, 0}, {-1, -1, 304, -1}},
      {"開始", {2, 0, 0, 1}, {112, -1, -1, 496}},    {"開始", {1, 1, 2, 2}, {16, 208, 400, 592}},
      {"開始", {0, 0, 0, 0}, {-1, -1, -1, -1}},      {"ゲーム", {1, 0, 0, 0}, {16, 208, 400, 592}},
      {"マップ", {0, 2, 0, 0}, {16, 208, 400, 592}},
  };
  MainForm& f = frmMain();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.users[0]) + std::to_string(c.users[1]) +
                 std::to_string(c.users[2]) + std::to_string(c.users[3]));
    f.PicStatusUp.Tag = c.mode;
    for (int i = 0; i < 4; ++i) player(i).sUser = c.users[static_cast<size_t>(i)];
    WriteScoreSet();
    for (int i = 0; i < 4; ++i) {
      const int want = c.lefts[static_cast<size_t>(i)];
      EXPECT_EQ(f.PicPlayer[i].visible(), want >= 0) << "seat " << i;
      if (want >= 0) EXPECT_EQ(f.PicPlayer[i].left(), want) << "seat " << i;
      EXPECT_EQ(f.PicPlayer[i].top(), 384);
    }
  }
}

TEST_F(StatusPanelTest, DrawingAllLeavesTheLastSeatsHumanAsCurrent) {
  struct Case {
    std::array<int32_t, 4> users;
    bool all;
    int32_t current;
  };
  const Case cases[] = {
      {{1, 0, 0, 1}, true, 3},
      {{1, 0, 0, 2}, true, -1},
      {{1, 1, 1, 0}, true, -1},
      {{1, 1, 1, 1}, false, 7},  // without AllActiove the current player stays
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 4; ++i) player(i).sUser = c.users[static_cast<size_t>(i)];
    Game().CurrentPlayer = 7;
    WriteScoreSet(c.all, false);
    EXPECT_EQ(Game().CurrentPlayer, c.current);
  }
}

}  // namespace
