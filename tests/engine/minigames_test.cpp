// The three games of the inn and the game centre as a person meets them: leaving the game in the
// middle of one, and a scripted human playing each through the window's input.
#include <gtest/gtest.h>

#include <string>

#include "engine/facility_fixture.h"
#include "engine/shooting.h"
#include "engine/slot.h"
#include "engine/time_attack.h"
#include "presentation/menu.h"
#include "support/new_game.h"
#include "support/scripted_human.h"

using namespace testing_support;

namespace {

using MiniGame = void (*)(int32_t);

class MiniGameTest : public FacilityTest {
 protected:
  void SetUp() override {
    FacilityTest::SetUp();
    seat().sUser = 1;
    seat().sMoney = 10;
    Game().CurrentPlayer = 0;
  }
};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

TEST_F(MiniGameTest, LeavingTheGameEndsEachMiniGameAtOnce) {
  struct Case {
    const char* what;
    MiniGame game;
    std::function<bool()> playing;
  };
  MainForm& f = frmMain();
  const Case cases[] = {
      {"reels", Init21Slot, [&f] { return f.PicMenu.visible() && f.PicWin.effectivelyVisible(); }},
      {"aim", Init21InnShateki, [&f] { return f.ImgArrow.visible(); }},
      // A human who never presses a key: the start wait would never end by itself.
      {"start wait", Init21TimeAttack, [&f] { return f.PicMenu.visible() && f.PicWin.effectivelyVisible(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::LayOutNewGame();
    // The title screen the last case left to has set the seats up anew and shows its panels.
    for (int i = 0; i < 4; ++i) f.PicStMenu[i].setVisible(false);
    for (int i = 1; i < 4; ++i) seat(i).sUser = 0;
    seat().sUser = 1;
    Game().CurrentPlayer = 0;
    messages.clear();
    // The gallery's "はい" is answered; fifty frames into each game, "戻る".
    int frames = 0;
    program.backend().onIdle = [&] {
      UcButton& yes = f.UcBtnMenu[0];
      if (c.playing()) {
        if (++frames == 50) clickAt(f.UcBtnClose[GetTagToIndex("戻る")]);
      } else if (yes.effectivelyVisible() && yes.Enabled()) {
        clickAt(yes);
      }
    };
    GameLoopScope loop;
    EXPECT_THROW(c.game(0), GameLeft);
    EXPECT_EQ(frames, 50);
    EXPECT_EQ(f.PicStatusUp.Tag, "ゲーム");
    EXPECT_FALSE(f.ImgArrow.visible());
    // No result, no prize.
    for (const std::string& m : messages)
      for (const char* result :
           {"はーい", "惜しかった", "店主「お見事", "店主「よくぞ", "店主「ありゃー", "あなたのタイム"})
        EXPECT_FALSE(startsWith(m, result)) << m;
  }
}

TEST_F(MiniGameTest, AScriptedHumanPlaysEachGameThroughTheWindow) {
  struct Case {
    const char* what;
    MiniGame game;
    std::vector<const char*> endings;
  };
  const Case cases[] = {
      {"slot", Init21Slot, {"惜しかったねぇ。", "はーい。おめでとさんね。"}},
      {"gallery", Init21InnShateki, {"店主「お見事」", "店主「よくぞ挑んだ」", "店主「ありゃー"}},
      {"time attack", Init21TimeAttack, {"あなたのタイム"}},
  };
  for (const Case& c : cases) {
    for (uint64_t seed = 1; seed <= 4; ++seed) {
      SCOPED_TRACE(std::string(c.what) + " " + std::to_string(seed));
      messages.clear();
      ScriptedHuman human(program.backend(), seed);
      c.game(0);
      EXPECT_GE(human.presses(), 1);
      bool ended = false;
      for (const std::string& m : messages)
        for (const char* e : c.endings) ended = ended || startsWith(m, e);
      EXPECT_TRUE(ended);
    }
  }
}

}  // namespace
