// A whole game saved through the dialog at a human's dice menu, loaded in a fresh program and
// played on to its tally.
#include <gtest/gtest.h>

#include <string>

#include "data/game_data.h"
#include "data/save_slot.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "screens/frmLoad.h"
#include "support/autoplay.h"
#include "support/headless_program.h"
#include "system/picture_store.h"
#include "system/utility.h"
#include "ui/keys.h"

namespace {

using testing_support::Autoplay;
using testing_support::AutoplayOptions;
using testing_support::PlayedGame;

// The record as a resumed game has it: the fields a slot does not carry are taken from `now`,
// and so are the draw order and the pose a piece is drawn in, which the redraw after the load
// and the turn's start set afresh.
PlayerRecord asLoaded(PlayerRecord saved, const PlayerRecord& now) {
  saved.zPos = now.zPos;
  saved.sPtn = now.sPtn;
  saved.sType = now.sType;
  saved.sMonsterLv = now.sMonsterLv;
  saved.sRGB = now.sRGB;
  saved.sMukiX = now.sMukiX;
  saved.sMukiY = now.sMukiY;
  saved.sBonus = now.sBonus;
  saved.sRank = now.sRank;
  saved.sMeet = now.sMeet;
  saved.sDrugBan = now.sDrugBan;
  return saved;
}

bool diceMenuWaits() { return frmMain().PicMenu.effectivelyVisible() && Menu().MenuCommand == "サイコロ"; }

TEST(SavedGames, AGameSavedAtADiceMenuGoesOnInAFreshProgramToItsTally) {
  testing_support::HeadlessProgram program(false);
  program.start(11);
  auto click = [&](const ui::Control& c) {
    const gfx::Rect r = c.frameRect();
    program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
  };

  // In the third pass, at a human's dice menu: "保存", a name typed, saved, and the game left.
  GameData saved;
  int step = 0;
  AutoplayOptions first{.seed = 4, .map = 2, .seats = {2, 2, 1, 2}, .humanSeed = 3, .withoutBosses = true};
  first.atHumanWait = [&](int32_t) {
    if (step == 0 && (Game().TurnCount < 3 || !diceMenuWaits())) return false;
    switch (step++) {
      case 0:
        saved = Game();
        click(frmMain().UcBtnClose[GetTagToIndex("保存")]);
        return true;
      case 1:
        EXPECT_TRUE(frmLoad().txtName.hasFocus());
        program.backend().text("途中の旅");
        program.backend().key(ui::kVkReturn);
        return true;
      case 2:  // the box that says it was saved
        program.backend().key(ui::kVkReturn);
        return true;
      case 3:
        EXPECT_TRUE(diceMenuWaits());
        click(frmMain().UcBtnClose[GetTagToIndex("戻る")]);
        return true;
      default: return false;
    }
  };
  const PlayedGame before = Autoplay(program, first);
  ASSERT_TRUE(before.faults.empty()) << before.report();
  ASSERT_TRUE(before.left);
  ASSERT_EQ(step, 4);

  // A fresh program over the same folder loads it from the title and goes on at the same seat.
  program.restart(12);
  bool compared = false;
  AutoplayOptions second{.seed = 9, .humanSeed = 5, .load = "途中の旅"};
  second.atHumanWait = [&](int32_t) {
    if (compared) return false;
    compared = true;
    const GameData& g = Game();
    EXPECT_EQ(frmPic().window.Tag, "OK");
    EXPECT_TRUE(diceMenuWaits());
    EXPECT_EQ(g.CurrentPlayer, saved.TurnPlayer);
    EXPECT_EQ(g.TurnCount, saved.TurnCount);
    EXPECT_EQ(g.Board, saved.Board);
    EXPECT_EQ(g.Monsters, saved.Monsters);
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(g.Players[i], asLoaded(saved.Players[i], g.Players[i])) << "seat " << i;
    return false;
  };
  const PlayedGame after = Autoplay(program, second);
  EXPECT_TRUE(compared);
  EXPECT_TRUE(after.faults.empty()) << after.report();
  EXPECT_TRUE(after.goal) << after.log();
  ASSERT_FALSE(after.turns.empty());
  EXPECT_EQ(after.turns.front().pass, saved.TurnCount);
  EXPECT_EQ(after.turns.front().seat, saved.TurnPlayer);

  // The prices come back with the slot; the resumed game then draws a fresh set, as every start
  // of a game does, so they are compared right after a load.
  program.restart(13);
  ASSERT_EQ(LoadSlot("途中の旅"), SlotStatus::Ok);
  EXPECT_EQ(Game().SoubaText, saved.SoubaText);
  EXPECT_EQ(Game().SoubaPrice, saved.SoubaPrice);
}

}  // namespace
