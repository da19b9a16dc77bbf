#include "presentation/menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/game_data.h"
#include "presentation/main_form.h"
#include "screens/top_menu.h"
#include "support/headless_program.h"
#include "support/scripted_human.h"
#include "sys/clock.h"
#include "ui/keys.h"

namespace {

// The real program on its title screen, headless.
struct MenuTest : ::testing::Test {
  void SetUp() override { program.start(7); }
  UcButton& button(int i) { return frmMain().UcBtnMenu[i]; }
  UcButton& bar(const char* tag) { return frmMain().UcBtnClose[GetTagToIndex(tag)]; }
  testing_support::HeadlessProgram program;
};

struct Press {
  const char* mode;
  int button;
  const char* command;
  const char* choice;  // "(kept)": the choice written before the press stays
};

TEST_F(MenuTest, APressWritesItsModesCommandAndChoice) {
  const Press cases[] = {
      {"サイコロ", 0, "サイコロ振った(左)", "(kept)"},
      {"サイコロ", 1, "サイコロ振った(右)", "(kept)"},
      {"サイコロ", 2, "薬草を使う", "もう一度"},
      {"サイコロ", 3, "宝探し", ""},
      // The battle's faces 攻撃, 薬, ひみつ, 逃げる write 1, 2, 3, 0.
      {"戦闘", 0, "戦闘選択", "1"},
      {"戦闘", 1, "戦闘選択", "2"},
      {"戦闘", 2, "戦闘選択", "3"},
      {"戦闘", 3, "戦闘選択", "0"},
      {"宿屋", 2, "宿屋選択", "3"},
      {"薬屋", 1, "薬屋選択", "2"},
      {"道場", 3, "道場選択", "0"},
      {"闇の道場", 0, "選択", "1"},
      {"ゲームセンター", 3, "選択", "0"},
      {"色々", 1, "選択", "2"},
      {"質問", 3, "質問選択", "0"},
      {"はい", 0, "はい選択", "0"},
  };
  for (const Press& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.button));
    MakeMenu(c.mode, 1);
    EXPECT_EQ(Menu().MenuCommand, c.mode);
    Menu().MenuChoice = "(kept)";
    program.click(button(c.button));
    EXPECT_EQ(Menu().MenuCommand, c.command);
    EXPECT_EQ(Menu().MenuChoice, c.choice);
  }
}

TEST_F(MenuTest, MenusSitInThePlayersPanelAndAPressedButtonWaitsForTheNextMenu) {
  MainForm& f = frmMain();
  MakeMenu("戦闘", 2);
  EXPECT_EQ(f.PicMenu.container(), &f.PicPlayer[2]);
  EXPECT_TRUE(f.PicMenu.visible());
  EXPECT_EQ(f.PicMenu.Tag, "戦闘");
  const char* keys[] = {"攻撃", "逃げる", "薬草", "ひみつ"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(button(i).Tag, keys[i]);
    EXPECT_EQ(button(i).frameRect().height(), 25);
    EXPECT_EQ(button(i).top(), 25 * i);
  }
  program.click(button(0));
  EXPECT_FALSE(button(0).Enabled());
  // A second click on it does nothing; its key still reaches it.
  Menu().MenuCommand = "戦闘";
  program.click(button(0));
  EXPECT_EQ(Menu().MenuCommand, "戦闘");
  program.press('1');
  EXPECT_EQ(Menu().MenuCommand, "戦闘選択");

  // The one-button menu: one big button, the others hidden; any other seat number leaves the
  // panel where it was.
  MakeMenu("はい", 9);
  EXPECT_EQ(f.PicMenu.container(), &f.PicPlayer[2]);
  EXPECT_TRUE(button(0).Enabled());
  EXPECT_EQ(button(0).width(), 100);
  EXPECT_EQ(button(0).height(), 100);
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(button(i).visible()) << i;
}

TEST_F(MenuTest, PushButtonWaitsForAHumanOnly) {
  GameData& g = Game();
  frmMain().PicStatusUp.Tag = "開始";
  g.Players[1].sUser = 2;
  g.Players[3].sUser = 1;
  testing_support::ScriptedHuman human(program.backend(), 1);

  g.CurrentPlayer = 1;
  int32_t who = -1;
  PushButton(who);  // a computer passes at once
  EXPECT_EQ(who, 1);
  EXPECT_EQ(human.presses(), 0);
  EXPECT_FALSE(frmMain().PicMenu.visible());

  who = 3;
  PushButton(who);
  EXPECT_EQ(human.presses(), 1);
  EXPECT_EQ(human.lastKey(), "はい");
  EXPECT_EQ(g.CurrentPlayer, 3);
  EXPECT_EQ(Menu().MenuCommand, "はい選択");
}

// "戻る" while a human's dice menu waits in a game: the wait ends at once by GameLeft, the loop
// unwinds with no choice made, the title is on screen, and a key queued after the press is
// handled only once the loop has gone.
TEST_F(MenuTest, LeavingAGameUnwindsItsLoopBeforeTheNextEventIsHandled) {
  const int32_t stage = Game().StageNo;
  testing_support::ScriptedHuman human(program.backend(), 1);
  bool pressed = false;
  human.before = [&] {
    if (pressed) return false;
    pressed = true;
    const gfx::Rect r = bar("戻る").frameRect();
    program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
    program.backend().key(ui::kVkRight);  // "次の面" on the title
    return true;
  };
  MakeTopMenu("開始");  // every seat is human: the first waits for its dice
  EXPECT_TRUE(pressed);
  EXPECT_FALSE(GameLoopRunning());
  EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
  EXPECT_EQ(Menu().MenuCommand, "サイコロ");
  EXPECT_EQ(Game().StageNo, stage);
  program.pump();
  EXPECT_NE(Game().StageNo, stage);
}

// The program's clock, which queues a leave while the game sleeps in its k-th timed wait and
// notes when the first wait after the leave begins.
class LeaveInAWait final : public sys::Clock {
 public:
  LeaveInAWait(sys::VirtualClock& inner, int k, std::function<void()> leave)
      : inner_(inner), k_(k), leave_(std::move(leave)) {}
  int64_t now() override { return inner_.now(); }
  int64_t frequency() const override { return inner_.frequency(); }
  void waitUntil(int64_t tick) override {
    if (queuedAt != 0 && leftAt == 0 && !GameRunning()) leftAt = inner_.now();
    inner_.waitUntil(tick);
    if (++waits_ != k_) return;
    leave_();
    queuedAt = inner_.now();
  }
  int64_t queuedAt = 0, leftAt = 0;

 private:
  sys::VirtualClock& inner_;
  int k_, waits_ = 0;
  std::function<void()> leave_;
};

// "戻る" or Escape pressed while a computer's turn sleeps in a timed wait: the game is left by
// the wait that follows, not by the next turn. The game's clock then shows how long the game went
// on after the press.
TEST_F(MenuTest, ALeaveDuringAComputersTurnEndsItsNextTimedWait) {
  Game().PlayerKinds = {2, 2, 2, 2};
  const std::function<void()> leaves[] = {[&] {
                                            const gfx::Rect r = bar("戻る").frameRect();
                                            program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
                                          },
                                          [&] { program.backend().key(ui::kVkEscape); }};
  for (int k : {40, 150, 400, 900, 1500}) {
    for (const auto& leave : leaves) {
      SCOPED_TRACE(k);
      LeaveInAWait clock(program.clock(), k, leave);
      sys::setClock(&clock);
      program.click(bar("開始"));
      sys::setClock(&program.clock());
      ASSERT_NE(clock.queuedAt, 0) << "the game had fewer waits";
      EXPECT_FALSE(GameLoopRunning());
      EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
      ASSERT_NE(clock.leftAt, 0);
      EXPECT_LT(clock.leftAt - clock.queuedAt, clock.frequency() / 1000 * 20);
      program.pump();
    }
  }
}

TEST_F(MenuTest, WaitsOutsideAGameLoopEndWithTheMarkAndOneLoopRunsAtATime) {
  // No game loop: the wait just ends, the phase reads its unchanged command.
  frmMain().PicStatusUp.Tag = "ゲーム";
  MakeMenu("宿屋", 0);
  WaitMenuCommand("宿屋");
  EXPECT_EQ(Menu().MenuCommand, "宿屋");
  EXPECT_NO_THROW(PumpOnce());

  GameLoopScope first;
  EXPECT_TRUE(first.entered());
  {
    GameLoopScope second;
    EXPECT_FALSE(second.entered());
  }
  EXPECT_TRUE(GameLoopRunning());
  EXPECT_THROW(PumpOnce(), GameLeft);
  EXPECT_THROW(DropQueuedInput(), GameLeft);
}

TEST_F(MenuTest, InputQueuedWhileTheEngineWasBusyIsDropped) {
  frmMain().PicStatusUp.Tag = "開始";
  MakeMenu("サイコロ", 0);
  const gfx::Rect r = button(1).frameRect();
  program.backend().click(r.left + r.width() / 2, r.top + r.height() / 2);
  program.backend().key('1');
  DropQueuedInput();
  EXPECT_EQ(Menu().MenuCommand, "サイコロ");
  EXPECT_EQ(program.backend().queued(), 0u);
  program.click(button(1));
  EXPECT_EQ(Menu().MenuCommand, "サイコロ振った(右)");
}

}  // namespace
