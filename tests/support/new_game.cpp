#include "support/new_game.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "data/game_data.h"
#include "presentation/status_panel.h"
#include "screens/top_menu.h"

namespace testing_support {

void LayOutNewGame() {
  GameData& g = Game();
  const std::array<int32_t, 4> kinds = g.PlayerKinds;
  // With every seat empty the game loop ends before its first pass.
  g.PlayerKinds = {0, 0, 0, 0};
  MakeTopMenu("開始");
  g.PlayerKinds = kinds;
  for (size_t i = 0; i < 4; ++i) g.Players[i].sUser = kinds[i];
  WriteScoreSet(false, false);
}

}  // namespace testing_support
