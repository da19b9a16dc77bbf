#include <sys/resource.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <functional>

#include "data/save_slot.h"
#include "data/souba.h"
#include "presentation/menu.h"
#include "screens/frmLoad.h"
#include "screens/top_menu.h"
#include "screens_fixture.h"
#include "sys/text.h"

namespace {

UcButton& bar(const char* tag) { return frmMain().UcBtnClose[GetTagToIndex(tag)]; }

std::string today() { return sys::formatTime(std::time(nullptr), "yyyy年mm月dd日"); }

class SaveLoadTest : public ScreensTest {
 protected:
  void TearDown() override {
    hb->onIdle = nullptr;
    ScreensTest::TearDown();
  }
  // One step each time the program waits with nothing queued; a wait beyond the last step
  // is a failure, and the dialogs and the game's wait are ended so that the test ends.
  void script(std::vector<std::function<void()>> s) {
    steps = std::move(s);
    at = 0;
    hb->onIdle = [this] {
      if (at < steps.size()) return steps[at++]();
      ADD_FAILURE() << "still waiting after the last step (" << at << ")";
      while (ui::activeWindow() && ui::activeWindow() != &frmMain().window) ui::activeWindow()->hide();
      Menu().MenuCommand = "?";
    };
  }
  // Queues a click on the middle of a control.
  void tap(const ui::Control& c) {
    const gfx::Rect r = c.frameRect();
    hb->click(r.left + r.width() / 2, r.top + r.height() / 2);
  }
  // The box on show: its title and text.
  static std::pair<std::string, std::string> box() {
    ui::Window* w = ui::activeWindow();
    return w ? std::pair{w->caption(), w->Tag} : std::pair<std::string, std::string>{};
  }
  std::string dat(const std::string& file) const { return dir / ("Vorak-Dat/" + file); }
  std::vector<std::string> listed() const {
    std::vector<std::string> out;
    for (int i = 0; i < frmLoad().lstFile.listCount(); ++i) out.push_back(frmLoad().lstFile.list(i));
    return out;
  }
  // A game worth saving: changed records, board, monsters, turn and prices.
  static void playSomeOfAGame() {
    GameData& g = Game();
    for (int i = 0; i < 4; ++i) {
      PlayerRecord& p = g.Players[i];
      p.sUser = 1;
      p.sMoney = 100 + i;
      p.xPosMap = 5 + i;
      p.xPos = 32 * p.xPosMap;
    }
    g.Players[1].sName = "たろう";
    SetMapCell(g.Board[4][2], "80");
    g.Monsters[3].sStr = 66;
    g.TurnPlayer = 2;
    g.TurnCount = 17;
    SetSouba("14,3,2,1,2");
  }

  std::vector<std::function<void()>> steps;
  size_t at = 0;
};

TEST_F(SaveLoadTest, SavingWhileTheDiceMenuWaitsLeavesTheWaitItsChoiceAndTheLeave) {
  start();
  MainForm& f = frmMain();
  // A game waiting for a human's dice, with its bar's "保存" and "戻る" on show.
  f.PicStatusUp.Tag = "開始";
  for (const auto& [i, b] : f.UcBtnClose) b->setVisible(false);
  bar("保存").move(600, 3, 55, 18);
  bar("戻る").move(700, 3, 55, 18);
  bar("保存").setVisible(true);
  bar("戻る").setVisible(true);
  MakeMenu("サイコロ", 0);
  LoadForm* d = nullptr;
  script({
      [&] { tap(bar("保存")); },
      [&] {
        d = &frmLoad();
        EXPECT_TRUE(d->window.isModal());
        EXPECT_TRUE(d->PicTitle[1].visible() && !d->PicTitle[0].visible());
        EXPECT_TRUE(d->cmdStart[2].visible() && !d->cmdStart[0].visible());
        EXPECT_TRUE(d->txtName.enabled() && d->txtName.hasFocus());
        EXPECT_EQ(d->txtName.selText(), "(保存ファイル名)");
        hb->text("冒険の書");
        hb->key(ui::kVkReturn);
      },
      [&] {
        EXPECT_EQ(box(), (std::pair<std::string, std::string>{"保存完了", "冒険の書を保存しました"}));
        hb->keyDown(ui::kVkReturn);  // held down past the box and the dialog
      },
      [&] {
        EXPECT_FALSE(d->window.visible());
        hb->keyDown(ui::kVkReturn, true);
        hb->keyUp(ui::kVkReturn);
      },
      [&] {
        EXPECT_EQ(Menu().MenuCommand, "サイコロ");
        tap(bar("戻る"));
      },
  });
  WaitMenuCommand("サイコロ");
  EXPECT_EQ(at, steps.size());
  EXPECT_EQ(f.PicStatusUp.Tag, "ゲーム");
  EXPECT_EQ(Menu().MenuCommand, "サイコロ");
  EXPECT_EQ(frmPic().window.Tag, "");
  for (const char* ext : kSlotExtensions) EXPECT_TRUE(fs::is_regular_file(dat("冒険の書" + std::string(ext))));
}

TEST_F(SaveLoadTest, LoadOnTheTitleResumesTheSavedGame) {
  start();
  playSomeOfAGame();
  ASSERT_TRUE(SaveSlot("たび"));
  const GameData saved = Game();
  Game().Players[1].sName = "別人";
  Game().TurnCount = 3;
  std::string resumedAs;
  BoardCells resumedBoard{};
  script({
      [&] {
        LoadForm& d = frmLoad();
        EXPECT_TRUE(d.PicTitle[0].visible() && !d.PicTitle[1].visible());
        EXPECT_TRUE(d.cmdStart[0].visible() && !d.cmdStart[2].visible());
        EXPECT_FALSE(d.txtName.enabled());
        EXPECT_EQ(listed(), std::vector<std::string>{today() + "/たび"});
        const gfx::Rect r = d.lstFile.frameRect();
        hb->click(r.left + 40, r.top + 8);
      },
      [&] {
        EXPECT_EQ(frmLoad().txtName.text(), "たび");
        hb->key(ui::kVkReturn);
      },
      // The resumed game's first wait, once the game loop runs: leave it.
      [&] {
        resumedAs = frmMain().PicStatusUp.Tag;
        resumedBoard = Game().Board;  // the title reloads the selected map once the game is left
        tap(bar("戻る"));
      },
  });
  clickOn(bar("読込み"));
  if (at == 2) resumedAs = frmMain().PicStatusUp.Tag;  // the loop returned without waiting
  EXPECT_EQ(resumedAs, "開始");
  EXPECT_EQ(frmPic().window.Tag, "OK");
  const GameData& g = Game();
  EXPECT_EQ(resumedBoard, saved.Board);
  EXPECT_EQ(g.Monsters, saved.Monsters);
  EXPECT_EQ(g.TurnCount, 17);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(g.Players[i].sName, saved.Players[i].sName);
    EXPECT_EQ(g.Players[i].sMoney, saved.Players[i].sMoney);
    EXPECT_EQ(g.Players[i].xPosMap, saved.Players[i].xPosMap);
  }
}

// The program killed while it moved a save's files into place: started again, the slot holds
// the older save whole.
TEST_F(SaveLoadTest, AStartMendsASlotWhoseSaveWasKilledHalfWay) {
  start();
  playSomeOfAGame();
  ASSERT_TRUE(SaveSlot("たび"));
  const std::string map = dir.read("Vorak-Dat/たび.MAP"), state = dir.read("Vorak-Dat/たび.DAT");
  fs::rename(dat("たび.MAP"), dat("たび.MAP.old"));
  dir.write("Vorak-Dat/たび.MAP.saving", "new");
  dir.write("Vorak-Dat/たび.DAT.saving", "new");
  TearDown();
  SetUp();
  start();
  EXPECT_EQ(dir.read("Vorak-Dat/たび.MAP"), map);
  EXPECT_EQ(dir.read("Vorak-Dat/たび.DAT"), state);
  for (const char* left : {"たび.MAP.old", "たび.MAP.saving", "たび.DAT.saving"})
    EXPECT_FALSE(fs::exists(dat(left))) << left;
  EXPECT_EQ(CheckSlot("たび"), SlotStatus::Ok);
}

TEST_F(SaveLoadTest, NamesAreCleanedAndEmptyOrMissingOnesAreRefusedWithTheDialogOpen) {
  start();
  playSomeOfAGame();
  LoadForm& d = frmLoad();
  auto save = [&](const std::string& typed, std::vector<std::function<void()>> then) {
    then.insert(then.begin(), [&, typed] {
      d.txtName.setText(typed);
      tap(d.cmdStart[2]);
    });
    script(std::move(then));
    d.ShowMode("保存");
    EXPECT_EQ(at, steps.size()) << typed;
  };
  // Extensions in any case name the same slot; forbidden characters and control characters go.
  save("  旅:\x01.map  ", {[&] {
         EXPECT_EQ(box().second, "旅を保存しました");
         hb->key(ui::kVkReturn);
       }});
  EXPECT_EQ(d.txtName.text(), "  旅.map  ");
  for (const char* ext : kSlotExtensions) EXPECT_TRUE(fs::is_regular_file(dat("旅" + std::string(ext))));
  EXPECT_EQ(frmPic().window.Tag, "");
  // Nothing but forbidden characters: the box says so and the dialog stays open.
  save("\\/:*?\"<>|~;", {[&] {
                           EXPECT_EQ(box(), (std::pair<std::string, std::string>{"保存ファイル名が入力されていません",
                                                                                 "保存名を入れてください"}));
                           hb->key(ui::kVkReturn);
                         },
                         [&] {
                           EXPECT_TRUE(d.window.visible());
                           EXPECT_EQ(d.txtName.text(), "");
                           hb->key(ui::kVkEscape);
                         }});
  EXPECT_EQ(frmPic().window.Tag, "");

  // Loading: the name in any case of its extension; a slot missing a file, or a damaged one,
  // is refused with the game untouched and the dialog open.
  fs::copy_file(dat("旅.MAP"), dat("欠け.MAP"));
  fs::copy_file(dat("旅.DAT"), dat("欠け.DAT"));
  fs::copy_file(dat("旅.MAP"), dat("壊れ.MAP"));
  fs::copy_file(dat("旅.Mon"), dat("壊れ.Mon"));
  dir.write("Vorak-Dat/壊れ.DAT", "[PLAYER0]\r\nsLevel=-40\r\n");
  Game().TurnCount = 5;
  const GameData before = Game();
  auto load = [&](const std::string& name, std::vector<std::function<void()>> then) {
    then.insert(then.begin(), [&, name] {
      d.txtName.setText(name);
      hb->key(ui::kVkReturn);
    });
    script(std::move(then));
    d.ShowMode("読込");
    EXPECT_EQ(at, steps.size()) << name;
  };
  auto refused = [&](std::pair<std::string, std::string> expected) {
    return [&, expected] {
      EXPECT_EQ(box(), expected);
      hb->key(ui::kVkReturn);
    };
  };
  auto cancel = [&] {
    return [&] {
      EXPECT_TRUE(d.window.visible());
      EXPECT_EQ(Game().TurnCount, 5);
      EXPECT_EQ(Game().Players, before.Players);
      tap(d.cmdStart[1]);
    };
  };
  load("欠け", {refused({"データファイルがありません", "ファイルがありません"}), cancel()});
  load("壊れ", {refused({"データファイルが読み込めません", "壊れは壊れているため読み込めません"}), cancel()});
  load("../旅", {refused({"データファイルがありません", "ファイルがありません"}), cancel()});
  EXPECT_EQ(frmPic().window.Tag, "");
  load(" 旅.DaT ", {});
  EXPECT_EQ(frmPic().window.Tag, "OK");
  EXPECT_EQ(Game().TurnCount, 17);
}

TEST_F(SaveLoadTest, TheListShowsEachSlotsDateAndDeleteAsksFirst) {
  start();
  playSomeOfAGame();
  ASSERT_TRUE(SaveSlot("b"));
  ASSERT_TRUE(SaveSlot("A"));
  fs::remove(dat("b.Mon"));
  fs::rename(dat("A.DAT"), dat("A.dat"));
  dir.write("Vorak-Dat/only.MAP", "");  // no game state: not listed
  auto at_noon = [](int y, int m, int d) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = m - 1;
    t.tm_mday = d;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&t)));
  };
  fs::last_write_time(dat("A.dat"), at_noon(2020, 12, 31));
  fs::last_write_time(dat("b.DAT"), at_noon(2021, 3, 5));
  LoadForm& d = frmLoad();
  script({
      [&] {
        EXPECT_EQ(listed(), (std::vector<std::string>{"2020年12月31日/A", "2021年03月05日/b"}));
        d.lstFile.setListIndex(1);
        hb->key(ui::kVkDelete);
      },
      [&] {
        EXPECT_EQ(box(), (std::pair<std::string, std::string>{"削除の確認", "bを削除してもよろしいですか?"}));
        hb->key('N');
      },
      [&] {
        EXPECT_EQ(listed().size(), 2u);
        hb->key(ui::kVkDelete);
      },
      [&] { hb->key('Y'); },
      [&] {
        EXPECT_EQ(listed(), std::vector<std::string>{"2020年12月31日/A"});
        hb->key(ui::kVkEscape);
      },
  });
  d.ShowMode("読込");
  EXPECT_EQ(at, steps.size());
  EXPECT_FALSE(fs::exists(dat("b.MAP")));
  EXPECT_FALSE(fs::exists(dat("b.DAT")));
  EXPECT_TRUE(fs::exists(dat("A.dat")));
  EXPECT_EQ(frmPic().window.Tag, "");
}

TEST(SlotNames, StrReplaceAndSlotNameOf) {
  EXPECT_EQ(StrReplace("a\\b:c;d/e*f?g<h>i~j|k\"l\r\nm"), "abcdefghijklm");
  EXPECT_EQ(StrReplace(std::string("ぼ\0う\x01け\x7fん", 15)), "ぼうけん");
  EXPECT_EQ(StrReplace("AaBbc:/", "ab"), "c:/");  // a set of its own; letters in either case
  EXPECT_EQ(StrReplace("x\"y\nz", "q"), "xyz");   // quotes and line breaks always go
  struct Case {
    const char* file;
    const char* slot;
  } cases[] = {{"旅.DAT", "旅"}, {"旅.map", "旅"}, {"旅.Map.dAt", "旅"}, {"x.Mon", "x.Mon"}, {"a.DATa.MAP", "aa"}};
  for (const Case& c : cases) EXPECT_EQ(SlotNameOf(c.file), c.slot) << c.file;
}

}  // namespace

namespace {

// Writes past `bytes` in any file fail as on a full disk, until the end of the scope.
class DiskFullAfter {
 public:
  explicit DiskFullAfter(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~DiskFullAfter() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit old_{};
  void (*previous_)(int) = nullptr;
};

// Every write of the program fails with `error` (a read-only folder's EROFS), until the end of
// the scope; root, who writes into any folder, meets it too.
class WritesFail {
 public:
  explicit WritesFail(int error) { sys::setWriteErrorForTests(error); }
  ~WritesFail() { sys::setWriteErrorForTests(0); }
  WritesFail(const WritesFail&) = delete;
  WritesFail& operator=(const WritesFail&) = delete;
};

}  // namespace

TEST_F(SaveLoadTest, AFullDiskOrAReadOnlyDataFolderKeepsTheOlderSaveAndTheGame) {
  fs::create_directories(dir.path() / "Vorak-Dat");
  dir.write("Vorak-Dat/Vorak.Vrk", "[PLAYER]\n0 = 2\n");  // any save at the end would rewrite this line
  start();
  playSomeOfAGame();
  LoadForm& d = frmLoad();
  auto save = [&](const std::string& said) {
    script({[&] {
              d.txtName.setText("旅");
              tap(d.cmdStart[2]);
            },
            [&, said] {
              EXPECT_EQ(box().second, said);
              hb->key(ui::kVkReturn);
            },
            [&] { tap(d.cmdStart[1]); }});
    d.ShowMode("保存");
  };
  save("旅を保存しました");
  const std::string map = dir.read("Vorak-Dat/旅.MAP"), state = dir.read("Vorak-Dat/旅.DAT"),
                    monsters = dir.read("Vorak-Dat/旅.Mon"), settings = dir.read("Vorak-Dat/Vorak.Vrk");
  Game().TurnCount = 30;
  auto nothingLost = [&] {
    EXPECT_EQ(dir.read("Vorak-Dat/旅.MAP"), map);
    EXPECT_EQ(dir.read("Vorak-Dat/旅.DAT"), state);
    EXPECT_EQ(dir.read("Vorak-Dat/旅.Mon"), monsters);
    for (const auto& e : fs::directory_iterator(dir.path() / "Vorak-Dat")) {
      const std::string name = e.path().filename().string();
      EXPECT_TRUE(name.find(".tmp-") == std::string::npos && name.find(".saving") == std::string::npos &&
                  name.find(".old") == std::string::npos)
          << name << " left behind";
    }
    EXPECT_EQ(Game().TurnCount, 30);
  };
  {
    SCOPED_TRACE("a full disk");
    DiskFullAfter full(300);
    save("旅を保存できませんでした");
    nothingLost();
  }
  {
    SCOPED_TRACE("a read-only data folder");
    WritesFail readOnly(EROFS);
    save("旅を保存できませんでした");
    nothingLost();
  }
  // Room again: the same dialog saves, and the game in memory is the one saved.
  save("旅を保存しました");
  EXPECT_NE(dir.read("Vorak-Dat/旅.DAT"), state);
  // Ending on a full disk keeps the settings file as it was.
  {
    DiskFullAfter full(10);
    hb->quit();
    pump();
  }
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(dir.read("Vorak-Dat/Vorak.Vrk"), settings);
}
