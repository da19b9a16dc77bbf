// A map made in the editor is a map to play: built by dragging tiles on the real window, saved
// under a new name through the dialog, chosen on the title, and played to its tally.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/game_data.h"
#include "presentation/main_form.h"
#include "presentation/menu.h"
#include "screens/top_menu.h"
#include "support/autoplay.h"
#include "support/headless_program.h"
#include "ui/keys.h"
#include "ui/toolkit.h"

namespace {

using testing_support::Autoplay;
using testing_support::PlayedGame;

UcButton& bar(const char* tag) { return frmMain().UcBtnClose[GetTagToIndex(tag)]; }

TEST(EditedMap, AMapSavedInTheEditorIsPlayedToItsTally) {
  testing_support::HeadlessProgram program(false);
  program.start(1);
  ui::HeadlessBackend& hb = program.backend();
  MainForm& f = frmMain();
  program.click(bar("マップ"));
  ASSERT_EQ(f.PicStatusUp.Tag, "マップ");
  program.click(bar("クリア"));

  // Palette tile (column, row) dragged onto board cell (x, y): the start, a herb shop, a dojo and
  // the goal on the cleared board's lowest floor.
  auto drop = [&](int column, int row, int x, int y) {
    const gfx::Rect pal = f.PicEditMap.frameRect(), map = f.PicMap.frameRect();
    const int fromX = pal.left + 32 * column + 16, fromY = pal.top + 32 * row + 16;
    const int toX = map.left + 32 * x + 16, toY = map.top + 32 * y + 16;
    hb.mouseMove(fromX, fromY);
    hb.mouseDown(fromX, fromY);
    hb.mouseMove((fromX + toX) / 2, (fromY + toY) / 2);
    hb.mouseMove(toX, toY);
    hb.mouseUp(toX, toY);
    program.pump();
  };
  drop(0, 2, 0, 8);   // 開始位置
  drop(8, 2, 3, 8);   // 薬屋
  drop(8, 1, 5, 8);   // 道場
  drop(14, 2, 8, 8);  // ゴール
  ASSERT_EQ(Game().Board[8][8].Code, "E2");
  const BoardCells edited = Game().Board;

  // "保存" under a new name; "戻る" then asks about the unsaved board: no.
  std::vector<std::function<void()>> steps = {[&] { hb.text("04-Edited"); }, [&] { hb.key(ui::kVkReturn); },
                                              [&] { hb.key('N'); }};
  size_t at = 0;
  hb.onIdle = [&] {
    if (at < steps.size()) return steps[at++]();
  };
  program.click(bar("保存"));
  program.click(bar("戻る"));
  hb.onIdle = nullptr;
  EXPECT_EQ(at, steps.size());
  ASSERT_EQ(f.PicStatusUp.Tag, "ゲーム");

  // The title offers it after the three shipped maps.
  program.click(bar("前の面"));
  ASSERT_EQ(Game().MapFileName, "04-Edited.map");
  for (int x = 0; x < kPlayColumns; ++x)
    for (int y = 0; y < kPlayRows; ++y) ASSERT_EQ(Game().Board[x][y].Code, edited[x][y].Code) << x << "," << y;

  const PlayedGame g = Autoplay(program, {.seed = 3, .map = Game().StageNo});
  ASSERT_TRUE(g.faults.empty()) << g.report();
  EXPECT_TRUE(g.goal) << g.log();
  EXPECT_EQ(g.tallies, 1);
  // Every piece walked the edited floor.
  for (const testing_support::Turn& t : g.turns)
    if (t.row >= 0) EXPECT_EQ(t.row, 8) << t.text();
}

}  // namespace
