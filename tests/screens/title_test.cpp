#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>

#include "media/audio.h"
#include "screens/map_select.h"
#include "screens/top_menu.h"
#include "screens_fixture.h"
#include "sys/instance.h"

namespace {

struct Placed {
  const ui::Control* c;
  const ui::Control* container;
  gfx::Rect rect;  // left, top, right, bottom in the container
  bool visible;
};

// The visible top-bar buttons from left to right, by Tag.
std::vector<std::string> shownBar() {
  std::vector<const UcButton*> shown;
  for (const auto& [i, b] : frmMain().UcBtnClose)
    if (b->visible()) shown.push_back(b);
  std::sort(shown.begin(), shown.end(), [](auto* a, auto* b) { return a->left() < b->left(); });
  std::vector<std::string> tags;
  for (auto* b : shown) tags.push_back(b->Tag);
  return tags;
}

}  // namespace

TEST_F(ScreensTest, TitleScreenPlacesEveryControlAtItsRectangle) {
  start();
  MainForm& f = frmMain();
  std::vector<Placed> table = {
      {&f.PicStatusUp, &f.window, {0, 0, 800, 24}, true},
      {&f.PicBgv, &f.window, {0, 24, 800, 600}, true},
      {&f.PicMap, &f.PicBgv, {16, 16, 784, 336}, true},
      {&f.UcSc, &f.PicBgv, {16, 344, 784, 376}, true},
      {&f.PicSouba, &f.PicStatusUp, {248, 3, 488, 20}, false},
      {&f.PicWinBase, &f.PicMap, {274, 40, 494, 280}, false},
      {&f.PicWin, &f.PicWinBase, {10, 30, 210, 230}, true},
      {&f.PicEditBack, &f.PicBgv, {16, 384, 784, 560}, false},
      {&f.PicEditMap, &f.PicEditBack, {144, 12, 624, 108}, true},
      {&f.PicBox, &f.PicBgv, {-1, -1, 31, 31}, false},
  };
  for (int i = 0; i < 4; ++i) {
    table.push_back({&f.PicPlayer[i], &f.PicBgv, {16 + 192 * i, 384, 208 + 192 * i, 560}, true});
    // The panel of an occupied seat shows its mini view (every default seat is occupied).
    table.push_back({&f.PicMiniMap[i], &f.PicPlayer[i], {5, 5, 30, 30}, true});
    table.push_back({&f.PicStMenu[i], &f.PicPlayer[i], {88, 71, 188, 171}, true});
    table.push_back({&f.UcBtnMenuSt0[i], &f.PicStMenu[i], {0, 0, 100, 100}, true});
  }
  for (const Placed& p : table) {
    SCOPED_TRACE(p.c->name());
    EXPECT_EQ(p.c->container(), p.container);
    EXPECT_EQ(p.c->rect(), p.rect);
    EXPECT_EQ(p.c->visible(), p.visible);
  }
  // The panels end 16 pixels from the right edge like the board, and the seat buttons are in
  // front of whatever the panels hold.
  EXPECT_EQ(f.PicPlayer[3].frameRect().right, 784);
  EXPECT_EQ(f.PicPlayer[0].children().back(), &f.PicStMenu[0]);
  EXPECT_EQ(f.PicMap.mousePointer(), ui::kPointerCustom);
  EXPECT_TRUE(f.PicMap.mouseIcon());
  EXPECT_TRUE(f.window.visible());
}

TEST_F(ScreensTest, TopBarButtonsCarryTheirTagsAndFaces) {
  start();
  const char* tags[14] = {"開始", "上書",   "画面", "マップ", "終了",   "データ", "読込み",
                          "保存", "クリア", "戻る", "ゲーム", "前の面", "次の面", "最小化"};
  for (int i = 0; i < 14; ++i) {
    const UcButton& b = frmMain().UcBtnClose[i];
    SCOPED_TRACE(tags[i]);
    EXPECT_EQ(b.Tag, tags[i]);
    EXPECT_EQ(GetTagToIndex(tags[i]), i);
    EXPECT_EQ(b.PicButtonHdc(), &frmPic().PicEnd.surface());
    EXPECT_EQ(b.ButtonLeft(), 55 * i);
    EXPECT_EQ(b.ButtonWidth(), 55);
    EXPECT_EQ(b.ButtonHeight(), 18);
    EXPECT_EQ(b.ButtonKazu(), 6);
    EXPECT_EQ(b.ButtonMuki(), 1);
  }
  EXPECT_EQ(GetTagToIndex("no such"), 0);
}

TEST_F(ScreensTest, TheWindowTakesTheGamesIconAndTheBoardTheHand) {
  start();
  const ui::CursorImage& icon = ui::backend().icon();
  ASSERT_FALSE(icon.image.empty());
  EXPECT_EQ(icon.image.pixels(), frmPic().Icon.pixels());
  EXPECT_EQ(icon.transparent, gfx::kMagenta);
  const ui::CursorImage* hand = frmMain().PicMap.mouseIcon().get();
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(hand->image.pixels(), frmPic().Hand.pixels());
  EXPECT_EQ(hand->hotX, 14);
  EXPECT_EQ(hand->hotY, 0);
}

TEST_F(ScreensTest, EachModeShowsItsBarRightAligned) {
  start();
  struct Case {
    std::string mode, tag;
    std::vector<std::string> bar;
  };
  const std::vector<Case> cases = {
      {"マップ", "マップ", {"読込み", "保存", "上書", "前の面", "次の面", "クリア", "画面", "戻る"}},
      {"開始", "開始", {"保存", "画面", "最小化", "戻る"}},
      {"途中開始", "開始", {"保存", "画面", "最小化", "戻る"}},
      {"ゲーム", "ゲーム", {"開始", "読込み", "前の面", "次の面", "マップ", "画面", "最小化", "終了"}},
      {"何か", "何か", {}},
  };
  auto check = [](const Case& c) {
    EXPECT_EQ(frmMain().PicStatusUp.Tag, c.tag);
    EXPECT_EQ(shownBar(), c.bar);
    const int n = static_cast<int>(c.bar.size());
    for (int k = 0; k < n; ++k) {
      const UcButton& b = frmMain().UcBtnClose[GetTagToIndex(c.bar[static_cast<size_t>(k)])];
      EXPECT_EQ(b.rect(), gfx::Rect::xywh(800 - 3 - 55 * n + 55 * k, 3, 55, 18));
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    // A game's bar is looked at while its first (human) seat waits; then the game is left.
    const bool game = c.tag == "開始";
    if (game)
      atFirstWait([&] {
        check(c);
        clickLater(frmMain().UcBtnClose[GetTagToIndex("戻る")]);
      });
    MakeTopMenu(c.mode);
    if (!game) check(c);
  }
  // The editor's palette takes the panels' place; the title gives it back.
  MakeTopMenu("マップ");
  EXPECT_TRUE(frmMain().PicEditBack.visible());
  MakeTopMenu("ゲーム");
  frmMain().PicEditBack.setVisible(false);
  EXPECT_EQ(Game().ResumePlayer, -1);
  // Drawing the panels walks the current player over the seats: the last one is human.
  EXPECT_EQ(Game().CurrentPlayer, 3);
  Game().Players[3].sUser = 2;
  MakeTopMenu("ゲーム");
  EXPECT_EQ(Game().CurrentPlayer, -1);
}

TEST_F(ScreensTest, StartUpReadsTheSettingsAfterBuildingTheWindowAndEndsWithTheMusic) {
  fs::create_directories(dir.path() / "Vorak-Dat");
  dir.write("Vorak-Dat/Vorak.Vrk",
            "[PLAYER]\n0=2\n1=0\n2=1\n3=1\n[PLAYERNAME]\n0=あお\n[CRT]\nMODE=ON\n[MAP]\nNOW=2\n");
  start();
  const GameData& g = Game();
  EXPECT_EQ(g.MapFolder, dir.path().string() + "/Vorak-Map/");
  EXPECT_EQ(g.DataFile, dir.path().string() + "/Vorak-Dat/Vorak.Vrk");
  EXPECT_EQ(g.PlayerKinds, (std::array<int32_t, 4>{2, 0, 1, 1}));
  EXPECT_EQ(g.PlayerNames[0], "あお");
  // The settings' display mode switched the screen, and the title selected the saved map.
  EXPECT_TRUE(g.DisplayChanged);
  EXPECT_EQ(g.StageNo, 2);
  EXPECT_EQ(g.MapFileName, "02-Gentle.map");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "{1&F00}{2&FF0}選択中のマップ{0&} ２ ({1&0FF}{2&FFF}02-Gentle.map{0&})");
  // The seat faces follow the saved kinds: computer, nobody, human.
  EXPECT_EQ(frmMain().UcBtnMenuSt0[0].ButtonLeft(), 300);
  EXPECT_EQ(frmMain().UcBtnMenuSt0[1].ButtonTop(), 500);
  EXPECT_EQ(frmMain().UcBtnMenuSt0[2].ButtonTop(), 400);
  EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
  EXPECT_EQ(Media().LastMusic, g.WavFolder + "Md-Opening.mid");
  EXPECT_EQ(ends, 0);
}

TEST_F(ScreensTest, ASecondCopyEndsAtOnceWithoutAWindow) {
  fs::create_directories(dir.path() / "Vorak-Dat");
  sys::SingleInstanceLock first(dir / "Vorak-Dat");
  ASSERT_TRUE(first.acquired());
  Main();
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(frmMainExists());
  EXPECT_FALSE(fs::exists(dir.path() / "Vorak-Dat" / "Vorak.Vrk"));
}

TEST_F(ScreensTest, GetAppPathEndsInExactlyOneSeparator) {
  EXPECT_EQ(GetAppPath("/"), "/");
  EXPECT_EQ(GetAppPath("/opt/game"), "/opt/game/");
  EXPECT_EQ(GetAppPath("/opt/game/"), "/opt/game/");
  EXPECT_EQ(GetAppPath(""), dir.path().string() + "/");
}

TEST_F(ScreensTest, BadFilesAndFoldersNeverStopTheStart) {
  // Garbage settings, a missing data folder and a malformed map among good ones.
  dir.write("Vorak-Map/00-Broken.map", std::string("\xff\xfe{{{\n\x01\x02 zz 99\n", 16));
  {
    SCOPED_TRACE("garbage settings");
    fs::create_directories(dir.path() / "Vorak-Dat");
    dir.write("Vorak-Dat/Vorak.Vrk", std::string("\0\x89PNG[[[=]\n[MAP]\nNOW=-5\n", 24));
    start();
    EXPECT_EQ(Game().StageNo, 1);
    EXPECT_EQ(Game().MapFileName, "00-Broken.map");
    EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
  }
  TearDown();
  SetUp();
  {
    SCOPED_TRACE("no data folder");
    fs::remove_all(dir.path() / "Vorak-Dat");
    start();
    EXPECT_TRUE(fs::is_directory(dir.path() / "Vorak-Dat"));
    EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
  }
}

TEST_F(ScreensTest, WithoutAReadableMapTheTitleSaysSoAndStartsNoGame) {
  const std::string none = "{1&F00}{2&F80}マップがありません{0&} (Vorak-Map フォルダ)";
  const std::string unreadable = "{1&F00}{2&F80}このマップは読み込めませんでした{0&}";
  const std::string refused = "{1&F00}{2&F80}読み込めたマップがないので開始できません{0&}";
  struct Case {
    const char* name;
    std::function<void()> prepare;
    std::string said;
  } cases[] = {
      {"an empty map folder", [] {}, none},
      {"a missing map folder", [this] { fs::remove_all(dir.path() / "Vorak-Map"); }, none},
      {"only maps that hold no row or are folders",
       [this] {
         dir.write("Vorak-Map/01-Empty.map", "\r\n\r\n");
         fs::create_directories(dir.path() / "Vorak-Map" / "02-Folder.map");
       },
       unreadable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    fs::remove_all(dir.path() / "Vorak-Map");
    fs::create_directories(dir.path() / "Vorak-Map");
    c.prepare();
    start();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), c.said);
    EXPECT_FALSE(Game().MapReady);
    messages.clear();
    clickOn(frmMain().UcBtnClose[GetTagToIndex("開始")]);
    EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
    EXPECT_EQ(messages, std::vector<std::string>{refused});
    // The next map along is no better, and still no game starts.
    clickOn(frmMain().UcBtnClose[GetTagToIndex("次の面")]);
    clickOn(frmMain().UcBtnClose[GetTagToIndex("開始")]);
    EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
    EXPECT_EQ(messages.back(), refused);
  }
  // A readable map put back is found at the next step, and the game starts on it.
  dir.write("Vorak-Map/03-Good.map", "02 00 00\r\n");
  clickOn(frmMain().UcBtnClose[GetTagToIndex("次の面")]);
  EXPECT_TRUE(Game().MapReady);
  EXPECT_EQ(Game().MapFileName, "03-Good.map");
}

TEST_F(ScreensTest, AHugeSettingsFileIsSetAsideAndTheDefaultsSaidOnce) {
  fs::create_directories(dir.path() / "Vorak-Dat");
  std::string garbage(300 * 1024, 'x');
  for (size_t i = 0; i < garbage.size(); i += 7) garbage[i] = static_cast<char>(i * 31);
  garbage.insert(0, "[PLAYER]\r\n0=0\r\n1=0\r\n2=0\r\n3=0\r\n");
  dir.write("Vorak-Dat/Vorak.Vrk", garbage);
  start();
  const std::string said =
      "{1&F00}{2&F80}設定ファイルが大きすぎるので、初期設定で始めます{0&} (元のファイルは Vorak.Vrk.bad)";
  EXPECT_EQ(std::count(messages.begin(), messages.end(), said), 1);
  EXPECT_EQ(Game().PlayerKinds, (std::array<int32_t, 4>{1, 1, 1, 1}));
  EXPECT_EQ(dir.read("Vorak-Dat/Vorak.Vrk.bad"), garbage);
  hb->quit();
  pump();
  ASSERT_EQ(ends, 1);
  EXPECT_LT(fs::file_size(dir.path() / "Vorak-Dat" / "Vorak.Vrk"), 1024u);
  // The next start reads the fresh file and says nothing more.
  TearDown();
  SetUp();
  start();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), said), 0);
  EXPECT_EQ(Game().PlayerKinds, (std::array<int32_t, 4>{1, 1, 1, 1}));
  // A second file too large goes beside the first instead of over it, and the message says where.
  const std::string second(200 * 1024, 'y');
  dir.write("Vorak-Dat/Vorak.Vrk", second);
  TearDown();
  SetUp();
  start();
  const std::string saidAgain =
      "{1&F00}{2&F80}設定ファイルが大きすぎるので、初期設定で始めます{0&} (元のファイルは Vorak.Vrk.2.bad)";
  EXPECT_EQ(std::count(messages.begin(), messages.end(), saidAgain), 1);
  EXPECT_EQ(dir.read("Vorak-Dat/Vorak.Vrk.bad"), garbage);
  EXPECT_EQ(dir.read("Vorak-Dat/Vorak.Vrk.2.bad"), second);
}

TEST_F(ScreensTest, StartUpRemovesOnlyTheWorkFilesOfEndedWrites) {
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  const std::string dead = ".tmp-" + std::to_string(child);
  fs::create_directories(dir.path() / "Vorak-Dat");
  dir.write("Vorak-Dat/Vorak.Vrk" + dead, std::string(1 << 20, 'x'));
  dir.write("Vorak-Dat/Slot.DAT" + dead, "x");
  dir.write("Vorak-Map/01-A.map" + dead, "x");
  dir.write("Vorak-Dat/Vorak.Vrk.tmp-1", "x");  // a process that is still running
  start();
  EXPECT_FALSE(fs::exists(dir.path() / "Vorak-Dat" / ("Vorak.Vrk" + dead)));
  EXPECT_FALSE(fs::exists(dir.path() / "Vorak-Dat" / ("Slot.DAT" + dead)));
  EXPECT_FALSE(fs::exists(dir.path() / "Vorak-Map" / ("01-A.map" + dead)));
  EXPECT_TRUE(fs::exists(dir.path() / "Vorak-Dat" / "Vorak.Vrk.tmp-1"));
}

TEST_F(ScreensTest, PaletteAndMessageWindowTakeThePlayAreasColours) {
  start();
  MainForm& f = frmMain();
  const gfx::Surface& bgv = f.PicBgv.surface();
  // The message window's back and frame are the play area's colour at (50, 50).
  EXPECT_EQ(f.UcSc.PicWaku.pixel(767, 1) & 0xFFFFFF, bgv.pixel(50, 50) & 0xFFFFFF);
  // The palette is the tile sheet with its magenta key showing the colour at (5, 5).
  const gfx::Surface& pal = f.PicEditMap.surface();
  const gfx::Surface& sheet = frmPic().PicMap.surface();
  int keyed = 0, copied = 0;
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 480; ++x) {
      const gfx::Color s = sheet.pixel(x, y) & 0xFFFFFF;
      if (s == gfx::kMagenta) {
        ++keyed;
        EXPECT_EQ(pal.pixel(x, y) & 0xFFFFFF, bgv.pixel(5, 5) & 0xFFFFFF) << x << "," << y;
      } else {
        ++copied;
        ASSERT_EQ(pal.pixel(x, y) & 0xFFFFFF, s) << x << "," << y;
      }
    }
  EXPECT_GT(keyed, 0);
  EXPECT_GT(copied, 0);
  EXPECT_EQ(f.PicEditMap.mousePointer(), ui::kPointerCustom);
}

TEST_F(ScreensTest, ClosingTheWindowEndsLikeQuitting) {
  start();
  hb->quit();
  pump();
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(fs::exists(dir.path() / "Vorak-Dat" / "Vorak.Vrk"));
}

TEST_F(ScreensTest, TheMapFolderRemovedOnTheTitleIsSaidAndTheTitleStaysUsable) {
  start();
  ASSERT_TRUE(Game().MapReady);
  fs::remove_all(dir.path() / "Vorak-Map");
  messages.clear();
  clickOn(frmMain().UcBtnClose[GetTagToIndex("次の面")]);
  clickOn(frmMain().UcBtnClose[GetTagToIndex("開始")]);
  EXPECT_EQ(messages, (std::vector<std::string>{"{1&F00}{2&F80}マップがありません{0&} (Vorak-Map フォルダ)",
                                                "{1&F00}{2&F80}読み込めたマップがないので開始できません{0&}"}));
  // The editor opens on the board still in memory, and its overwrite says it could not.
  clickOn(frmMain().UcBtnClose[GetTagToIndex("マップ")]);
  EXPECT_EQ(frmMain().PicStatusUp.Tag, "マップ");
  clickOn(frmMain().UcBtnClose[GetTagToIndex("クリア")]);
  clickOn(frmMain().UcBtnClose[GetTagToIndex("上書")]);
  EXPECT_EQ(messages.back(), "{1&F00}{2&F80}上書きできませんでした{0&}");
  EXPECT_TRUE(Game().MapChanged);  // the board is not thrown away
  EXPECT_EQ(ends, 0);
}

TEST_F(ScreensTest, WithoutASoundDeviceTheTitleSaysTheGamePlaysSilently) {
  Media().SilentOutput = false;
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "nosuch", SDL_HINT_OVERRIDE);
  start();
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  const std::string said = "{1&F00}{2&F80}音を出す装置が見つからないので、音なしで遊びます{0&}";
  EXPECT_EQ(std::count(messages.begin(), messages.end(), said), 1);
  // The game's sounds still keep their time on the stand-in output.
  PlaySound(4, Game().WavFolder + "QV-Click.wav", false, true, false, 0);
  EXPECT_TRUE(Media().Sound->playing(4));
  EXPECT_EQ(frmMain().PicStatusUp.Tag, "ゲーム");
}
